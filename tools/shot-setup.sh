# Sourced from the repository root by the scripts that make the README's pictures: the Release
# Windows program built, a Wine prefix of the pictures' own, $WINE and the settings key.
BUILD_WIN="${BUILD_WIN:-build/win}"
cmake -S . -B "$BUILD_WIN" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
      -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$BUILD_WIN" -j2 --target tindral >/dev/null
. tools/wine-env.sh
export WINEPREFIX="$(pwd)/$BUILD_WIN/wineprefix-shot"
WINE=$(wine_cmd)
[ -d "$WINEPREFIX" ] || wine_fresh_prefix
KEY='HKCU\Software\Moravel\TindralV1.01'
