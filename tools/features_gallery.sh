#!/bin/sh
# Redraws the pictures of the dialogs under docs/: the information dialog
# after a real search, the captured pieces, the About box with its clip and
# the first printed page.
#   tools/features_gallery.sh [build folder]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-features}
cmake --build "$build" --target features_gallery -j2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
QT_QPA_PLATFORM=offscreen "$build/tests/features/features_gallery" "$work" "$root/resources/clips"
pdftoppm -png -r 72 -f 1 -l 1 -singlefile "$work/printed.pdf" "$work/printed"
for picture in information information-explorer captured about printed; do
  cp "$work/$picture.png" "$root/docs/$picture.png"
done
echo "pictures written to $root/docs"
