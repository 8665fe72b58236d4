#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs one golden scenario: copies the case's airports.txt and Vantrelo.ini
# (when present) into a fresh directory, feeds commands.txt to the driver
# there, and compares the driver's output, its exit status and every file
# the directory then holds with the case's expected ones, byte for byte.
#
# A case folder holds:
#   airports.txt, Vantrelo.ini   the starting files (both optional)
#   start/                       further starting files and folders (optional)
#   commands.txt                 the driver's input
#   expected.out                 the driver's output
#   expected.status              the exit status, when not 0
#   expected/                    every file of the directory after the run,
#                                apart from airports.txt
set -u
driver=$1
case_dir=$2
work=$(mktemp -d)
trap 'chmod -R u+w "$work" 2>/dev/null; rm -rf "$work"' EXIT

for start in airports.txt Vantrelo.ini; do
  [ -e "$case_dir/$start" ] && cp "$case_dir/$start" "$work/"
done
# Any other starting files and folders.
[ -d "$case_dir/start" ] && cp -a "$case_dir/start/." "$work/"

# The system's error texts are compared in English; every other part of the
# locale (the decimal separator above all) stays as the caller set it.
locale_name=${LC_ALL:-${LANG:-C}}
status=0
(cd "$work" && env -u LC_ALL LANG="$locale_name" LC_MESSAGES=C "$driver" \
  < "$case_dir/commands.txt" > "$work/.driver.out") || status=$?
failed=0

if ! cmp -s "$work/.driver.out" "$case_dir/expected.out"; then
  echo "driver output differs (expected vs actual):"
  diff "$case_dir/expected.out" "$work/.driver.out" | cat -A | head -40
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
