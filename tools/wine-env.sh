# Sourced by the scripts that run Windows programs under Wine: one throwaway prefix inside the
# build folder, no Mono/Gecko installers, a quiet Wine.
: "${BUILD_WIN:=build/win}"
export WINEPREFIX="${WINEPREFIX:-$(cd "$BUILD_WIN" && pwd)/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
export WINEARCH=win64

wine_cmd() {
  if command -v wine64 >/dev/null 2>&1 && [ -x "$(command -v wine64)" ]; then echo wine64; else echo wine; fi
}

# Makes a fresh prefix (about 15 s) unless one made by this run exists.
wine_fresh_prefix() {
  rm -rf "$WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  "$(wine_cmd)" wineboot -i >/dev/null 2>&1 || true
  wineserver -w 2>/dev/null || true
}

# For a script that drives windows: runs it again on a virtual display unless one is there.
#   wine_on_display "$0" "$@"
wine_on_display() {
  if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
    exec tools/with-display.sh bash "$@"
  fi
}
