#!/bin/sh
# Cuts the few glyphs the artwork needs out of two free fonts from Debian
# (fonts-dejavu-core, fonts-freefont-ttf), so the program carries a few
# kilobytes instead of depending on the fonts installed on the machine.
# Needs pyftsubset (Debian package fonttools). Re-runnable.
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
out="$here/resources/fonts"
mkdir -p "$out"

chess="U+2654-265F"
letters="U+0020-007E,U+00C0-00FF"

pyftsubset /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf \
  --unicodes="$chess" --output-file="$out/QuorvelGlyphs.ttf" \
  --name-IDs='*' --no-hinting
pyftsubset /usr/share/fonts/truetype/freefont/FreeSerif.ttf \
  --unicodes="$chess" --output-file="$out/QuorvelSerifGlyphs.ttf" \
  --name-IDs='*' --no-hinting
pyftsubset /usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf \
  --unicodes="$letters" --output-file="$out/QuorvelTitle.ttf" \
  --name-IDs='*' --no-hinting

cp /usr/share/doc/fonts-dejavu-core/copyright "$out/LICENSE-DejaVu.txt"
cp /usr/share/doc/fonts-freefont-ttf/copyright "$out/LICENSE-FreeFont.txt"
ls -l "$out"
