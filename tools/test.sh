#!/usr/bin/env bash
# make test: native build and unit tests, cross build, the same unit tests under Wine, then the
# Windows-side checks. Ends with one line "N passed, M failed, K skipped".
#   tools/test.sh          everything
#   tools/test.sh native   the native build and unit tests only
# The real boards are the tests' second tier (tools/real-boards.sh finds them); without them
# their tests are skipped and one line says why.
set -uo pipefail
cd "$(dirname "$0")/.."
BUILD_NATIVE=build/native
BUILD_WIN=build/win
JOBS=$(nproc 2>/dev/null || echo 2)
only=${1:-all}
case "$only" in all|native) ;; *) echo "usage: tools/test.sh [native]" >&2; exit 2 ;; esac
. tools/real-boards.sh

passed=0
failed=0
skipped=0
add() { passed=$((passed + $1)); failed=$((failed + $2)); skipped=$((skipped + $3)); }
summary() {
  [ -n "$REAL_BOARDS" ] || echo "real-board tests skipped: $REAL_BOARDS_WHY"
  echo "$passed passed, $failed failed, $skipped skipped"
}
die() { echo "$*" >&2; failed=$((failed + 1)); summary; exit 1; }

# --- native ---
cmake -S . -B "$BUILD_NATIVE" -DCMAKE_BUILD_TYPE=Debug >/dev/null || die "native configure failed"
cmake --build "$BUILD_NATIVE" -j"$JOBS" || die "native build failed"
ctest_log="$BUILD_NATIVE/ctest.log"
(cd "$BUILD_NATIVE" && ctest -j"$JOBS" --output-on-failure) | tee "$ctest_log"
line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$ctest_log" | tail -n 1)
[ -n "$line" ] || die "ctest reported nothing"
n_failed=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
n_total=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\2/' <<<"$line")
# ctest lists skipped tests under "did not run", and counts them in the total only.
n_skipped=$(sed -n '/^The following tests did not run:/,/^$/p' "$ctest_log" | grep -c '(Skipped)$')
add $((n_total - n_failed - n_skipped)) "$n_failed" "$n_skipped"

if [ "$only" = all ]; then
  # --- Windows, under Wine on a virtual display ---
  cmake -S . -B "$BUILD_WIN" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
        -DCMAKE_BUILD_TYPE=Release >/dev/null || die "cross configure failed"
  cmake --build "$BUILD_WIN" -j"$JOBS" || die "cross build failed"

  wine_log="$BUILD_WIN/wine-tests.log"
  BUILD_NATIVE="$BUILD_NATIVE" BUILD_WIN="$BUILD_WIN" tools/with-display.sh tools/wine-tests.sh 2>&1 | tee "$wine_log"
  wine_line=$(grep -E '^wine: [0-9]+ passed, [0-9]+ failed, [0-9]+ skipped' "$wine_log" | tail -n 1)
  [ -n "$wine_line" ] || die "the Wine tests reported nothing"
  add "$(sed -E 's/^wine: ([0-9]+) passed.*/\1/' <<<"$wine_line")" \
      "$(sed -E 's/.* ([0-9]+) failed.*/\1/' <<<"$wine_line")" \
      "$(sed -E 's/.* ([0-9]+) skipped.*/\1/' <<<"$wine_line")"
fi

summary
[ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
