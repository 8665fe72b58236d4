#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs one golden scenario: sets up a fresh folder with the case's starting
# files, runs the driver there with --echo on the commands of the case's
# transcript, and compares the transcript the driver prints, its exit status
# and every file the folder then holds with the case's, byte for byte.
#
# A case folder holds:
#   airports.txt                 the starting database, or
#   airports.fixture             one line naming the shared database of
#                                ../fixtures/ the case starts with instead
#   Vantrelo.ini                 the starting settings (optional)
#   start/                       further starting files and folders (optional)
#   transcript.txt               each command line, marked "> ", followed by
#                                what the driver prints for it; the lines
#                                before the first command are start-up's.
#                                The marked lines are the driver's input.
#   expected.status              the exit status, when not 0
#   expected/                    every file of the folder after the run,
#                                apart from airports.txt
# A new case needs only its commands as "> " lines in transcript.txt;
# bless.sh fills in the rest.
set -u
driver=$1
case_dir=$2
. "$(dirname "$0")/case_files.sh"
work=$(mktemp -d)
trap 'chmod -R u+w "$work" 2>/dev/null; rm -rf "$work"' EXIT

if ! set_up_run "$case_dir" "$work"; then
  echo "cannot set up the starting files of $case_dir"
  exit 1
fi

# The system's error texts are compared in English; every other part of the
# locale (the decimal separator above all) stays as the caller set it.
locale_name=${LC_ALL:-${LANG:-C}}
status=0
(cd "$work" && env -u LC_ALL LANG="$locale_name" LC_MESSAGES=C "$driver" --echo \
  < <(case_commands "$case_dir") > "$work/.driver.out") || status=$?
failed=0

if ! cmp -s "$work/.driver.out" "$case_dir/transcript.txt"; then
  echo "transcript differs (expected vs actual):"
  diff "$case_dir/transcript.txt" "$work/.driver.out" | cat -A | head -40
  failed=1
fi
rm -f "$work/.driver.out"

expected_status=0
[ -f "$case_dir/expected.status" ] && expected_status=$(cat "$case_dir/expected.status")
if [ "$status" != "$expected_status" ]; then
  echo "exit status $status, expected $expected_status"
  failed=1
fi

actual_files=$(cd "$work" && find . -type f ! -path ./airports.txt | sort)
expected_files=""
[ -d "$case_dir/expected" ] && expected_files=$(cd "$case_dir/expected" && find . -type f | sort)
if [ "$actual_files" != "$expected_files" ]; then
  echo "files after the run differ (expected vs actual):"
  diff <(echo "$expected_files") <(echo "$actual_files")
  failed=1
fi
while IFS= read -r file; do
  [ -z "$file" ] && continue
  if [ -f "$work/$file" ] && ! cmp -s "$work/$file" "$case_dir/expected/$file"; then
    echo "file $file differs:"
    diff <(od -c "$case_dir/expected/$file") <(od -c "$work/$file") | head -20
    failed=1
  fi
done <<< "$expected_files"

exit $failed
