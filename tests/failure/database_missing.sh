#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# airports.txt missing or not a file at start-up: the failure is reported in
# a message box, the program ends with status 1, and the files already there
# stay as they are (the settings file as start-up last wrote it).
source "$(dirname "$0")/lib.sh"

# Missing, with a remembered Italian session and an earlier data sheet:
# start-up applies the language (rewriting the same settings) and then ends,
# with the failure told in Italian.
printf '"Ita"\r\n"LIRF"\r\n' > "$work/Vantrelo.ini"
printf 'old sheet\r\n' > "$work/LIRF  ROMA.txt"
run_driver $'type egll\nclick Command1\n'
expect_output "$(msg_ita open airports.txt "No such file or directory")
"
expect_status 1
expect_entries "$work" "Vantrelo.ini" "LIRF  ROMA.txt"
expect_bytes "$work/Vantrelo.ini" '"Ita"\r\n"LIRF"\r\n'
expect_bytes "$work/LIRF  ROMA.txt" 'old sheet\r\n'

# A directory of that name, holding a file that must stay.
rm -f "$work"/*
mkdir "$work/airports.txt"
printf '1|AAAA|X|0|0|0|||\r\n' > "$work/airports.txt/inner.txt"
run_driver $'click Command1\n'
expect_output "$(msg 'Cannot open "airports.txt": Is a directory')
"
expect_status 1
expect_entries "$work" "Vantrelo.ini" "airports.txt" "airports.txt/inner.txt"
expect_bytes "$work/Vantrelo.ini" '"Eng"\r\n"KJFK"\r\n'
expect_bytes "$work/airports.txt/inner.txt" '1|AAAA|X|0|0|0|||\r\n'

# A link to nowhere reads as missing.
rm -rf "${work:?}"/*
ln -s "$scratch/nowhere.txt" "$work/airports.txt"
run_driver ''
expect_output "$(msg 'Cannot open "airports.txt": No such file or directory')
"
expect_status 1
expect_entries "$work" "Vantrelo.ini" "airports.txt"
[ -e "$scratch/nowhere.txt" ] && fail "the link's target was created"

# A file the user may not read (as user nobody, where this machine allows
# it; root reads every file).
if can_run_as_nobody; then
  rm -rf "${work:?}"/*
  printf '1|AAAA|X|45500000|-9250000|0|a|--|b|\r\n' > "$work/airports.txt"
  chmod 000 "$work/airports.txt"
  chown "$nobody_uid:$nobody_gid" "$work"
  run_driver '' "${as_nobody[@]}"
  expect_output "$(msg 'Cannot open "airports.txt": Permission denied')
" "unreadable: output"
  expect_status 1
  expect_entries "$work" "Vantrelo.ini" "airports.txt"
  expect_bytes "$work/Vantrelo.ini" '"Eng"\r\n"KJFK"\r\n'
else
  echo "(not run: a database the user may not read; needs root and setpriv)"
fi

finish
