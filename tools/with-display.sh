#!/usr/bin/env bash
# Runs a command on the current X display, or on a virtual one when there is none.
set -euo pipefail
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec "$@"
fi
exec xvfb-run -a -s "-screen 0 1600x1000x24" "$@"
