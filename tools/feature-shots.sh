#!/usr/bin/env bash
# Makes the README's pictures of the bench features (docs/find.png, docs/pads.png,
# docs/booklet.png, docs/variants.png): Tindral under Wine on a virtual display, in English,
# driven with xdotool as a user would. Same build and prefix as tools/screenshot.sh
# (tools/shot-setup.sh).
#   bash tools/feature-shots.sh [find|pads|booklet|variants ...]
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/shot-setup.sh
OUTDIR="${OUTDIR:-$(pwd)/docs}"

# Settings for a start with board: English, the board in the path box, the two windows stacked.
prepare() {  # BOARD
  local board="Z:$1"; [[ "$1" == /* ]] || board="Z:$(pwd)/$1"
  board="${board//\//\\}"
  "$WINE" reg delete "$KEY" /f >/dev/null 2>&1 || true
  local v
  for v in "Xml path file name" "ComboPathFilename00"; do
    "$WINE" reg add "$KEY" /v "$v" /t REG_SZ /d "$board" /f >/dev/null
  done
  for v in "Use filelist=1" "First start after start=0" "Language=1" "Wnd main X=0" "Wnd main Y=0" \
           "Wnd main width=1100" "Wnd main height=420" "Wnd board X=0" "Wnd board Y=426" \
           "Wnd board width=1100" "Wnd board height=560" "Show bottom side=${BOTTOM:-0}"; do
    "$WINE" reg add "$KEY" /v "${v%%=*}" /t REG_DWORD /d "${v#*=}" /f >/dev/null
  done
  wineserver -w 2>/dev/null || true
}

# Runs the steps (a bash snippet with $main and $board set) and crops the windows whose titles
# match the patterns given after it.
shoot() {  # OUT BOARD STEPS
  prepare "$2"
  tools/with-display.sh bash -c '
    set -uo pipefail
    wine=$1 exe=$2 out=$3 boardfile=$4 steps=$5
    . tools/wine-window.sh
    main=$(start_tindral "$wine" "$exe") || exit 1
    xdotool mousemove --window "$main" 770 37 click 1
    board=""
    for i in $(seq 1 10); do
      board=$(find_window "$(basename "$boardfile" | sed "s/\./\\\\./g")" "$main")
      [ -n "$board" ] && break
      sleep 1
    done
    [ -n "$board" ] || { echo "the board did not load" >&2; wineserver -k; exit 1; }
    sleep 1
    extra=""
    eval "$steps"
    xdotool mousemove 1590 990
    sleep 1
    geo() { eval "$(xdotool getwindowgeometry --shell "$1")"; echo "$X $Y $WIDTH $HEIGHT"; }
    x0=99999 y0=99999 x1=0 y1=0
    for w in "$main" "$board" $extra; do
      read -r x y ww hh < <(geo "$w")
      ((x < x0)) && x0=$x; ((y < y0)) && y0=$y
      ((x + ww > x1)) && x1=$((x + ww)); ((y + hh > y1)) && y1=$((y + hh))
    done
    import -window root -crop "$((x1 - x0))x$((y1 - y0))+$x0+$y0" +repage "$out"
    wineserver -k
  ' _ "$WINE" "$BUILD_WIN/tindral.exe" "$OUTDIR/$1.png" "$2" "$3"
  echo "$OUTDIR/$1.png"
}

for what in "${@:-find pads booklet variants}"; do
  for w in $what; do
    case $w in
      find)
        # Two parts placed with Enter, then a search: the matches outlined in gold.
        shoot find samples/tindral-sample.brd '
          xdotool mousemove --window "$main" 60 152 click 1; sleep 1
          xdotool key Return; sleep 1; xdotool key Return; sleep 1
          xdotool key ctrl+f; sleep 0.5
          xdotool type --delay 150 "c08"; sleep 1' ;;
      pads)
        # Zoomed in on the sample: pad outlines in copper, the dot on pin 1.
        shoot pads samples/tindral-sample.brd '
          for i in 1 2; do xdotool mousemove --window "$board" 180 40 click 1; sleep 1; done' ;;
      booklet)
        # File > Print booklet...: the preview of the first page.
        shoot booklet samples/tindral-sample.brd '
          xdotool mousemove --window "$main" 15 8 click 1; sleep 1
          xdotool key Down Down Down Down Return; sleep 2
          extra=$(find_window "booklet" "$main")' ;;
      kicad-*)
        # Any board given by its path after "kicad-", for a look (OUTDIR elsewhere than docs).
        shoot "$(basename "${w#kicad-}")" "${w#kicad-}" 'sleep 1' ;;
      variants)
        # A board with assembly variants: the chooser set to another variant.
        shoot variants tests/boards/v1-variants.brd '
          xdotool mousemove --window "$main" 940 104 click 1; sleep 1
          xdotool key Down Return; sleep 1' ;;
    esac
  done
done
