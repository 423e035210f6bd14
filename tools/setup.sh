#!/usr/bin/env bash
# Installs everything Tindral needs on a Debian 12 / Ubuntu machine. Idempotent: quiet when
# every package is present. The only place in the project where anything gets installed.
# `tools/setup.sh cli` installs only what the native tindral-cli build needs (make cli): no
# Wine, no cross compiler, no test tools.
set -euo pipefail

cli_packages=(cmake make g++ pkg-config libxml2-dev zlib1g-dev)
packages=(
  "${cli_packages[@]}"
  libgtest-dev libbenchmark-dev
  mingw-w64 g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 libz-mingw-w64-dev
  wine wine64
  xvfb xauth x11-utils imagemagick xdotool
  fp-utils nsis zip unzip
  clang libclang-rt-14-dev
)

case "${1:-}" in
  "") ;;
  cli) packages=("${cli_packages[@]}") ;;
  *) echo "usage: tools/setup.sh [cli]" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "setup: installing ${missing[*]}"
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
