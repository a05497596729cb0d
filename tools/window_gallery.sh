#!/bin/sh
# Redraws the pictures of the main window under docs/ (screenshot-*.png):
# a few moves of each side against the computer, the human as Black, and
# the board turned, under a virtual X display.
#   tools/window_gallery.sh [build folder]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-window}
cmake --build "$build" --target window_gallery -j2
xvfb-run -a -s "-screen 0 1280x1024x24" "$build/tests/window/window_gallery" "$root/docs"
echo "pictures written to $root/docs"
