#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs the importer on the sample with some files replaced and checks its
# exit status, its whole standard error and the output file byte for byte.
# usage: import_case.sh IMPORTER SAMPLE_DIR CASE_DIR
# CASE_DIR holds the replacing *.csv files, "args" (extra options, one line),
# "status" (the exit status), "stderr" (the expected standard error; IN
# stands for the folder read, OUT for the output file), and either
# "expected.txt" (the output wanted), "before.txt" (an output file that is
# there before the run and must be left as it was) or neither (no output
# may be written).
set -euo pipefail
importer=$1 sample=$2 case_dir=$3
source "$(dirname "$0")/case_input.sh"
[ -f "$case_dir/before.txt" ] && cp "$case_dir/before.txt" "$work/airports.txt"

status=0
"$importer" --order ident "${args[@]}" "$work/in" "$work/airports.txt" 2>"$work/stderr" || status=$?
sed -e "s|$work/in|IN|g" -e "s|$work/airports.txt|OUT|g" "$work/stderr" >"$work/stderr.shown"
expected_status=$(cat "$case_dir/status")
[ "$status" = "$expected_status" ] || {
  cat "$work/stderr.shown"
  echo "FAIL: exit status $status, expected $expected_status" >&2
  exit 1
}
diff "$case_dir/stderr" "$work/stderr.shown" || { echo "FAIL: standard error differs" >&2; exit 1; }
wanted=$case_dir/expected.txt
[ -f "$wanted" ] || wanted=$case_dir/before.txt
if [ ! -f "$wanted" ]; then
  [ ! -e "$work/airports.txt" ] || { echo "FAIL: an output file was written" >&2; exit 1; }
  echo "exit status $status and standard error as expected, no output"
  exit 0
fi
if ! cmp "$wanted" "$work/airports.txt"; then
  diff <(iconv -f windows-1252 -t utf-8 "$wanted" | cat -A) \
       <(iconv -f windows-1252 -t utf-8 "$work/airports.txt" | cat -A) || true
  echo "FAIL: the output differs from $wanted" >&2
  exit 1
fi
echo "exit status $status, standard error and output as expected"
