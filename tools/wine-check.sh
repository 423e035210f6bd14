# Sourced by the checks in tests/wine/: counts the results and prints the last line that
# tools/wine-tests.sh adds up, "wine-check: N passed, M failed, K skipped".
passed=0
failed=0
skipped=0

check() {  # name, result (0 = pass)
  if [ "$2" -eq 0 ]; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAILED: $1"; fi
}

# A check that needs what this machine lacks (the real boards, say): counted, not run.
check_skip() {  # name
  skipped=$((skipped + 1))
}

check_summary() { echo "wine-check: $passed passed, $failed failed, $skipped skipped"; }

# The check cannot run at all: one failure, said why, and the end of the script.
check_cannot_run() {  # reason
  echo "$1"
  failed=$((failed + 1))
  check_summary
  exit 0
}
