#!/bin/sh
# Redraws the pictures of the main window under docs/ (screenshot-*.png):
# a few moves of each side against the computer, the human as Black, and
# the board turned, under a virtual X display; then the first game again at
# a screen scale of 2 (screenshot-scale2.png, twice the pixels); then the
# window maximized on a 2560 x 1440 screen (screenshot-maximized.png).
#   tools/window_gallery.sh [build folder]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-window}
cmake --build "$build" --target window_gallery -j2
xvfb-run -a -s "-screen 0 1280x1024x24" "$build/tests/window/window_gallery" "$root/docs"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
QT_SCALE_FACTOR=2 xvfb-run -a -s "-screen 0 2560x2048x24" "$build/tests/window/window_gallery" "$work"
cp "$work/screenshot-game.png" "$root/docs/screenshot-scale2.png"
xvfb-run -a -s "-screen 0 2560x1440x24" "$build/tests/window/window_gallery" "$root/docs" maximized
echo "pictures written to $root/docs"
