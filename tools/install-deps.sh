#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing the clock need,
# only those that are missing, so a second run costs nothing.
set -euo pipefail
packages=(
  build-essential clang libclang-rt-dev llvm cmake pkg-config git python3
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  libfreetype-dev libfontconfig-dev fontconfig fonts-liberation fonts-dejavu-core
  libpng-dev libjpeg-dev libstb-dev
  libsndfile1-dev libasound2-dev
  libx11-dev libxext-dev xvfb xdotool x11-utils x11-apps imagemagick openbox
  locales
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

# The tests of month and weekday names read them in the C locale, in Dutch (UTF-8) and in French
# (Latin-1, to check that names come in UTF-8 whatever the locale's character set).
test_locales=("nl_NL.UTF-8 UTF-8" "fr_FR ISO-8859-1")
if ! locale -a 2>/dev/null | grep -qix 'nl_NL.utf8' || ! locale -a 2>/dev/null | grep -qx 'fr_FR'; then
  echo "Generating the locales the tests use"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  for entry in "${test_locales[@]}"; do
    grep -qx "$entry" /etc/locale.gen || echo "$entry" | "${sudo_cmd[@]}" tee -a /etc/locale.gen >/dev/null
  done
  "${sudo_cmd[@]}" locale-gen >/dev/null
fi
