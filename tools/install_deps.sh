#!/usr/bin/env bash
# Installs the Debian packages the game and its tests need, when any is missing.
# As root it runs apt-get; otherwise it says plainly what to install. ./check adds what
# only the tests use and a player's desktop must not get: the PulseAudio daemon the sound
# tests start for themselves (on a PipeWire desktop its user service would contend with
# the desktop's own sound server).
set -euo pipefail

packages=(build-essential cmake pkg-config qt6-base-dev qt6-websockets-dev libpulse-dev libsdl2-dev libspeechd-dev fonts-ipafont-gothic
          libgtest-dev libgmock-dev googletest libbenchmark-dev
          xvfb xdotool x11-utils x11-apps imagemagick openbox weston qt6-wayland
          appstream desktop-file-utils mandoc groff-base dpkg-dev file graphviz "$@")

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "These Debian packages are missing: ${missing[*]}" >&2
  echo "Install them with:  sudo apt-get install ${missing[*]}" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
echo "Installing: ${missing[*]}"
apt-get install -y --no-install-recommends "${missing[@]}" \
  || { apt-get update && apt-get install -y --no-install-recommends "${missing[@]}"; }
