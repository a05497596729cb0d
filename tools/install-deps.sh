#!/usr/bin/env bash
# Installs the Debian packages Quorvel needs to build, run and test, when
# they are missing. Uses sudo when not run as root.
set -euo pipefail

# qt6-declarative-dev: Qt TextToSpeech's headers and CMake files need its
# QmlIntegration module, which Debian 12's qt6-speech-dev does not pull in.
packages=(
  g++ cmake ninja-build pkg-config libgtest-dev
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev
  qt6-multimedia-dev libqt6multimedia6 gstreamer1.0-plugins-good qt6-translations-l10n
  qt6-speech-dev qt6-speech-speechd-plugin speech-dispatcher-espeak-ng
  qt6-declarative-dev
  fonts-dejavu-core poppler-utils xvfb xauth
  pgn-extract stockfish
  desktop-file-utils appstream dpkg-dev file
)
if [ "${QUORVEL_EXTRA_PACKAGES:-}" != "" ]; then
  read -r -a extra <<< "$QUORVEL_EXTRA_PACKAGES"
  packages+=("${extra[@]}")
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" > /dev/null
