#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Each step of a save failing as a failing disk would make it fail: the
# write, the file's fsync, the rename and the folder's fsync, for the data
# sheet and for the settings. Each time the failure is reported with the
# file's name and the system's reason, the old file stays whole, no
# temporary file is left, and the program goes on: the next search saves
# both files. The failures are made by the fault shim (fault_shim.c).
source "$(dirname "$0")/lib.sh"

printf '1|AAAA|FIRST|45500000|-9250000|320|town|--|LAND|\r\n1|09|090|9000|0|0|\r\n\r\n' \
  > "$scratch/airports.txt"
sheet="AAAA  FIRST.txt"
io_error="Input/output error"

# A session whose saves are, in order: the settings at start-up, then the
# sheet and the settings after the search. KIND fails at the counted call AT
# among those on files matching NAME; FAILED is the file whose save fails.
scenario() {
  local kind=$1 name=$2 at=$3 failed=$4
  echo "-- $kind of $failed"
  rm -rf "$work" && mkdir "$work"
  cp "$scratch/airports.txt" "$work/"
  printf '"Ita"\r\n"ZZZZ"\r\n' > "$work/Vantrelo.ini"
  printf 'an older sheet\r\n' > "$work/$sheet"

  use_faults "VANTRELO_FAULT_CALL=$kind" "VANTRELO_FAULT_NAME=$name" "VANTRELO_FAULT_AT=$at"
  driver_start "${with_faults[@]}"
  driver_step "tick 1" "type aaaa" "click Command1" "show Label2"
  expect_output "$(msg_ita write "$failed" "$io_error")
$(ctl Label2 1 - AAAA)
" "$kind of $failed: output"
  expect_faults 1
  expect_entries "$work" "airports.txt" "Vantrelo.ini" "$sheet"
  if [ "$failed" = "$sheet" ]; then
    expect_bytes "$work/$sheet" 'an older sheet\r\n'
    expect_bytes "$work/Vantrelo.ini" '"Ita"\r\n"AAAA"\r\n'
  else
    expect_bytes "$work/Vantrelo.ini" '"Ita"\r\n"ZZZZ"\r\n'
    [ "$(head -n 1 "$work/$sheet")" = $'AEROPORTO FIRST\r' ] || fail "$kind: the sheet was not written"
  fi

  # The program goes on, and the next saves work.
  printf 'not the sheet\r\n' > "$work/$sheet"
  : > "$out_file"
  driver_step "click Command1" "show Label2"
  driver_finish
  expect_output "$(ctl Label2 1 - AAAA)
" "$kind of $failed: the next search"
  expect_status 0
  expect_entries "$work" "airports.txt" "Vantrelo.ini" "$sheet"
  expect_bytes "$work/Vantrelo.ini" '"Ita"\r\n"AAAA"\r\n'
  [ "$(head -n 1 "$work/$sheet")" = $'AEROPORTO FIRST\r' ] || fail "$kind: the sheet not saved after"
}

# The write and the file's fsync are on the temporary file, whose name says
# nothing of the target, so the saves are counted: 2 is the sheet's, 3 the
# settings'.
for kind in write fsync; do
  scenario "$kind" ".vantrelo-*" 2 "$sheet"
  scenario "$kind" ".vantrelo-*" 3 "Vantrelo.ini"
done
scenario folder-fsync "*/work" 2 "$sheet"
scenario folder-fsync "*/work" 3 "Vantrelo.ini"
scenario rename "AAAA*" 1 "$sheet"
scenario rename "Vantrelo.ini" 2 "Vantrelo.ini"

# A failure while start-up saves the settings ends the program, as any
# start-up failure does, and leaves the file as it was.
rm -rf "$work" && mkdir "$work"
cp "$scratch/airports.txt" "$work/"
printf '"Ita"\r\n"ZZZZ"\r\n' > "$work/Vantrelo.ini"
use_faults VANTRELO_FAULT_CALL=fsync "VANTRELO_FAULT_NAME=.vantrelo-*"
run_driver $'type aaaa\nclick Command1\n' "${with_faults[@]}"
expect_output "$(msg_ita write Vantrelo.ini "$io_error")
" "start-up: output"
expect_status 1
expect_faults 1
expect_entries "$work" "airports.txt" "Vantrelo.ini"
expect_bytes "$work/Vantrelo.ini" '"Ita"\r\n"ZZZZ"\r\n'
finish
