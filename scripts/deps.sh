#!/bin/bash
# Installs the Debian 12 packages that building and testing need. Idempotent: when
# every package is already there it does nothing, so both README commands can call it.
set -euo pipefail
packages=(
  g++ cmake ninja-build pkg-config git
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  libgl-dev libglu1-mesa-dev libosmesa6-dev libx11-dev libgtk-3-dev libpng-dev
  g++-mingw-w64-x86-64 wine wine64
  xvfb xdotool imagemagick x11-utils wixl
  dpkg-dev lintian
  clang clang-format libclang-rt-14-dev
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo_cmd=""
[ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo_cmd apt-get update -qq
$sudo_cmd apt-get install -y -qq "${missing[@]}"
