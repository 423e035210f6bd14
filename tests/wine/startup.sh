#!/usr/bin/env bash
# tindral.exe starts with its four windows, honours the stored settings, and ends when its main
# window is closed, leaving its window places and first-start choice in the registry.
set -uo pipefail
cd "$(dirname "$0")/../.."
. tools/wine-env.sh
wine_on_display "$0" "$@"
WINE=$(wine_cmd)
KEY='HKCU\Software\Moravel\TindralV1.01'
TITLE='Tindral V2.00.1'

. tools/wine-check.sh

if [ ! -f "$BUILD_WIN/tindral.exe" ]; then
  check_cannot_run "tindral.exe missing in $BUILD_WIN"
fi
[ -d "$WINEPREFIX" ] || wine_fresh_prefix

reg_set() { "$WINE" reg add "$KEY" /v "$1" /t REG_DWORD /d "$2" /f >/dev/null 2>&1; }
reg_get() {  # prints the DWORD as a decimal number, or nothing
  local hex
  hex=$("$WINE" reg query "$KEY" /v "$1" 2>/dev/null | tr -d '\r' |
        sed -nE "s/^ *$1 +REG_DWORD +0x([0-9a-fA-F]+).*/\1/p")
  [ -n "$hex" ] && echo $((16#$hex))
}

# Waits until a window with exactly this title exists (shown or hidden); prints its id.
wait_window() {
  local id i
  for i in $(seq 1 40); do
    id=$(xdotool search --name "^$1\$" 2>/dev/null | head -n 1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    kill -0 "$pid" 2>/dev/null || return 1
    sleep 1
  done
  return 1
}

visible() { [ -n "$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null)" ]; }

# Alt+F4 on the main window; then the process must end by itself.
close_and_wait() {
  local i
  xdotool windowfocus --sync "$1" >/dev/null 2>&1
  xdotool key --clearmodifiers alt+F4
  for i in $(seq 1 20); do
    kill -0 "$pid" 2>/dev/null || { wait "$pid" 2>/dev/null; return 0; }
    sleep 1
  done
  kill "$pid" 2>/dev/null
  return 1
}

# --- first start: no language chosen yet, a main window stored off screen and too narrow ---
"$WINE" reg delete "$KEY" /f >/dev/null 2>&1
reg_set "Wnd main X" 0xffffffec   # -20
reg_set "Wnd main width" 150
reg_set "Wnd found X" 0xffff8300  # -32000: left by a window minimised at exit
reg_set "Wnd found Y" 0xffff8300
reg_set "Wnd bom X" 5000          # right of the screen
"$WINE" "$BUILD_WIN/tindral.exe" >/dev/null 2>&1 &
pid=$!

main=$(wait_window "$TITLE")
check "main window \"$TITLE\" appears" $?
wait_window "$TITLE       No board loaded" >/dev/null
check "board window titled in English before a board is loaded" $?
visible "$TITLE       No board loaded"
check "board window is shown" $?
found=1; bom=1
wait_window "$TITLE     Found components" >/dev/null && ! visible "$TITLE     Found components" && found=0
check "found-components window exists, hidden" $found
wait_window "$TITLE     Component list" >/dev/null && ! visible "$TITLE     Component list" && bom=0
check "BOM window exists, hidden" $bom

if [ -n "$main" ]; then
  close_and_wait "$main"
  check "closing the main window ends the program" $?
else
  kill "$pid" 2>/dev/null
  check "closing the main window ends the program" 1
fi

[ "$(reg_get 'First start after start')" = 0 ]
check "first start is recorded" $?
lang=$(reg_get Language)
[ "$lang" = 0 ] || [ "$lang" = 1 ]
check "a language was chosen on the first start ($lang)" $?
[ "$(reg_get 'Wnd main X')" = 0 ] && [ "$(reg_get 'Wnd main width')" = 1100 ]
check "stored main window X -20 and width 150 start at 0 and 1100" $?
fx=$(reg_get 'Wnd found X'); fy=$(reg_get 'Wnd found Y')
bx=$(reg_get 'Wnd bom X'); bw=$(reg_get 'Wnd bom width')
[ -n "$fx" ] && [ "$fx" -lt 1600 ] && [ -n "$fy" ] && [ "$fy" -lt 1000 ] &&
  [ -n "$bx" ] && [ -n "$bw" ] && [ $((bx + bw)) -le 1600 ]
check "found window stored at -32000 and BOM window stored off screen come back on it ($fx,$fy $bx+$bw)" $?
w=$(reg_get 'Wnd board width')
[ -n "$w" ] && [ "$w" -ge 200 ]
check "board window rectangle stored at the end" $?

# --- a later start keeps the stored language: German ---
reg_set "Language" 0
"$WINE" "$BUILD_WIN/tindral.exe" >/dev/null 2>&1 &
pid=$!
main=$(wait_window "$TITLE")
wait_window "$TITLE       Kein Board geladen" >/dev/null
check "stored German language titles the board window in German" $?
if [ -n "$main" ]; then
  close_and_wait "$main"
  check "the German start ends on close too" $?
else
  kill "$pid" 2>/dev/null
  check "the German start ends on close too" 1
fi
[ "$(reg_get Language)" = 0 ] && [ "$(reg_get 'First start after start')" = 0 ]
check "the stored language is kept" $?

check_summary
