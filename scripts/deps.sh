#!/usr/bin/env bash
# Installs the Debian packages the guide builds and runs with, when they are missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config python3
  qt6-base-dev qt6-positioning-dev qt6-svg-dev qt6-sensors-dev
  qt6-multimedia-dev gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-tools
  qt6-webengine-dev
  libsqlite3-dev libxml2-dev libplist-dev libosmium2-dev libicu-dev libphonenumber-dev tzdata
  libkopeninghours-dev qtbase5-dev libboost-graph-dev
  fonts-liberation2
  libgtest-dev libbenchmark-dev
  clang libclang-rt-14-dev
  desktop-file-utils appstream dpkg-dev
  xvfb xdotool x11-apps imagemagick sqlite3 time
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
if ! $sudo apt-get install -y --no-install-recommends "${missing[@]}"; then
  $sudo apt-get update
  $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi
