#!/usr/bin/env bash
# The two compiled help files lie beside tindral.exe, are real CHM files and hold every page and
# the contents of their language.
set -uo pipefail
cd "$(dirname "$0")/../.."
: "${BUILD_WIN:=build/win}"

. tools/wine-check.sh

if ! command -v chmcmd >/dev/null 2>&1; then
  echo "chmcmd missing: the help files are not built"
  check_summary
  exit 0
fi

for pair in "de TindralHelpGer.chm" "en TindralHelpEng.chm"; do
  set -- $pair
  lang=$1 chm="$BUILD_WIN/$2"
  if [ ! -f "$chm" ]; then
    check "$2 beside tindral.exe" 1
    continue
  fi
  check "$2 beside tindral.exe" 0
  [ "$(head -c 4 "$chm")" = "ITSF" ]
  check "$2 is a compiled help file" $?
  for page in help/$lang/*.html help/$lang/*.hhc; do
    grep -qa "/$(basename "$page")" "$chm"
    check "$2 holds $(basename "$page")" $?
  done
done
check_summary
