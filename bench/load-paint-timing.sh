#!/usr/bin/env bash
# Load plus first paint under Wine, of a generated 10 000-element board and the largest real
# board (when the real boards are there), then the load's steps one by one (medians).
#   BUILD_WIN=build/win bash bench/load-paint-timing.sh
exec bash "$(dirname "$0")/wine-figures.sh" 'LoadPaintTiming.*'
