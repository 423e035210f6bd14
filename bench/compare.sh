#!/usr/bin/env bash
# Prints every speed and memory figure of tindral-cli against its targets, one line each:
# "figure, value, target, met|NOT met". Builds its own optimised build in build/bench.
#   bash bench/compare.sh            # RUNS=7 interleaved runs per figure (at least 7 counts)
#   RUNS=11 BOARDS_DIR=/path bash bench/compare.sh
#   SETS="kicad" bash bench/compare.sh   # only some of: eagle kicad generated
# Whole processes: list and bom against the bare XML reader pass (bench/bare_reader.cpp), runs
# interleaved, medians of the per-run ratios. In process: the load against the reader walk
# (tindral-bench). Peak memory: max RSS from /usr/bin/time. Growth: generated boards.
set -euo pipefail
cd "$(dirname "$0")/.."
RUNS=${RUNS:-7}
BUILD=${BUILD:-build/bench}
BOARDS_DIR=${BOARDS_DIR:-${TINDRAL_BOARDS_DIR:-../shared/boards}}
KICAD_DIR=${KICAD_DIR:-${BOARDS_DIR}-kicad}
SETS=${SETS:-eagle kicad generated}
has_set() { [[ " $SETS " == *" $1 "* ]]; }

mkdir -p "$BUILD"
{ cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=Release -DTINDRAL_TESTS=OFF &&
  cmake --build "$BUILD" -j2 --target tindral-cli tindral-bench tindral-make-board \
        tindral-bare-reader; } >"$BUILD/compare-build.log" 2>&1 ||
  { tail -n 30 "$BUILD/compare-build.log"; echo "compare: build failed" >&2; exit 1; }
CLI=$BUILD/tindral-cli
BARE=$BUILD/tindral-bare-reader

gen=$BUILD/boards
mkdir -p "$gen"
for n in 1000 10000 50000; do
  [ -s "$gen/generated-$n.brd" ] || "$BUILD/tindral-make-board" "$n" "$gen/generated-$n.brd"
done
boards=()
if has_set eagle && [ -d "$BOARDS_DIR" ]; then
  for f in "$BOARDS_DIR"/*.brd; do [ -e "$f" ] && boards+=("$f"); done
fi
# KiCad boards: against one pass over their s-expressions.
if has_set kicad && [ -d "$KICAD_DIR" ]; then
  for f in "$KICAD_DIR"/*.kicad_pcb; do [ -e "$f" ] && boards+=("$f"); done
fi
has_set generated &&
  boards+=("$gen/generated-1000.brd" "$gen/generated-10000.brd" "$gen/generated-50000.brd")

# Milliseconds of one run of a command, its output dropped.
ms() {
  local t0=$EPOCHREALTIME
  "$@" >/dev/null 2>&1 || true
  local t1=$EPOCHREALTIME
  awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.3f", (b - a) * 1000 }'
}
median() { tr ' ' '\n' | grep . | sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
verdict() { awk -v v="$1" -v t="$2" 'BEGIN { print (v <= t ? "met" : "NOT met") }'; }
line() { printf '%s, %s, %s, %s\n' "$1" "$2" "<= $3" "$(verdict "$2" "$3")"; }

echo "figure, value, target, met"
declare -A list_ms
for b in "${boards[@]}"; do
  name=$(basename "$b"); name=${name%.*}
  bare=() list=() bom=() rl=() rb=()
  for ((i = 0; i < RUNS; i++)); do
    tb=$(ms "$BARE" "$b"); tl=$(ms "$CLI" list "$b"); to=$(ms "$CLI" bom "$b")
    bare+=("$tb") list+=("$tl") bom+=("$to")
    rl+=("$(awk -v a="$tl" -v b="$tb" 'BEGIN { printf "%.3f", a / b }')")
    rb+=("$(awk -v a="$to" -v b="$tb" 'BEGIN { printf "%.3f", a / b }')")
  done
  mb=$(echo "${bare[*]}" | median) ml=$(echo "${list[*]}" | median) mo=$(echo "${bom[*]}" | median)
  list_ms[$name]=$ml
  line "$name list/bare ($ml ms / $mb ms)" "$(echo "${rl[*]}" | median)" 1.5
  line "$name bom/bare ($mo ms / $mb ms)" "$(echo "${rb[*]}" | median)" 1.5
  size=$(stat -c %s "$b")
  # Two decimals, so that a figure a hair over its limit does not round to it.
  limit=$(awk -v s="$size" 'BEGIN { printf "%.2f", (2 * s + 20 * 1048576) / 1048576 }')
  for cmd in list bom; do
    rss=()
    for ((i = 0; i < 3; i++)); do
      rss+=("$(/usr/bin/time -f %M "$CLI" "$cmd" "$b" 2>&1 >/dev/null | tail -n 1)")
    done
    line "$name $cmd peak MB" "$(awk -v k="$(echo "${rss[*]}" | median)" 'BEGIN { printf "%.2f", k / 1024 }')" "$limit"
  done
done

if has_set generated; then
t1=${list_ms[generated-1000]} t10=${list_ms[generated-10000]} t50=${list_ms[generated-50000]}
line "list time 50000 parts / 1000 parts" "$(awk -v a="$t50" -v b="$t1" 'BEGIN { printf "%.2f", a / b }')" 55
# Least-squares slope of log time over log parts: 1 is linear.
awk -v a="$t1" -v b="$t10" -v c="$t50" 'BEGIN {
  x[1] = log(1000); x[2] = log(10000); x[3] = log(50000); y[1] = log(a); y[2] = log(b); y[3] = log(c)
  for (i = 1; i <= 3; i++) { sx += x[i]; sy += y[i] }
  for (i = 1; i <= 3; i++) { sxx += (x[i] - sx / 3) ^ 2; sxy += (x[i] - sx / 3) * (y[i] - sy / 3) }
  printf "list growth exponent (fitted over 1000, 10000, 50000 parts), %.2f, -, -\n", sxy / sxx }'
fi

# In process: the load's time over the reader walk's, each repetition measured side by side.
has_set eagle || exit 0
TINDRAL_BOARDS_DIR=$BOARDS_DIR "$BUILD/tindral-bench" --benchmark_filter='^BM_Load/' \
  --benchmark_repetitions="$RUNS" --benchmark_report_aggregates_only=true 2>/dev/null |
  awk '/^BM_Load\/.*_median/ {
         name = $1; sub(/^BM_Load\//, "", name); sub(/_median$/, "", name)
         for (i = 1; i <= NF; i++) if ($i ~ /^ratio=/) { r = $i; sub(/ratio=/, "", r) }
         printf "%s load/walk in process, %s, <= 1.3, %s\n", name, r, (r + 0 <= 1.3 ? "met" : "NOT met") }'
