#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the Debian packages the build, the tests and the window need, but
# only when one is missing (so a machine that has them all needs no network).
# Further packages a caller needs are given as arguments:
#
#   bash scripts/install-deps.sh [PACKAGE...]
set -euo pipefail

packages=(cmake ninja-build g++ pkg-config libgtest-dev qt6-base-dev fonts-liberation libicu-dev libcurl4-openssl-dev
  clang-format-14 clang-tidy-14
  locales xvfb xauth
  at-spi2-core python3-pyatspi dbus-x11 "$@")
# The Debian package and its checks (packaging/check.sh), and the installed
# program's tests on a display (xdotool closes its message boxes, xprop
# reads its window icon).
packages+=(dpkg-dev file lintian desktop-file-utils appstream man-db librsvg2-bin xdotool x11-utils)
# The importer's gazetteer: GeoNames cities and their names in other languages.
packages+=(libgeonames-dev libgeonames-common)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
    missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  apt-get update
  DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
fi

# The suite runs once more under an Italian locale, where the decimal
# separator is a comma.
if ! locale -a 2>/dev/null | grep -qi '^it_IT\.utf-\?8$'; then
  sed -i 's/^# *\(it_IT\.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^it_IT\.UTF-8 UTF-8' /etc/locale.gen || echo 'it_IT.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen
fi
