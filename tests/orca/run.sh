#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs Orca and the window under Xvfb with a private session bus, drives
# the window with xdotool, and checks what Orca says (speech_test.py).
# Exits 77 (skipped) with the reason when this machine cannot run Orca.
#
#   bash tests/orca/run.sh PATH/TO/vantrelo
set -euo pipefail

program=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)

skip() {
  echo "SKIPPED: $*"
  exit 77
}

for tool in orca xvfb-run xdotool dbus-run-session /usr/libexec/at-spi-bus-launcher; do
  command -v "$tool" >/dev/null || skip "$tool is missing (Debian: orca xvfb xdotool dbus at-spi2-core)"
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || skip "pyatspi is missing (Debian: python3-pyatspi)"

exec xvfb-run -a -s '-screen 0 1024x768x24' \
  dbus-run-session -- /usr/bin/python3 "$here/speech_test.py" "$program"
