#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs the importer on the sample with some files replaced by broken ones and
# checks that it stops with the expected exit code and message, and writes no
# output file.
# usage: import_error.sh IMPORTER SAMPLE_DIR CASE_DIR
# CASE_DIR holds the replacing files, "args" (extra options, one line),
# "remove" (names of sample files to take away), "status" (the exit code) and
# "message" (a text the standard error must hold; SAMPLE_DIR stands for the
# folder the run reads).
set -euo pipefail
importer=$1 sample=$2 case_dir=$3
source "$(dirname "$0")/case_input.sh"
if [ -f "$case_dir/remove" ]; then
  while read -r name; do rm -f "$work/in/$name"; done <"$case_dir/remove"
fi

status=0
"$importer" "${args[@]}" "$work/in" "$work/airports.txt" 2>"$work/stderr" || status=$?
cat "$work/stderr"
expected_status=$(cat "$case_dir/status")
message=$(sed "s|SAMPLE_DIR|$work/in|g" "$case_dir/message")
[ "$status" = "$expected_status" ] || { echo "FAIL: exit code $status, expected $expected_status" >&2; exit 1; }
grep -qxF -- "$message" "$work/stderr" || { echo "FAIL: no line \"$message\" on standard error" >&2; exit 1; }
[ ! -e "$work/airports.txt" ] || { echo "FAIL: an output file was written" >&2; exit 1; }
echo "stopped with $status: $message"
