#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Without a display the window cannot open: vantrelo says so and ends with
# status 1 (not Qt's abort), whatever else is on the line; a bad line of
# folders is still a usage error (2), and --help still works.
# usage: no_display.sh PROGRAM
set -euo pipefail
program=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A home and a current folder of its own, which must stay empty.
mkdir "$work/home" "$work/here"
cd "$work/here"
export HOME=$work/home
unset XDG_CONFIG_HOME XDG_DATA_HOME
status=0

run() {
  local expected=$1 pattern=$2
  shift 2
  local actual=0
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" "$@" >"$work/out" 2>"$work/err" ||
    actual=$?
  if [ "$actual" != "$expected" ] || ! grep -q "$pattern" "$work/out" "$work/err"; then
    echo "FAIL: vantrelo $*: status $actual (expected $expected), output:" >&2
    cat "$work/out" "$work/err" >&2
    status=1
  fi
}

run 1 '^vantrelo: no display to open the window on'
run 1 '^vantrelo: no display to open the window on' --bogus
run 1 '^vantrelo: no display to open the window on' "$work/here"
run 2 '^vantrelo: only one folder may be given' a b
run 0 '^Usage: vantrelo ' --help
left=$(find "$work/home" "$work/here" -mindepth 1)
[ -z "$left" ] || { echo "FAIL: files made: $left" >&2; status=1; }
exit "$status"
