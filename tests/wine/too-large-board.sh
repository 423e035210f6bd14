#!/usr/bin/env bash
# A file far larger than any board, loaded with a real click on Load, is refused at once with
# an error box of its own, and the program goes on.
set -uo pipefail
cd "$(dirname "$0")/../.."
. tools/wine-env.sh
wine_on_display "$0" "$@"
WINE=$(wine_cmd)
KEY='HKCU\Software\Moravel\TindralV1.01'

. tools/wine-check.sh
. tools/wine-window.sh

if [ ! -f "$BUILD_WIN/tindral.exe" ]; then
  check_cannot_run "tindral.exe missing in $BUILD_WIN"
fi
[ -d "$WINEPREFIX" ] || wine_fresh_prefix

# 64 MB and one byte, sparse: nothing of it is written, and the program must not read it.
huge="$(cd "$BUILD_WIN" && pwd)/too-large.brd"
printf '<?xml version="1.0"?>\n<eagle>\n' >"$huge"
truncate -s $(( (64 << 20) + 1 )) "$huge"
win_path="Z:${huge//\//\\}"
"$WINE" reg add "$KEY" /v "Xml path file name" /t REG_SZ /d "$win_path" /f >/dev/null 2>&1
"$WINE" reg add "$KEY" /v "Use filelist" /t REG_DWORD /d 1 /f >/dev/null 2>&1
"$WINE" reg add "$KEY" /v "ComboPathFilename00" /t REG_SZ /d "$win_path" /f >/dev/null 2>&1
"$WINE" reg add "$KEY" /v "Language" /t REG_DWORD /d 1 /f >/dev/null 2>&1
"$WINE" reg add "$KEY" /v "First start after start" /t REG_DWORD /d 0 /f >/dev/null 2>&1

main=$(start_tindral "$WINE" "$BUILD_WIN/tindral.exe")
check "the main window appears" $?
error=""
if [ -n "$main" ]; then
  # The Load button sits at 740,5 (60 x 25) in the client area, below a menu bar of unknown
  # height; a miss lands on the menu bar or the Reset selection button, which do no harm here.
  start=$(date +%s)
  for dy in 0 20 43; do
    xdotool mousemove --window "$main" 770 $((17 + dy)) click 1
    for _ in 1 2 3 4 5; do
      error=$(xdotool search --onlyvisible --name '^Tindral Error$' 2>/dev/null | head -n 1)
      [ -n "$error" ] && break 2
      sleep 1
    done
  done
  took=$(( $(date +%s) - start ))
fi
[ -n "$error" ]
check "clicking Load shows a visible \"Tindral Error\" box" $?
[ -n "$error" ] && [ "${took:-99}" -le 20 ]
check "the box comes within seconds (${took:-?} s)" $?
shot="$BUILD_WIN/too-large-board.png"
import -window root "$shot" 2>/dev/null
# The box is drawn: its window has pixels other than one flat colour.
colours=0
[ -n "$error" ] && colours=$(import -window "$error" -format '%k' info: 2>/dev/null || echo 0)
[ "${colours:-0}" -gt 2 ]
check "the box has text on it ($colours colours; screenshot $shot)" $?
if [ -n "$error" ]; then
  xdotool windowfocus --sync "$error" >/dev/null 2>&1
  xdotool key --clearmodifiers Return
  sleep 2
fi
[ -z "$(xdotool search --onlyvisible --name '^Tindral Error$' 2>/dev/null)" ]
check "Enter closes the box" $?
# The main window is titled with the file's name by now.
[ -n "$main" ] && xdotool getwindowname "$main" 2>/dev/null | grep -q 'too-large\.brd$'
check "the program still runs, its main window titled with the file" $?

wineserver -k 2>/dev/null
rm -f "$huge"
"$WINE" reg delete "$KEY" /f >/dev/null 2>&1
wineserver -k 2>/dev/null
check_summary
