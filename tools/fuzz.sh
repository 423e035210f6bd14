#!/usr/bin/env bash
# Fuzzes the core with libFuzzer: tools/fuzz.sh TARGET|all SECONDS
#   TARGET: tokenise, load, selection, board_marks (a board with the marks file beside it),
#   archive (the board in a .fbrd) or kicad (a .kicad_pcb through the load); "all" shares the
#   time out (load gets two sevenths, the others one seventh each).
# Builds build/fuzz with clang, replays fuzz/regressions/<target>/ first, then fuzzes from small
# seeds: the hand-written ones in fuzz/corpus/<target>/, our own boards, and the real boards (when
# present, tools/real-boards.sh) cut down to their first few children of each section by
# fuzz/cut_board.awk (boards over FUZZ_MAX_BOARD_BYTES, default 8 MB, are left out). Small inputs keep every run quick, so far
# more of them fit in the time; fuzz/eagle.dict gives the mutations Eagle's vocabulary. Inputs
# grow to FUZZ_MAX_LEN bytes (default 32768). Prints executions, executions a second, coverage
# and findings; exits non-zero on any finding. Findings land in build/fuzz/findings/<target>/.
set -uo pipefail
cd "$(dirname "$0")/.."
ROOT=$(pwd)
BUILD=${FUZZ_BUILD:-build/fuzz}
. tools/real-boards.sh
MAX_BOARD_BYTES=${FUZZ_MAX_BOARD_BYTES:-8000000}
MAX_LEN=${FUZZ_MAX_LEN:-32768}

usage() { echo "usage: tools/fuzz.sh tokenise|load|selection|board_marks|archive|kicad|all SECONDS" >&2; exit 2; }
[ $# -eq 2 ] || usage
what=$1
secs=$2
[[ "$secs" =~ ^[0-9]+$ ]] && [ "$secs" -gt 0 ] || usage
case "$what" in
  tokenise|load|selection|board_marks|archive|kicad) targets=("$what:$secs") ;;
  all) q=$((secs / 7)); [ "$q" -gt 0 ] || q=1
       targets=("tokenise:$q" "load:$((secs - 5 * q))" "selection:$q" "board_marks:$q" "archive:$q"
                "kicad:$q") ;;
  *) usage ;;
esac

# Board seeds for a target: our own boards, and the real ones cut small.
board_seeds() {  # DIR
  cp -f samples/*.brd "$1"/
  compgen -G "tests/boards/*.brd" >/dev/null && cp -f tests/boards/*.brd "$1"/
  [ -n "$REAL_BOARDS" ] || return 0
  local b
  for b in "$REAL_BOARDS"/*.brd; do
    [ "$(stat -c %s "$b")" -le "$MAX_BOARD_BYTES" ] || continue
    awk -v N=4 -f fuzz/cut_board.awk "$b" >"$1/cut-$(basename "$b")"
  done
}

# board_marks inputs: each board seed, then marks of as many states as its name is long, then
# the two length bytes.
marks_seeds() {  # DIR
  local b n
  for b in "$1"/*.brd; do
    n=$(( $(basename "$b" | wc -c) * 4 % 256 ))
    { cat "$b"; head -c "$n" /dev/zero | tr '\0' '\2'; printf "\\x$(printf %02x "$n")\\x00"; } >"$b.marks"
    rm -f "$b"
  done
}

# archive inputs: our own boards packed as .fbrd archives are, in a folder, stored and deflated.
archive_seeds() {  # DIR
  local b tmp
  tmp=$(mktemp -d)
  mkdir -p "$tmp/Board[Active]/electron.BlobParts"
  for b in samples/*.brd tests/boards/*.brd; do
    [ -f "$b" ] || continue
    cp -f "$b" "$tmp/Board[Active]/electron.BlobParts/ExtFile.brd"
    (cd "$tmp" && zip -q -X -r "$1/$(basename "$b" .brd).fbrd" "Board[Active]" &&
      zip -q -X -0 -r "$1/$(basename "$b" .brd)-stored.fbrd" "Board[Active]")
  done
  rm -rf "$tmp"
}

# kicad inputs: our own KiCad boards, and the first part of each real one (its header, layers
# and first footprints; the cut leaves the brackets open, which is a case of its own).
kicad_seeds() {  # DIR
  cp -f tests/boards/*.kicad_pcb "$1"/
  local dir=${REAL_BOARDS:+$REAL_BOARDS-kicad} b
  [ -n "$dir" ] && [ -d "$dir" ] || return 0
  for b in "$dir"/*.kicad_pcb; do head -c "$MAX_LEN" "$b" >"$1/cut-$(basename "$b")"; done
}

CC=clang CXX=clang++ cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTINDRAL_FUZZ=ON -DTINDRAL_TESTS=OFF >/dev/null || { echo "fuzz: configure failed"; exit 1; }
names=()
for t in "${targets[@]}"; do names+=("${t%%:*}_fuzz"); done
nice cmake --build "$BUILD" -j2 --target "${names[@]}" >"$BUILD/build.log" 2>&1 ||
  { tail -n 40 "$BUILD/build.log"; echo "fuzz: build failed"; exit 1; }

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
total_findings=0
for t in "${targets[@]}"; do
  name=${t%%:*}
  time=${t##*:}
  bin="$BUILD/${name}_fuzz"
  work="$BUILD/corpus/$name"
  seeds="$BUILD/seeds/$name"
  findings="$BUILD/findings/$name"
  mkdir -p "$work" "$seeds" "$findings"
  rm -f "$seeds"/*
  cp -f fuzz/corpus/"$name"/* "$seeds"/ 2>/dev/null
  dict=()
  case "$name" in
    tokenise|load) board_seeds "$seeds"; dict=(-dict=fuzz/eagle.dict) ;;
    board_marks) board_seeds "$seeds"; marks_seeds "$seeds"; dict=(-dict=fuzz/eagle.dict) ;;
    archive) archive_seeds "$(cd "$seeds" && pwd)" ;;
    kicad) kicad_seeds "$seeds" ;;
  esac

  # The inputs of earlier findings must stay fixed.
  regress=0
  if compgen -G "fuzz/regressions/$name/*" >/dev/null; then
    if ! "$bin" -runs=0 -timeout=10 -rss_limit_mb=2048 fuzz/regressions/"$name"/* \
         >"$BUILD/$name-regressions.log" 2>&1; then
      tail -n 30 "$BUILD/$name-regressions.log"
      echo "fuzz: $name: a regression input fails again"
      regress=1
    fi
  fi

  log="$BUILD/$name.log"
  before=$(find "$findings" -type f | wc -l)
  nice "$bin" -max_total_time="$time" -timeout=10 -rss_limit_mb=2048 -max_len="$MAX_LEN" \
       "${dict[@]}" -print_final_stats=1 -artifact_prefix="$findings/" "$work" "$seeds" >"$log" 2>&1
  rc=$?
  after=$(find "$findings" -type f | wc -l)
  execs=$(grep -E '^stat::number_of_executed_units:' "$log" | tail -n 1 | awk '{print $2}')
  new=$((after - before))
  [ "$rc" -ne 0 ] && [ "$new" -eq 0 ] && new=1  # died without leaving an input
  new=$((new + regress))
  per_sec=$(grep -E '^stat::average_exec_per_sec:' "$log" | tail -n 1 | awk '{print $2}')
  cov=$(grep -oE 'cov: [0-9]+ ft: [0-9]+' "$log" | tail -n 1)
  echo "fuzz: $name: ${time}s, ${execs:-0} executions (${per_sec:-0}/s), ${cov:-cov: 0}," \
       "$new findings, corpus $(ls "$work" | wc -l) inputs"
  if [ "$rc" -ne 0 ]; then
    grep -E 'ERROR: |runtime error|SUMMARY|Test unit written' "$log" | head -n 8
  fi
  total_findings=$((total_findings + new))
done
echo "fuzz: $total_findings findings"
[ "$total_findings" -eq 0 ]
