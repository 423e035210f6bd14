#!/usr/bin/env bash
# Times a load through the Load button plus the first full paint under Wine, for a generated
# 10 000-element board and the largest real board (when the real boards are there), then the
# load's steps one by one; prints medians. A benchmark, not a check: kept out of tests/wine/ so make test does not run it.
#   BUILD_WIN=build/perf-win bash bench/load-paint-timing.sh [rounds]
set -uo pipefail
cd "$(dirname "$0")/.."
rounds=${1:-1}
. tools/wine-env.sh
wine_on_display "$0" "$@"
WINE=$(wine_cmd)
if [ ! -f "$BUILD_WIN/tindral_tests.exe" ]; then
  echo "tindral_tests.exe missing in $BUILD_WIN"
  exit 1
fi
[ -d "$WINEPREFIX" ] || wine_fresh_prefix
status=0
for ((r = 1; r <= rounds; ++r)); do
  echo "round $r"
  out=$("$WINE" "$BUILD_WIN/tindral_tests.exe" --gtest_also_run_disabled_tests \
        --gtest_filter='LoadPaintTiming.DISABLED_*' 2>&1 | tr -d '\r')
  printf '%s\n' "$out" | grep -E -- '-median-ms |elements [0-9]'
  if ! printf '%s\n' "$out" | grep -q '^\[  PASSED  \] 2 tests'; then
    printf '%s\n' "$out" | tail -n 20
    status=1
  fi
done
exit $status
