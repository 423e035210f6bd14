#!/usr/bin/env bash
# make run: builds tindral.exe and starts it under Wine. Without a display it runs on a virtual
# one, saves a screenshot into the build folder and prints its path.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_WIN=build/win
cmake -S . -B "$BUILD_WIN" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
      -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$BUILD_WIN" -j"$(nproc 2>/dev/null || echo 2)" --target tindral
. tools/wine-env.sh
export WINEPREFIX="$(pwd)/$BUILD_WIN/wineprefix-run"
[ -d "$WINEPREFIX" ] || { mkdir -p "$WINEPREFIX"; "$(wine_cmd)" wineboot -i >/dev/null 2>&1 || true; }

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec "$(wine_cmd)" "$BUILD_WIN/tindral.exe"
fi
shot="$(pwd)/$BUILD_WIN/screenshot.png"
xvfb-run -a -s "-screen 0 1600x1000x24" bash -c '
  "$1" explorer /desktop=Tindral,1600x1000 "$2" &
  sleep 8
  import -window root "$3"
  wineserver -k' _ "$(wine_cmd)" "$BUILD_WIN/tindral.exe" "$shot"
echo "No display: ran Tindral on a virtual one; screenshot: $shot"
