#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing the clock need,
# only those that are missing, so a second run costs nothing.
set -euo pipefail
packages=(
  build-essential clang libclang-rt-dev llvm cmake pkg-config git python3
  libgtest-dev libgmock-dev googletest libbenchmark-dev valgrind
  libfreetype-dev libfontconfig-dev fontconfig fonts-liberation fonts-dejavu-core
  libpng-dev libjpeg-dev libstb-dev
  libsndfile1-dev libasound2-dev libcurl4-openssl-dev
  libx11-dev libxext-dev libxrandr-dev libxinerama-dev xvfb xdotool xclip x11-utils x11-apps x11-xserver-utils imagemagick
  openbox icewm xfwm4 mutter dbus-x11 wmctrl
  locales
  chrony
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  "${sudo_cmd[@]}" apt-get update -qq
  # The time server is for the tests, which start their own on loopback; the package must not
  # start a system one that could set this machine's clock. A policy that refuses every service
  # start holds while the packages are installed.
  policy=/usr/sbin/policy-rc.d
  own_policy=
  if [ ! -e "$policy" ]; then
    printf '#!/bin/sh\nexit 101\n' | "${sudo_cmd[@]}" tee "$policy" >/dev/null
    "${sudo_cmd[@]}" chmod 755 "$policy"
    own_policy=1
  fi
  status=0
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" || status=$?
  [ -z "$own_policy" ] || "${sudo_cmd[@]}" rm -f "$policy"
  [ "$status" -eq 0 ] || exit "$status"
fi
# Whatever installed it, no system time server runs here or starts at the next boot.
if [ -d /run/systemd/system ] && command -v systemctl >/dev/null; then
  if systemctl is-enabled --quiet chrony.service 2>/dev/null || systemctl is-active --quiet chrony.service; then
    "${sudo_cmd[@]}" systemctl disable --now chrony.service
  fi
fi

# The tests of month and weekday names read them in the C locale, in Dutch (UTF-8) and in French
# (Latin-1, to check that names come in UTF-8 whatever the locale's character set).
test_locales=("nl_NL.UTF-8 UTF-8" "fr_FR ISO-8859-1")
if ! locale -a 2>/dev/null | grep -qix 'nl_NL.utf8' || ! locale -a 2>/dev/null | grep -qx 'fr_FR'; then
  echo "Generating the locales the tests use"
  for entry in "${test_locales[@]}"; do
    grep -qx "$entry" /etc/locale.gen || echo "$entry" | "${sudo_cmd[@]}" tee -a /etc/locale.gen >/dev/null
  done
  "${sudo_cmd[@]}" locale-gen >/dev/null
fi
