#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the Debian packages that are missing (so a machine that has them
# all needs no network): by default only what building and running the
# program need (the run command); with --test also what the tests, the code
# checks and the Debian package's checks need (the test command). Further
# packages a caller needs are given as arguments:
#
#   bash scripts/install-deps.sh [--test] [PACKAGE...]
#
# Add a package to the list it belongs to, one package a line, saying why.
set -euo pipefail

with_tests=0
if [ "${1:-}" = "--test" ]; then
  with_tests=1
  shift
fi

# Building and running (debian/control's Build-Depends and Depends hold the
# same: keep them together).
build_packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev           # the window
  qt6-qpa-plugins        # Qt's platform plugins: without them no window opens
  fonts-liberation       # Liberation Sans Narrow, the form's font
  libicu-dev             # text that Windows-1252 cannot hold, in Latin letters
  libcurl4-openssl-dev   # vantrelo-import --fetch
  libgeonames-dev libgeonames-common # the importer's gazetteer: GeoNames cities and their names
)

# The tests, the code checks and the package's checks.
test_packages=(
  libgtest-dev                          # the unit tests
  clang-format-14 clang-tidy-14         # scripts/check-code.sh
  locales                               # the suite under it_IT.UTF-8
  xvfb xauth                            # the window on a display
  at-spi2-core python3-pyatspi dbus-x11 # the accessibility test
  xdotool x11-utils                     # close message boxes, read the window icon
  build-essential debhelper             # packaging/check.sh builds the package
  lintian file desktop-file-utils appstream man-db librsvg2-bin # and checks it
  autopkgtest                           # and runs its debian/tests
  orca                                  # the speech test (tests/orca/)
  gettext-base                          # the C library's Italian messages, read by the failure tests
)

packages=("${build_packages[@]}")
if [ "$with_tests" = 1 ]; then packages+=("${test_packages[@]}"); fi
packages+=("$@")

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
if [ "$with_tests" = 1 ] && ! locale -a 2>/dev/null | grep -qi '^it_IT\.utf-\?8$'; then
  sed -i 's/^# *\(it_IT\.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^it_IT\.UTF-8 UTF-8' /etc/locale.gen || echo 'it_IT.UTF-8 UTF-8' >>/etc/locale.gen
  locale-gen
fi
