#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Inputs that would make the importer hang, fill the memory or abort: a
# FIFO, /dev/zero, a file of 1 GiB without a line end, a field or a record
# over its cap, a quote never closed. Each ends with status 1 and a message
# naming the file (and the line and the cap where there is one), the output
# untouched; never a hang, never an abort. The memory is capped (ulimit -v,
# not under the sanitizers) so that a reader that holds the input whole
# fails quickly.
# usage: import_inputs.sh DRIVER IMPORTER SAMPLE_DIR
# shellcheck disable=SC2034 # status is read by lib.sh's expect_status
source "$(dirname "$0")/lib.sh"
importer=${2:?} sample=${3:?}
cp "$sample"/*.csv "$scratch/"
old=$'an older database\r\n'
printf '%s' "$old" > "$work/airports.txt"

# import FILE: the importer with FILE as airports.csv, bounded in time and memory.
import() {
  status=0
  (
    # The sanitizers' shadow memory needs more address space than any cap.
    [ "${VANTRELO_SANITIZED:-0}" = 1 ] || ulimit -v $((400 * 1024))
    exec timeout 60 "${driver_env[@]}" "$importer" --quiet --airports "$1" \
      --runways "$scratch/runways.csv" --countries "$scratch/countries.csv" "$work/airports.txt"
  ) > /dev/null 2> "$scratch/stderr" || status=$?
}

expect_failure() {
  local what=$1 line=$2
  expect_status 1
  grep -qxF -- "vantrelo-import: $line" "$scratch/stderr" ||
    { fail "$what: no line \"vantrelo-import: $line\""; head -c 600 "$scratch/stderr"; }
  expect_bytes "$work/airports.txt" "$old"
  expect_entries "$work" airports.txt
}

echo "-- not regular files"
mkfifo "$scratch/fifo.csv"
import "$scratch/fifo.csv"
expect_failure FIFO "$scratch/fifo.csv: Not a regular file"
import /dev/zero
expect_failure /dev/zero "/dev/zero: Not a regular file"
import "$scratch"
expect_failure folder "$scratch: Is a directory"

echo "-- over the caps"
# 1 GiB of NUL bytes, a sparse file: one field without end.
truncate -s 1G "$scratch/huge.csv"
import "$scratch/huge.csv"
expect_failure "1 GiB field" "$scratch/huge.csv:1: a field longer than the cap of 65536 bytes"
{
  head -n 1 "$scratch/airports.csv"
  printf '9,"ZZZZ","small_airport","%s"\r\n' "$(head -c 70000 /dev/zero | tr '\0' x)"
} > "$scratch/long-field.csv"
import "$scratch/long-field.csv"
expect_failure "long field" "$scratch/long-field.csv:2: a field longer than the cap of 65536 bytes"
{
  head -n 1 "$scratch/airports.csv"
  field=$(head -c 60000 /dev/zero | tr '\0' y)
  printf '1,%s,%s,%s,%s,%s\r\n' "$field" "$field" "$field" "$field" "$field"
} > "$scratch/long-record.csv"
import "$scratch/long-record.csv"
expect_failure "long record" "$scratch/long-record.csv:2: a record longer than the cap of 262144 bytes"

echo "-- a quote never closed"
{
  head -n 3 "$scratch/airports.csv"
  printf '9,"ZZZZ","small_airport","Open quote,1,2\r\n'
  tail -n +4 "$scratch/airports.csv"
} > "$scratch/open-quote.csv"
import "$scratch/open-quote.csv"
expect_failure "open quote" "$scratch/open-quote.csv:4: unclosed quote"
finish
