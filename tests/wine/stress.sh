#!/usr/bin/env bash
# A generated 50 000-element board through the whole program under Wine (the stress run of the
# Windows benchmark, each step once): load, every column sorted, rows chosen, the sides
# switched, Reset selection, the selection file saved and loaded, the BOM filled, sorted and
# printed, every step checked on all rows. Prints each step's time and the memory figures; a
# hang (no end within the limit) or a failed check fails. bench/wine-figures.sh gives medians.
#   BUILD_WIN=build/win bash tests/wine/stress.sh
set -uo pipefail
cd "$(dirname "$0")/../.."
: "${STRESS_LIMIT:=600}"  # seconds
. tools/wine-env.sh
wine_on_display "$0" "$@"
WINE=$(wine_cmd)
. tools/wine-check.sh
TEST='Stress.FiftyThousandElementsThroughTheWholeProgram'

if [ ! -f "$BUILD_WIN/tindral_bench_win.exe" ]; then
  check_cannot_run "tindral_bench_win.exe missing in $BUILD_WIN"
fi
[ -d "$WINEPREFIX" ] || wine_fresh_prefix

log=$(mktemp)
trap 'rm -f "$log"' EXIT
start=$(date +%s%N)
TINDRAL_BENCH_RUNS=1 timeout "$STRESS_LIMIT" "$WINE" "$BUILD_WIN/tindral_bench_win.exe" \
  --gtest_color=no --gtest_filter="$TEST" >"$log" 2>&1
status=$?
wall_ms=$(( ($(date +%s%N) - start) / 1000000 ))
out=$(tr -d '\r' <"$log")

printf '%s\n' "$out" | grep -E '^(figure:|memory )'
printf 'stress: wall-s %d.%01d\n' $((wall_ms / 1000)) $((wall_ms % 1000 / 100))
if [ "$status" = 124 ]; then
  check "the stress run did not end within $STRESS_LIMIT s" 1
elif printf '%s\n' "$out" | grep -q '^\[  PASSED  \] 1 test'; then
  check "the stress run" 0
else
  printf '%s\n' "$out" | grep -vE '^(figure:|memory )' | tail -n 40
  check "the stress run (exit status $status)" 1
fi
check_summary
