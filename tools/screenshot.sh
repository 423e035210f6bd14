#!/usr/bin/env bash
# Makes docs/tindral.png (or the file given): Tindral under Wine on a virtual display with the
# sample board loaded, R1 to R4 placed and C1 the current part, the main window above the board
# window, in English. Uses a prefix of its own and sets the settings it needs before each start.
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-docs/tindral.png}"
case "$out" in /*) ;; *) out="$(pwd)/$out" ;; esac
mkdir -p "$(dirname "$out")"
. tools/shot-setup.sh

sample="Z:$(pwd)/samples/tindral-sample.brd"
sample="${sample//\//\\}"
"$WINE" reg delete "$KEY" /f >/dev/null 2>&1 || true
reg_sz() { "$WINE" reg add "$KEY" /v "$1" /t REG_SZ /d "$2" /f >/dev/null; }
reg_dw() { "$WINE" reg add "$KEY" /v "$1" /t REG_DWORD /d "$2" /f >/dev/null; }
reg_sz "Xml path file name" "$sample"
reg_sz "ComboPathFilename00" "$sample"
reg_dw "Use filelist" 1
reg_dw "First start after start" 0
reg_dw "Language" 1
# The main window needs its full width for the Bom button; the board window goes below it.
reg_dw "Wnd main X" 0;  reg_dw "Wnd main Y" 0;   reg_dw "Wnd main width" 1100;  reg_dw "Wnd main height" 420
reg_dw "Wnd board X" 0; reg_dw "Wnd board Y" 426; reg_dw "Wnd board width" 1100; reg_dw "Wnd board height" 560
wineserver -w 2>/dev/null || true

tools/with-display.sh bash -c '
  set -uo pipefail
  wine=$1 exe=$2 out=$3
  . tools/wine-window.sh
  main=$(start_tindral "$wine" "$exe") || exit 1
  # Coordinates are relative to the main window, menu bar included: Load, then the first row.
  xdotool mousemove --window "$main" 770 37 click 1
  board=""
  for i in $(seq 1 10); do
    board=$(find_window "tindral-sample\.brd" "$main")
    [ -n "$board" ] && break
    sleep 1
  done
  [ -n "$board" ] || { echo "the sample board did not load" >&2; wineserver -k; exit 1; }
  sleep 1
  xdotool mousemove --window "$main" 60 152 click 1
  sleep 1
  # Down and Space choose the next row; the one before is then marked as placed.
  for k in 1 2 3 4; do
    xdotool key Down; sleep 0.5
    xdotool key space; sleep 1
  done
  xdotool mousemove 1590 990
  sleep 1
  # Crop to the two windows.
  geo() { eval "$(xdotool getwindowgeometry --shell "$1")"; echo "$X $Y $WIDTH $HEIGHT"; }
  read -r mx my mw mh < <(geo "$main")
  read -r bx by bw bh < <(geo "$board")
  x0=$((mx < bx ? mx : bx)); y0=$((my < by ? my : by))
  x1=$((mx + mw > bx + bw ? mx + mw : bx + bw)); y1=$((my + mh > by + bh ? my + mh : by + bh))
  import -window root -crop "$((x1 - x0))x$((y1 - y0))+$x0+$y0" +repage "$out"
  wineserver -k
' _ "$WINE" "$BUILD_WIN/tindral.exe" "$out"
echo "screenshot: $out ($(stat -c %s "$out") bytes)"
