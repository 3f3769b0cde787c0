#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing the clock need,
# only those that are missing, so a second run costs nothing.
set -euo pipefail
packages=(
  build-essential cmake pkg-config git python3
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  libfreetype-dev libfontconfig-dev fontconfig fonts-liberation fonts-dejavu-core
  libpng-dev libjpeg-dev libstb-dev
  libsndfile1-dev libasound2-dev
  libx11-dev libxext-dev xvfb xdotool x11-utils x11-apps imagemagick openbox
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
