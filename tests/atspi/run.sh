#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs the window under Xvfb with a private session bus, so that the
# accessibility bus it starts is this test's alone, and walks it with
# pyatspi (window_test.py). Exits 77 (skipped) with the reason when this
# machine cannot start that bus.
#
#   bash tests/atspi/run.sh PATH/TO/vantrelo
set -euo pipefail

program=$1
here=$(cd "$(dirname "$0")" && pwd)

skip() {
  echo "SKIPPED: $*"
  exit 77
}

for tool in xvfb-run dbus-run-session /usr/libexec/at-spi-bus-launcher; do
  command -v "$tool" >/dev/null || skip "$tool is missing (Debian: xvfb dbus at-spi2-core)"
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || skip "pyatspi is missing (Debian: python3-pyatspi)"

# Inside the private session: without the accessibility bus pyatspi aborts
# the process, so a separate probe tells a missing bus from a failure.
inner='
  /usr/bin/python3 -c "import pyatspi; pyatspi.Registry.getDesktop(0).childCount" \
    >/dev/null 2>&1 || { echo "SKIPPED: the accessibility bus does not start"; exit 77; }
  exec /usr/bin/python3 "$0" "$1"'
exec xvfb-run -a -s '-screen 0 1024x768x24' \
  dbus-run-session -- bash -c "$inner" "$here/window_test.py" "$program"
