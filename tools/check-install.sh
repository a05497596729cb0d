#!/usr/bin/env bash
# Checks what a build installs: `cmake --install` into a temporary folder
# puts every file where it belongs, desktop-file-validate and appstreamcli
# accept the menu entry and the metainfo, and the installed quorvel-cli
# finds the installed book (or the user's own). Then the Debian package is
# made from the same build and its files and Depends are checked.
# Usage: tools/check-install.sh BUILD_DIR        (the test suite runs it)
set -euo pipefail
build="$(cd "${1:?usage: check-install.sh BUILD_DIR}" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

usr="$work/root/usr"
cmake --install "$build" --prefix "$usr" > /dev/null

echo "== Files =="
id=fr.quorvel.Quorvel
sides=(16 22 24 32 48 64 128 256)
expected=(
  bin/quorvel bin/quorvel-cli
  share/quorvel/ouvertures.txt share/quorvel/intro.avi share/quorvel/apropos.avi share/quorvel/pieceprise.avi
  "share/applications/$id.desktop" "share/metainfo/$id.metainfo.xml"
  share/man/man6/quorvel.6.gz share/man/man6/quorvel-cli.6.gz
  share/doc/quorvel/copyright share/doc/quorvel/changelog.gz
)
for side in "${sides[@]}"; do expected+=("share/icons/hicolor/${side}x${side}/apps/$id.png"); done
for file in "${expected[@]}"; do [ -s "$usr/$file" ] || fail "missing $file"; done
for program in quorvel quorvel-cli; do [ -x "$usr/bin/$program" ] || fail "$program is not executable"; done
for side in "${sides[@]}"; do
  # A PNG's width and height are the big-endian words at bytes 16 and 20.
  read -r -a b < <(od -An -tu1 -j16 -N8 "$usr/share/icons/hicolor/${side}x${side}/apps/$id.png")
  width=$(((b[0] << 24) | (b[1] << 16) | (b[2] << 8) | b[3]))
  height=$(((b[4] << 24) | (b[5] << 16) | (b[6] << 8) | b[7]))
  [ "$width" = "$side" ] && [ "$height" = "$side" ] || fail "the ${side}x$side icon is ${width}x$height"
done
for page in quorvel quorvel-cli; do gzip -t "$usr/share/man/man6/$page.6.gz" || fail "$page.6.gz"; done
desktop="$usr/share/applications/$id.desktop"
grep -qx "Icon=$id" "$desktop" && grep -qx "Exec=quorvel" "$desktop" && grep -qx "StartupWMClass=quorvel" "$desktop" ||
  fail "the desktop entry does not name the program, its icon and its window"
echo "${#expected[@]} files in place"

echo "== desktop-file-validate =="
out="$(desktop-file-validate "$desktop" 2>&1)" || fail "desktop-file-validate: $out"
[ -z "$out" ] || fail "desktop-file-validate: $out"
echo "(no remark)"

echo "== appstreamcli validate =="
# The screenshot and the home page lie on the program's site; the suite
# runs without network.
appstreamcli validate --no-net "$usr/share/metainfo/$id.metainfo.xml" || fail "appstreamcli validate"

echo "== The installed quorvel-cli finds the installed book =="
home="$work/home"
mkdir -p "$home"
search() { env -u XDG_DATA_HOME HOME="$home" "$usr/bin/quorvel-cli" search --book --depth 1 2>&1; }
out="$(search)" || fail "quorvel-cli search --book: $out"
grep -q '^Ouverture : ' <<< "$out" || fail "no book move: $out"
mkdir -p "$home/.local/share/quorvel"
echo "d2d4 d7d5 c2c4 e7e6 b1c3 g8f6 ,Ligne personnelle" > "$home/.local/share/quorvel/ouvertures.txt"
out="$(search)" || fail "with the user's book: $out"
grep -q '^Ouverture : Ligne personnelle' <<< "$out" || fail "the user's own book is not taken first: $out"
rm -r "$home/.local" "$usr/share/quorvel/ouvertures.txt"
if out="$(search)"; then fail "a book was found after it was removed: $out"; fi
grep -qF "$usr/share/quorvel/ouvertures.txt" <<< "$out" || fail "the installed book's place is not named: $out"
echo "installed book, then the user's own, then none: as expected"

echo "== Debian package =="
out="$(cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/package" 2>&1)" || fail "cpack: $out"
deb="$(ls "$work"/package/quorvel_*.deb)"
depends="$(dpkg-deb -f "$deb" Depends)"
for needed in libqt6widgets6 libqt6multimedia6 libqt6texttospeech6 qt6-qpa-plugins gstreamer1.0-plugins-good fonts-dejavu-core \
  qt6-translations-l10n; do
  grep -q "\b$needed\b" <<< "$depends" || fail "Depends lacks $needed: $depends"
done
recommends="$(dpkg-deb -f "$deb" Recommends)"
for wanted in qt6-speech-speechd-plugin speech-dispatcher-espeak-ng; do
  grep -q "\b$wanted\b" <<< "$recommends" || fail "Recommends lacks $wanted: $recommends"
done
contents="$(dpkg-deb -c "$deb")"
for file in usr/bin/quorvel usr/bin/quorvel-cli usr/share/quorvel/ouvertures.txt "usr/share/applications/$id.desktop"; do
  grep -q " \./$file\$" <<< "$contents" || fail "the package lacks /$file"
done
# One version: the package's is the one the metainfo, the changelog and the
# manual pages give (the window's title, splash and About box are tested
# with the program).
version="$(dpkg-deb -f "$deb" Version)"
grep -q "<release version=\"$version\"" "$usr/share/metainfo/$id.metainfo.xml" ||
  fail "the metainfo's release is not $version"
zcat "$usr/share/doc/quorvel/changelog.gz" | head -1 | grep -qF "quorvel ($version)" ||
  fail "the changelog does not start with $version"
for page in quorvel quorvel-cli; do
  zcat "$usr/share/man/man6/$page.6.gz" | grep -q "^\.TH .*\"Quorvel $version\"" ||
    fail "$page.6 does not name version $version"
done
echo "$(basename "$deb"): $(stat -c %s "$deb") bytes"
echo "Depends: $depends"
