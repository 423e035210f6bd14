#!/usr/bin/env bash
# Times whole-area repaints of the largest real board under Wine (a middle-button drag redraws
# the area on every mouse move) and prints their median. A benchmark, not a check: kept out of
# tests/wine/ so make test does not run it.
#   BUILD_WIN=build/win bash bench/board-repaint-timing.sh
set -uo pipefail
cd "$(dirname "$0")/.."
. tools/wine-env.sh
wine_on_display "$0" "$@"
WINE=$(wine_cmd)
if [ ! -f "$BUILD_WIN/tindral_tests.exe" ]; then
  echo "tindral_tests.exe missing in $BUILD_WIN"
  exit 1
fi
. tools/real-boards.sh
if [ -z "$REAL_BOARDS" ]; then
  echo "board-repaint-timing needs the real boards: $REAL_BOARDS_WHY"
  exit 1
fi
[ -d "$WINEPREFIX" ] || wine_fresh_prefix
out=$("$WINE" "$BUILD_WIN/tindral_tests.exe" --gtest_also_run_disabled_tests \
      --gtest_filter='BoardWindow.DISABLED_PanRepaintTimingOfTheLargestBoard' 2>&1 | tr -d '\r')
line=$(printf '%s\n' "$out" | grep '^repaint-median-ms' | head -n 1)
if [ -n "$line" ] && printf '%s\n' "$out" | grep -q '^\[  PASSED  \] 1 test'; then
  echo "$line"
else
  printf '%s\n' "$out" | tail -n 20
  exit 1
fi
