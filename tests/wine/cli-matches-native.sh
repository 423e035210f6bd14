#!/usr/bin/env bash
# tindral-cli.exe under Wine must give byte for byte the CSV list of the native tindral-cli, on
# each of our own boards and every real board (when present); and a missing file must fail the
# same way (exit 1, one line on stderr).
set -uo pipefail
cd "$(dirname "$0")/../.."
: "${BUILD_WIN:=build/win}"
: "${BUILD_NATIVE:=build/native}"
. tools/wine-env.sh
WINE=$(wine_cmd)
. tools/real-boards.sh
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

. tools/wine-check.sh

if [ ! -x "$BUILD_NATIVE/tindral-cli" ] || [ ! -f "$BUILD_WIN/tindral-cli.exe" ]; then
  check_cannot_run "tindral-cli missing in $BUILD_NATIVE or $BUILD_WIN"
fi
[ -d "$WINEPREFIX" ] || wine_fresh_prefix

test_boards_collect
[ -n "$REAL_BOARDS" ] || check_skip "the real boards"
for b in "${TEST_BOARDS[@]}"; do
  name=$(basename "$b")
  "$BUILD_NATIVE/tindral-cli" list "$b" --format csv >"$tmp/native.csv" 2>/dev/null
  rn=$?
  "$WINE" "$BUILD_WIN/tindral-cli.exe" list "Z:$b" --format csv >"$tmp/wine.csv" 2>/dev/null
  rw=$?
  ok=1
  [ "$rn" -eq 0 ] && [ "$rw" -eq 0 ] && [ -s "$tmp/native.csv" ] && cmp -s "$tmp/native.csv" "$tmp/wine.csv" && ok=0
  [ "$ok" -ne 0 ] && cmp "$tmp/native.csv" "$tmp/wine.csv" | head -n 1
  check "list --format csv $name" "$ok"
done

"$WINE" "$BUILD_WIN/tindral-cli.exe" list "Z:$tmp/missing.brd" >"$tmp/out" 2>"$tmp/err"
rw=$?
lines=$(wc -l <"$tmp/err")
ok=1
[ "$rw" -eq 1 ] && [ "$lines" -eq 1 ] && [ ! -s "$tmp/out" ] && grep -q "missing.brd: " "$tmp/err" && ok=0
check "missing file" "$ok"

check_summary
