# Sourced: finds the folder of real boards, the second tier of the tests. TINDRAL_BOARDS_DIR names
# it when set (a name without boards hides them); otherwise ../shared/boards beside the checkout.
# Sets REAL_BOARDS (absolute, empty when there are none) and REAL_BOARDS_WHY (why they are absent).
real_boards_find() {
  local dir=${TINDRAL_BOARDS_DIR-"$(pwd)/../shared/boards"}
  REAL_BOARDS=""
  REAL_BOARDS_WHY=""
  if compgen -G "$dir/*.brd" >/dev/null 2>&1; then
    REAL_BOARDS=$(cd "$dir" && pwd)
  elif [ -n "${TINDRAL_BOARDS_DIR+set}" ]; then
    REAL_BOARDS_WHY="TINDRAL_BOARDS_DIR ($dir) holds no .brd files"
  else
    REAL_BOARDS_WHY="no folder of real boards: set TINDRAL_BOARDS_DIR or put them in ../shared/boards"
  fi
}
real_boards_find

# Our own boards, then the real ones when present, into the array TEST_BOARDS (absolute paths).
test_boards_collect() {
  local restore
  restore=$(shopt -p nullglob)
  shopt -s nullglob
  TEST_BOARDS=("$(pwd)"/samples/*.brd "$(pwd)"/tests/boards/*.brd)
  [ -z "$REAL_BOARDS" ] || TEST_BOARDS+=("$REAL_BOARDS"/*.brd)
  eval "$restore"
}
