#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Rewrites a case's expected output and files from what the driver does now.
# Only for a deliberate change of behaviour: review `git diff` afterwards.
#   tests/golden/bless.sh build/default/tools/vantrelo-script/vantrelo-script tests/golden/cases/NAME
set -euo pipefail
driver=$(realpath "$1")
case_dir=$(realpath "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for start in airports.txt Vantrelo.ini; do
  [ -e "$case_dir/$start" ] && cp "$case_dir/$start" "$work/"
done
# Any other starting files and folders.
[ -d "$case_dir/start" ] && cp -a "$case_dir/start/." "$work/"
status=0
(cd "$work" && env -u LC_ALL LANG=C.UTF-8 "$driver" < "$case_dir/commands.txt" > "$case_dir/expected.out") ||
  status=$?
rm -f "$case_dir/expected.status"
[ "$status" != 0 ] && echo "$status" > "$case_dir/expected.status"
rm -rf "$case_dir/expected"
rm -f "$work/airports.txt"
if [ -n "$(ls -A "$work")" ]; then
  mkdir "$case_dir/expected"
  cp -a "$work/." "$case_dir/expected/"
fi
