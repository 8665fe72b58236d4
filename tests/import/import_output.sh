#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Where the importer writes and what a failing disk does to it. The output
# is saved like every file of the program: a link is followed, the mode is
# kept, a device is refused, and a failing step leaves the old output whole
# with no temporary file; "-" is standard output. A read error in a CSV file
# stops the import (exit status 1, the file named) instead of passing for
# the end of the file. The failures come from the fault shim.
# usage: import_output.sh IMPORTER SAMPLE_DIR EXPECTED_TXT
source "$(dirname "$0")/../failure/lib.sh" "$1"
importer=$driver sample=$2 expected=$3
old=$'an older database\r\n'

fresh_output() {
  rm -rf "$work" && mkdir "$work"
  printf '%s' "$old" > "$work/airports.txt"
}

# Runs the importer on the sample into OUTPUT behind an optional prefix
# command; stderr in $scratch/stderr, exit status in $status.
import() {
  local output=$1
  shift
  status=0
  "${driver_env[@]}" "$@" "$importer" --quiet --order ident "$sample" "$output" > "$scratch/stdout" \
    2> "$scratch/stderr" || status=$?
}

expect_error() {
  local line=$1
  grep -qxF -- "$line" "$scratch/stderr" || { fail "no line \"$line\""; cat "$scratch/stderr"; }
}

old_output_kept() {
  expect_bytes "$work/airports.txt" "$old"
  expect_entries "$work" "airports.txt"
}

echo "-- standard output"
fresh_output
import -
expect_status 0
cmp -s "$expected" "$scratch/stdout" || fail "\"-\" did not write the database to standard output"
old_output_kept

echo "-- links, modes, devices"
fresh_output
mkdir "$scratch/elsewhere"
mv "$work/airports.txt" "$scratch/elsewhere/db.txt"
chmod 640 "$scratch/elsewhere/db.txt"
ln -s ../../elsewhere/db.txt "$work/airports.txt"
import "$work/airports.txt"
expect_status 0
[ -L "$work/airports.txt" ] || fail "the output link was replaced"
expect_same_file "$expected" "$scratch/elsewhere/db.txt"
[ "$(stat -c %a "$scratch/elsewhere/db.txt")" = 640 ] || fail "the output lost mode 640"
fresh_output
ln -s /dev/null "$work/device"
import "$work/device"
expect_status 1
expect_error "vantrelo-import: $work/device: Not a regular file"
[ -c /dev/null ] && [ -L "$work/device" ] || fail "the device or its link changed"

echo "-- failing writes"
for kind in write fsync rename folder-fsync; do
  fresh_output
  name=".vantrelo-*"
  [ "$kind" = rename ] && name="airports.txt"
  [ "$kind" = folder-fsync ] && name="*/work"
  use_faults "VANTRELO_FAULT_CALL=$kind" "VANTRELO_FAULT_NAME=$name"
  import "$work/airports.txt" "${with_faults[@]}"
  expect_status 1
  expect_faults 1
  expect_error "vantrelo-import: $work/airports.txt: Input/output error"
  old_output_kept
done

echo "-- failing reads"
# The second read of each file is the one that would find its end.
for file in airports.csv runways.csv countries.csv; do
  fresh_output
  use_faults VANTRELO_FAULT_CALL=read "VANTRELO_FAULT_NAME=$file" VANTRELO_FAULT_AT=2
  import "$work/airports.txt" "${with_faults[@]}"
  expect_status 1
  expect_faults 1
  expect_error "vantrelo-import: $sample/$file: Input/output error"
  old_output_kept
done
finish
