# Sourced on a display by the scripts that drive the real program with xdotool. There is no
# virtual Wine desktop: each top-level window is an X window of its own.

# The first window whose title matches the pattern, other than the window given.
find_window() { xdotool search --name "$1" 2>/dev/null | grep -vx "${2:-}" | head -n 1; }

# Starts Tindral in the background and prints its main window once it is up (40 s at most).
start_tindral() {  # WINE EXE
  "$1" "$2" >/dev/null 2>&1 &
  local main="" i
  for i in $(seq 1 40); do
    main=$(find_window "^Tindral V2\.00\.1\$")
    [ -n "$main" ] && break
    sleep 1
  done
  [ -n "$main" ] || { echo "the main window did not appear" >&2; wineserver -k; return 1; }
  sleep 2
  echo "$main"
}
