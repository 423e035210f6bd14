#!/usr/bin/env bash
# The two XML readers must give the same token stream: each of our own boards and every real
# board (when present), and each board cut off at a few places, is dumped by the native build
# (libxml2) and by the Windows build under Wine (XmlLite), and the dumps are compared byte for
# byte. Prints one line per dump and a last line "wine-check: N passed, M failed, K skipped",
# counting boards (a board passes when all its dumps are the same).
set -uo pipefail
cd "$(dirname "$0")/../.."
: "${BUILD_WIN:=build/win}"
: "${BUILD_NATIVE:=build/native}"
. tools/wine-env.sh
WINE=$(wine_cmd)
. tools/real-boards.sh
native="$BUILD_NATIVE/tindral-tokens"
exe="$BUILD_WIN/tindral-tokens.exe"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

. tools/wine-check.sh
if [ ! -x "$native" ] || [ ! -f "$exe" ]; then
  check_cannot_run "compare-readers: $native or $exe missing"
fi

same=1
compare() {  # file label
  local file=$1 label=$2
  "$native" "$file" > "$work/native.txt" 2>&1
  timeout 300 "$WINE" "$exe" "Z:$file" > "$work/wine.txt" 2>/dev/null
  if [ -s "$work/native.txt" ] && cmp -s "$work/native.txt" "$work/wine.txt"; then
    echo "same   $label ($(tail -n 1 "$work/native.txt" | sed 's/^result\t//'))"
  else
    echo "DIFFER $label"
    diff "$work/native.txt" "$work/wine.txt" | head -n 6
    same=0
  fi
}

test_boards_collect
[ -n "$REAL_BOARDS" ] || check_skip "the real boards"
for board in "${TEST_BOARDS[@]}"; do
  name=$(basename "$board")
  same=1
  compare "$board" "$name"
  # Cut off inside the file: the readers must keep the same tokens and report the same line.
  size=$(stat -c %s "$board")
  for part in 3 5 7; do
    cut=$((size * part / 10))
    head -c "$cut" "$board" > "$work/cut.brd"
    compare "$work/cut.brd" "$name cut at $cut"
  done
  if [ "$same" = 1 ]; then passed=$((passed + 1)); else failed=$((failed + 1)); fi
done

# Cut right after whole lines, between two tags: a lenient reader closes what is open and calls
# the file whole unless the tokeniser steps in.
same=1
lines=$(wc -l < samples/tindral-sample.brd)
for ((n = 3; n < lines; n += lines / 12)); do
  head -n "$n" samples/tindral-sample.brd > "$work/lines.brd"
  compare "$work/lines.brd" "tindral-sample.brd, its first $n lines"
done
check "the sample cut after whole lines gives the same tokens" $((1 - same))

# Files the readers would meet differently unless the tokeniser steps in first: a tag with far
# more attributes than a board has, and files that break off before their first element.
same=1
{ printf '<?xml version="1.0"?>\n<eagle>\n<a x="1"/>\n<b'
  for i in $(seq 1 5000); do printf ' a%d="%d"' "$i" "$i"; done
  printf '/>\n</eagle>\n'; } > "$work/crowded.brd"
compare "$work/crowded.brd" "a tag with 5000 attributes"
printf '<?xml version="1.0"?>\n<!DOCTYPE eagle SYSTEM "eagle.dtd">\n<eag' > "$work/short.brd"
compare "$work/short.brd" "cut inside the first tag"
printf '<?xml version="1.0"?>\n<!-- nothing else -->\n' > "$work/no-element.brd"
compare "$work/no-element.brd" "no element at all"
check "crowded and short files give the same tokens" $((1 - same))

check_summary
