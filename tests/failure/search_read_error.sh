#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# A disk that fails under airports.txt while a search reads it: the failure
# is reported with the file's name and the system's reason, never taken for
# the end of the file (which would wrap the search and report "No airport
# found"); nothing is saved, and the next search works again. Both the
# search on the calling thread (a small file) and the one that reads ahead
# on two threads (a file of several megabytes) are failed.
source "$(dirname "$0")/lib.sh"

settings='"Eng"\r\n"KJFK"\r\n'
target='1|AAAA|FIRST|45500000|-9250000|320|town|--|LAND|\r\n1|09|090|9000|0|0|\r\n\r\n'

# SIZE_KIB of filler blocks, then the airport searched for.
make_database() {
  local size_kib=$1
  : > "$scratch/airports.txt"
  if [ "$size_kib" -gt 0 ]; then
    awk -v n=$((size_kib * 1024 / 64)) 'BEGIN {
      for (i = 0; i < n; i++) printf "1|ZZZZ|FILLER %08d|10000000|10000000|10|t|--|L|\r\n\r\n", i
    }' > "$scratch/airports.txt"
  fi
  printf "$target" >> "$scratch/airports.txt"
}

# CALLS fail at the AT-th counted call on airports.txt during the search.
scenario() {
  local what=$1 calls=$2 at=$3
  echo "-- $what"
  rm -rf "$work" && mkdir "$work"
  cp "$scratch/airports.txt" "$work/"
  printf "$settings" > "$work/Vantrelo.ini"

  use_faults "VANTRELO_FAULT_CALL=$calls" "VANTRELO_FAULT_NAME=airports.txt" \
    "VANTRELO_FAULT_AT=$at"
  driver_start "${with_faults[@]}"
  driver_step "tick 1" "type aaaa" "click Command1" "show Label2"
  expect_output "$(msg 'Cannot read "airports.txt": Input/output error')
$(ctl Label2 1 - '')
" "$what: output"
  expect_faults 1
  expect_entries "$work" "airports.txt" "Vantrelo.ini"
  expect_bytes "$work/Vantrelo.ini" "$settings"

  # The program goes on: the next search reads the file again and finds it.
  : > "$out_file"
  driver_step "click Command1" "show Label2"
  driver_finish
  expect_output "$(ctl Label2 1 - AAAA)
" "$what: the next search"
  expect_status 0
}

make_database 0
scenario "a small file" read,pread 1

make_database 6144
scenario "a large file read ahead on two threads" read,pread 20

finish
