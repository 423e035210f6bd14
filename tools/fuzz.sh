#!/usr/bin/env bash
# Fuzzes the core with libFuzzer: tools/fuzz.sh TARGET|all SECONDS
#   TARGET: tokenise, load or selection; "all" shares the time out (load gets half).
# Builds build/fuzz with clang, replays fuzz/regressions/<target>/ first, then fuzzes from the
# hand-written seeds in fuzz/corpus/<target>/ plus the shared boards (copied into the build
# folder; boards over FUZZ_MAX_BOARD_BYTES, default 1.5 MB, are left out: big inputs slow every
# mutation down). Prints executions and findings; exits non-zero on any finding. Findings
# land in build/fuzz/findings/<target>/.
set -uo pipefail
cd "$(dirname "$0")/.."
ROOT=$(pwd)
BUILD=${FUZZ_BUILD:-build/fuzz}
BOARDS="$ROOT/../shared/boards"
MAX_BOARD_BYTES=${FUZZ_MAX_BOARD_BYTES:-1500000}

usage() { echo "usage: tools/fuzz.sh tokenise|load|selection|all SECONDS" >&2; exit 2; }
[ $# -eq 2 ] || usage
what=$1
secs=$2
[[ "$secs" =~ ^[0-9]+$ ]] && [ "$secs" -gt 0 ] || usage
case "$what" in
  tokenise|load|selection) targets=("$what:$secs") ;;
  all) q=$((secs / 4)); [ "$q" -gt 0 ] || q=1
       targets=("tokenise:$q" "load:$((secs - 2 * q))" "selection:$q") ;;
  *) usage ;;
esac

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
  cp -f fuzz/corpus/"$name"/* "$seeds"/ 2>/dev/null
  if [ "$name" != selection ] && [ -d "$BOARDS" ]; then
    for b in "$BOARDS"/*.brd; do
      [ "$(stat -c %s "$b")" -le "$MAX_BOARD_BYTES" ] && cp -f "$b" "$seeds"/
    done
  fi

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
  nice "$bin" -max_total_time="$time" -timeout=10 -rss_limit_mb=2048 -max_len=$MAX_BOARD_BYTES \
       -print_final_stats=1 -artifact_prefix="$findings/" "$work" "$seeds" >"$log" 2>&1
  rc=$?
  after=$(find "$findings" -type f | wc -l)
  execs=$(grep -E '^stat::number_of_executed_units:' "$log" | tail -n 1 | awk '{print $2}')
  new=$((after - before))
  [ "$rc" -ne 0 ] && [ "$new" -eq 0 ] && new=1  # died without leaving an input
  new=$((new + regress))
  echo "fuzz: $name: ${time}s, ${execs:-0} executions, $new findings, corpus $(ls "$work" | wc -l) inputs"
  if [ "$rc" -ne 0 ]; then
    grep -E 'ERROR: |runtime error|SUMMARY|Test unit written' "$log" | head -n 8
  fi
  total_findings=$((total_findings + new))
done
echo "fuzz: $total_findings findings"
[ "$total_findings" -eq 0 ]
