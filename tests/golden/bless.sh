#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Rewrites a case's transcript, exit status and files from what the driver
# does now with the commands of its transcript (the lines marked "> ").
# For a new case, and for a deliberate change of behaviour: review
# `git diff` afterwards.
#   tests/golden/bless.sh build/default/tools/vantrelo-script/vantrelo-script tests/golden/cases/NAME
set -euo pipefail
driver=$(realpath "$1")
case_dir=$(realpath "$2")
. "$(dirname "$0")/case_files.sh"
work=$(mktemp -d)
commands=$(mktemp)
trap 'rm -rf "$work" "$commands"' EXIT
set_up_run "$case_dir" "$work"
# Read before the transcript is written over.
case_commands "$case_dir" > "$commands"
status=0
(cd "$work" && env -u LC_ALL LANG=C.UTF-8 "$driver" --echo < "$commands" > "$case_dir/transcript.txt") ||
  status=$?
rm -f "$case_dir/expected.status"
[ "$status" != 0 ] && echo "$status" > "$case_dir/expected.status"
rm -rf "$case_dir/expected"
rm -f "$work/airports.txt"
if [ -n "$(ls -A "$work")" ]; then
  mkdir "$case_dir/expected"
  cp -a "$work/." "$case_dir/expected/"
fi
