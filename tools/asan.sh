#!/usr/bin/env bash
# The native unit tests built with AddressSanitizer and UndefinedBehaviorSanitizer (any report
# fails the test that caused it), in build/asan. Ends with ctest's summary line.
set -uo pipefail
cd "$(dirname "$0")/.."
BUILD=${ASAN_BUILD:-build/asan}
SAN="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS="$SAN" -DCMAKE_C_FLAGS="$SAN" \
  -DCMAKE_EXE_LINKER_FLAGS="$SAN" >/dev/null || { echo "asan: configure failed"; exit 1; }
cmake --build "$BUILD" -j2 --target tindral_tests >"$BUILD/build.log" 2>&1 ||
  { tail -n 40 "$BUILD/build.log"; echo "asan: build failed"; exit 1; }
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cd "$BUILD" && ctest -j2 --output-on-failure
