#!/usr/bin/env bash
# make dist: the Windows release build, then its setup program and a portable zip in build/dist/.
# BUILD_WIN (default build/win) and DIST_DIR (default build/dist) choose the folders;
# DIST_NO_BUILD=1 packs what BUILD_WIN already holds (the installer check does so after make
# test's cross build). Prints the two archive paths.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$(pwd)
BUILD_WIN="${BUILD_WIN:-build/win}"
DIST_DIR="${DIST_DIR:-build/dist}"

# The version lives in the program's title; the setup and the zip name follow it.
VERSION=$(sed -nE 's/^const wchar_t kProgramTitle\[\] = L"Tindral V([0-9.]+)";.*/\1/p' \
          src/settings/startup_rules.cpp)
[ -n "$VERSION" ] || { echo "dist: no version found in src/settings/startup_rules.cpp" >&2; exit 1; }

if [ "${DIST_NO_BUILD:-0}" != 1 ]; then
  cmake -S . -B "$BUILD_WIN" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
        -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$BUILD_WIN" -j"$(nproc 2>/dev/null || echo 2)" --target tindral tindral-cli tindral_help
fi

files=(tindral.exe tindral-cli.exe TindralHelpGer.chm TindralHelpEng.chm)
for f in "${files[@]}"; do
  [ -f "$BUILD_WIN/$f" ] || { echo "dist: $BUILD_WIN/$f is missing" >&2; exit 1; }
done
command -v makensis >/dev/null || { echo "dist: makensis missing (tools/setup.sh installs nsis)" >&2; exit 1; }
command -v zip >/dev/null || { echo "dist: zip missing (tools/setup.sh installs it)" >&2; exit 1; }

mkdir -p "$DIST_DIR"
DIST=$(cd "$DIST_DIR" && pwd)
BUILD=$(cd "$BUILD_WIN" && pwd)
setup="$DIST/tindral-$VERSION-setup.exe"
portable="$DIST/tindral-$VERSION-portable.zip"
rm -f "$setup" "$portable"

makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$VERSION" -DBUILD_DIR="$BUILD" -DSOURCE_DIR="$ROOT" \
         -DOUT_FILE="$setup" installer/tindral.nsi

# The zip unpacks into one folder laid out like the installed one.
stage="$DIST/stage"
rm -rf "$stage"
mkdir -p "$stage/Tindral/samples"
for f in "${files[@]}"; do cp "$BUILD_WIN/$f" "$stage/Tindral/"; done
cp installer/readme.txt "$stage/Tindral/"
cp samples/tindral-sample.brd "$stage/Tindral/samples/"
(cd "$stage" && zip -q -X -r "$portable" Tindral)
rm -rf "$stage"

echo "$setup"
echo "$portable"
