#!/usr/bin/env bash
# The setup program and the portable zip of make dist: the zip holds the release files; the setup
# installs silently, the installed Tindral starts and closes, and the silent uninstall removes
# what setup put there but keeps the user's settings and files.
set -uo pipefail
cd "$(dirname "$0")/../.."
. tools/wine-env.sh
wine_on_display "$0" "$@"
WINE=$(wine_cmd)
TITLE='Tindral V2.00.1'
SETTINGS_KEY='HKCU\Software\Moravel\TindralV1.01'
UNINST_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tindral'
DIST="$BUILD_WIN/dist"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

. tools/wine-check.sh

# --- pack what make test's cross build made ---
DIST_NO_BUILD=1 BUILD_WIN="$BUILD_WIN" DIST_DIR="$DIST" tools/dist.sh >"$tmp/dist.log" 2>&1 ||
  { cat "$tmp/dist.log"; check_cannot_run "tools/dist.sh failed"; }
setup=$(ls "$DIST"/tindral-*-setup.exe 2>/dev/null | head -n 1)
zip=$(ls "$DIST"/tindral-*-portable.zip 2>/dev/null | head -n 1)
[ -n "$setup" ] && [ -n "$zip" ] || check_cannot_run "tools/dist.sh made no setup or zip in $DIST"
[ "$(basename "$zip")" = "tindral-2.00.1-portable.zip" ] && [ "$(basename "$setup")" = "tindral-2.00.1-setup.exe" ]
check "archives named after the program's version 2.00.1" $?

release=(tindral.exe tindral-cli.exe TindralHelpGer.chm TindralHelpEng.chm)
expected=$(printf '%s\n' "${release[@]/#/Tindral/}" Tindral/readme.txt Tindral/samples/tindral-sample.brd | sort)
listed=$(unzip -Z1 "$zip" | grep -v '/$' | sort)
[ "$listed" = "$expected" ]
check "the zip holds exactly the release files" $?
unzip -q "$zip" -d "$tmp/zip"
ok=0
for f in "${release[@]}"; do cmp -s "$BUILD_WIN/$f" "$tmp/zip/Tindral/$f" || ok=1; done
cmp -s samples/tindral-sample.brd "$tmp/zip/Tindral/samples/tindral-sample.brd" || ok=1
check "the zipped files are the built ones" $ok

# --- silent install ---
[ -d "$WINEPREFIX" ] || wine_fresh_prefix
inst="$WINEPREFIX/drive_c/Program Files/Tindral"
menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Tindral"
rm -rf "$inst" "$menu"   # a run of this check that stopped halfway
"$WINE" "$setup" /S >/dev/null 2>&1
check "setup /S ends with exit code 0" $?

ok=0
for f in "${release[@]}"; do cmp -s "$BUILD_WIN/$f" "$inst/$f" || { echo "not installed: $f"; ok=1; }; done
cmp -s samples/tindral-sample.brd "$inst/samples/tindral-sample.brd" || { echo "not installed: sample"; ok=1; }
[ -f "$inst/readme.txt" ] && [ -f "$inst/uninstall.exe" ] || ok=1
check "program, help, sample, readme and uninstaller in Program Files\\Tindral" $ok
[ -f "$menu/Tindral.lnk" ] && [ "$(ls "$menu"/*.lnk 2>/dev/null | wc -l)" -eq 4 ]
check "start menu folder with Tindral, two help links and the uninstaller" $?
"$WINE" reg query "$UNINST_KEY" /v DisplayVersion 2>/dev/null | tr -d '\r' | grep -qE 'REG_SZ +2\.00\.1$' &&
  "$WINE" reg query "$UNINST_KEY" /v UninstallString 2>/dev/null | grep -q 'uninstall.exe'
check "registered in Add/Remove Programs with version 2.00.1" $?

"$WINE" "$inst/tindral-cli.exe" list 'C:\Program Files\Tindral\samples\tindral-sample.brd' --format csv \
  >"$tmp/cli.csv" 2>/dev/null
[ $? -eq 0 ] && [ "$(wc -l <"$tmp/cli.csv")" -ge 2 ]
check "the installed tindral-cli lists the installed sample board" $?

# --- the installed program starts and ends on close ---
"$WINE" "C:\\Program Files\\Tindral\\tindral.exe" >/dev/null 2>&1 &
pid=$!
main=""
for i in $(seq 1 40); do
  main=$(xdotool search --name "^$TITLE\$" 2>/dev/null | head -n 1)
  [ -n "$main" ] && break
  kill -0 "$pid" 2>/dev/null || break
  sleep 1
done
[ -n "$main" ]
check "the installed tindral.exe opens its main window \"$TITLE\"" $?
ended=1
if [ -n "$main" ]; then
  xdotool windowfocus --sync "$main" >/dev/null 2>&1
  xdotool key --clearmodifiers alt+F4
  for i in $(seq 1 20); do
    kill -0 "$pid" 2>/dev/null || { wait "$pid" 2>/dev/null; ended=0; break; }
    sleep 1
  done
fi
[ "$ended" -eq 0 ] || kill "$pid" 2>/dev/null
check "the installed tindral.exe ends when its main window is closed" $ended

# --- silent uninstall: setup's files go, the user's stay ---
"$WINE" reg add "$SETTINGS_KEY" /v "Language" /t REG_DWORD /d 1 /f >/dev/null 2>&1
echo "user file" >"$inst/samples/saved-by-user.txt"
# The uninstaller copies itself away and returns at once: wait for its work to show.
"$WINE" "$inst/uninstall.exe" /S >/dev/null 2>&1
for i in $(seq 1 30); do
  [ -e "$inst/uninstall.exe" ] || [ -e "$inst/tindral.exe" ] || break
  sleep 1
done
timeout 60 wineserver -w 2>/dev/null || true
ok=0
for f in "${release[@]}" readme.txt uninstall.exe samples/tindral-sample.brd; do
  [ -e "$inst/$f" ] && { echo "left behind: $f"; ok=1; }
done
check "the silent uninstall removes every installed file" $ok
[ ! -e "$menu" ]
check "the start menu folder is gone" $?
! "$WINE" reg query "$UNINST_KEY" >/dev/null 2>&1
check "the Add/Remove Programs entry is gone" $?
[ "$(cat "$inst/samples/saved-by-user.txt" 2>/dev/null)" = "user file" ]
check "a file the user saved in the install folder is kept" $?
"$WINE" reg query "$SETTINGS_KEY" /v Language 2>/dev/null | tr -d '\r' | grep -qE 'REG_DWORD +0x1$'
check "the user's settings key is kept" $?
rm -rf "$inst"

check_summary
