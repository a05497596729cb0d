#!/bin/sh
# Makes our three clips (intro.avi, apropos.avi, pieceprise.avi) under
# resources/clips/ from frames drawn with the game's own artwork.
# MJPEG in AVI, 160 x 120, 10 frames a second: Qt Multimedia plays it
# through GStreamer's good plug-ins. Re-runnable; needs cmake, ninja, Qt 6
# and ffmpeg. Usage: tools/make_clips.sh [build-folder]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$root/build-art"}
out="$root/resources/clips"

if [ ! -f "$build/build.ninja" ] && [ ! -f "$build/Makefile" ]; then
  cmake -G Ninja -S "$root" -B "$build" >/dev/null
fi
cmake --build "$build" --target quorvel_artframes -j2
tool=$(find "$build" -type f -name quorvel_artframes -perm -u+x | head -n 1)

frames=$(mktemp -d)
trap 'rm -rf "$frames"' EXIT
mkdir -p "$out"
for clip in intro apropos pieceprise; do
  rm -f "$frames"/*.png
  QT_QPA_PLATFORM=offscreen "$tool" clip "$clip" "$frames"
  ffmpeg -loglevel error -y -framerate 10 -i "$frames/frame%04d.png" \
    -c:v mjpeg -q:v 5 -pix_fmt yuvj420p -an "$out/$clip.avi"
done
ls -l "$out"
