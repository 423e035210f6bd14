#!/usr/bin/env bash
# Whole-area repaints of the largest real board under Wine while panning and zooming (medians);
# it needs the real boards.
#   BUILD_WIN=build/win bash bench/board-repaint-timing.sh
exec bash "$(dirname "$0")/wine-figures.sh" 'Repaint.*'
