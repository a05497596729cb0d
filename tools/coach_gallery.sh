#!/bin/sh
# Redraws the pictures of the coach under docs/ (coach-*.png) with Quorvel's
# own engine as the analyst, under a virtual X display: a hint on the board,
# the warning after a queen left hanging and the board once "Reprendre le
# coup" was pressed, the review of a short game (in progress and done), then
# the hint and the review again at a screen scale of 2.
#   tools/coach_gallery.sh [build folder]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
cmake --build "$build" --target coach_gallery -j2
xvfb-run -a -s "-screen 0 1600x1000x24" "$build/tests/window/coach_gallery" "$root/docs"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
QT_SCALE_FACTOR=2 xvfb-run -a -s "-screen 0 3200x2000x24" "$build/tests/window/coach_gallery" "$work"
cp "$work/coach-hint.png" "$root/docs/coach-hint-scale2.png"
cp "$work/coach-review.png" "$root/docs/coach-review-scale2.png"
echo "pictures written to $root/docs"
