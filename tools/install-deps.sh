#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the window screenshot need,
# only those that are missing, and stays quiet when everything is there.
set -euo pipefail

build_pkgs=(cmake g++ make qt6-base-dev qt6-multimedia-dev qt6-svg-dev qt6-l10n-tools
            libqt6svg6 fonts-liberation fonts-dejavu-core libquazip1-qt6-dev
            libreoffice-calc libreoffice-core libreoffice-dev libreoffice-dev-common)
look_pkgs=(xvfb xauth x11-utils xdotool imagemagick xdg-utils)

want=("${build_pkgs[@]}")
if [ "${1:-}" = "--with-display-tools" ]; then
  want+=("${look_pkgs[@]}")
fi

missing=()
for p in "${want[@]}"; do
  if ! dpkg -s "$p" >/dev/null 2>&1; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
