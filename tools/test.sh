#!/usr/bin/env bash
# make test: native build and unit tests, cross build, the same unit tests under Wine, then the
# Windows-side checks. Ends with one line "N passed, M failed".
set -uo pipefail
cd "$(dirname "$0")/.."
ROOT=$(pwd)
BUILD_NATIVE=build/native
BUILD_WIN=build/win
JOBS=$(nproc 2>/dev/null || echo 2)

passed=0
failed=0
add() { passed=$((passed + $1)); failed=$((failed + $2)); }
die() { echo "$*" >&2; echo "$passed passed, $((failed + 1)) failed"; exit 1; }

# --- native ---
cmake -S . -B "$BUILD_NATIVE" -DCMAKE_BUILD_TYPE=Debug >/dev/null || die "native configure failed"
cmake --build "$BUILD_NATIVE" -j"$JOBS" || die "native build failed"
ctest_log="$BUILD_NATIVE/ctest.log"
(cd "$BUILD_NATIVE" && ctest -j"$JOBS" --output-on-failure) | tee "$ctest_log"
line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$ctest_log" | tail -n 1)
[ -n "$line" ] || die "ctest reported nothing"
n_failed=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
n_total=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\2/' <<<"$line")
add $((n_total - n_failed)) "$n_failed"

# --- Windows, under Wine on a virtual display ---
cmake -S . -B "$BUILD_WIN" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
      -DCMAKE_BUILD_TYPE=Release >/dev/null || die "cross configure failed"
cmake --build "$BUILD_WIN" -j"$JOBS" || die "cross build failed"

wine_log="$BUILD_WIN/wine-tests.log"
BUILD_NATIVE="$BUILD_NATIVE" BUILD_WIN="$BUILD_WIN" tools/with-display.sh tools/wine-tests.sh 2>&1 | tee "$wine_log"
wine_line=$(grep -E '^wine: [0-9]+ passed, [0-9]+ failed' "$wine_log" | tail -n 1)
[ -n "$wine_line" ] || die "the Wine tests reported nothing"
add "$(sed -E 's/^wine: ([0-9]+) passed, ([0-9]+) failed.*/\1/' <<<"$wine_line")" \
    "$(sed -E 's/^wine: ([0-9]+) passed, ([0-9]+) failed.*/\2/' <<<"$wine_line")"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
