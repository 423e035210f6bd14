#!/usr/bin/env bash
# The Windows side of make test: the unit tests cross-built and run under Wine, and every
# script in tests/wine/ (each prints "wine-check: N passed, M failed, K skipped").
# Prints "wine: N passed, M failed, K skipped".
set -uo pipefail
cd "$(dirname "$0")/.."
. tools/wine-env.sh
WINE=$(wine_cmd)

passed=0
failed=0
skipped=0
wine_fresh_prefix

log="$BUILD_WIN/wine-unit.log"
"$WINE" "$BUILD_WIN/tindral_tests.exe" --gtest_color=no 2>&1 | tr -d '\r' > "$log"
grep -E '^\[  (FAILED|PASSED|SKIPPED) |^\[==========\]' "$log" || true
grep -E '^\[  FAILED  \] [A-Za-z]' "$log" || true
p=$(sed -nE 's/^\[  PASSED  \] ([0-9]+) tests?\..*/\1/p' "$log" | tail -n 1)
f=$(sed -nE 's/^\[  FAILED  \] ([0-9]+) tests?, listed below.*/\1/p' "$log" | tail -n 1)
s=$(sed -nE 's/^\[  SKIPPED \] ([0-9]+) tests?, listed below.*/\1/p' "$log" | tail -n 1)
if [ -z "$p" ] && [ -z "$f" ]; then
  echo "tindral_tests.exe did not finish; see $log"
  tail -n 20 "$log"
  failed=$((failed + 1))
else
  passed=$((passed + ${p:-0}))
  failed=$((failed + ${f:-0}))
  skipped=$((skipped + ${s:-0}))
fi

for check in tests/wine/*.sh; do
  [ -e "$check" ] || continue
  out=$(BUILD_WIN="$BUILD_WIN" BUILD_NATIVE="${BUILD_NATIVE:-build/native}" bash "$check" 2>&1)
  echo "$out"
  line=$(grep -E '^wine-check: [0-9]+ passed, [0-9]+ failed, [0-9]+ skipped' <<<"$out" | tail -n 1)
  if [ -z "$line" ]; then
    echo "$check reported nothing"
    failed=$((failed + 1))
    continue
  fi
  passed=$((passed + $(sed -E 's/^wine-check: ([0-9]+) passed.*/\1/' <<<"$line")))
  failed=$((failed + $(sed -E 's/.* ([0-9]+) failed.*/\1/' <<<"$line")))
  skipped=$((skipped + $(sed -E 's/.* ([0-9]+) skipped.*/\1/' <<<"$line")))
done

wineserver -k 2>/dev/null || true
echo "wine: $passed passed, $failed failed, $skipped skipped"
