#!/usr/bin/env bash
# The Windows program's figures under Wine: tindral_bench_win.exe (bench/win/; BENCH_EXE names
# another build of it, to compare) runs each step TINDRAL_BENCH_RUNS times (default 7) and
# prints one line per figure: its median, its target and whether it is met. The machine should
# be quiet. Without the real boards the largest-board figures are skipped.
#   BUILD_WIN=build/win bash bench/wine-figures.sh [gtest filter]
set -uo pipefail
cd "$(dirname "$0")/.."
filter=${1:-*}
. tools/wine-env.sh
wine_on_display "$0" "$@"
WINE=$(wine_cmd)
if [ ! -f "$BUILD_WIN/${BENCH_EXE:-tindral_bench_win.exe}" ]; then
  echo "${BENCH_EXE:-tindral_bench_win.exe} missing in $BUILD_WIN"
  exit 1
fi
[ -d "$WINEPREFIX" ] || wine_fresh_prefix
out=$("$WINE" "$BUILD_WIN/${BENCH_EXE:-tindral_bench_win.exe}" --gtest_color=no --gtest_filter="$filter" 2>&1 |
      tr -d '\r')
printf '%s\n' "$out" | grep -E '^(figure:|memory |[a-z-]+ elements )'
if ! printf '%s\n' "$out" | grep -qE '^\[  PASSED  \] [0-9]+ tests?\.'; then
  printf '%s\n' "$out" | grep -vE '^(figure:|memory )' | tail -n 30
  exit 1
fi
if printf '%s\n' "$out" | grep -q '^\[  FAILED  \]'; then
  printf '%s\n' "$out" | grep -E '^\[  FAILED  \]|Failure' | head -n 30
  exit 1
fi
