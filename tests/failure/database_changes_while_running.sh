#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# airports.txt removed, or replaced by a directory, while the program runs.
# The open file reads on to its end; there the end-of-file rule cannot
# reopen it: the failure is reported, the airport found stays on display
# and is remembered, and the program goes on. A search with the database
# closed tries to open it again first; once the file is back, searches work
# as before.
source "$(dirname "$0")/lib.sh"

database=$'1|AAAA|FIRST|45500000|-9250000|320|town|--|LAND|\r\n1|09|090|9000|0|0|\r\n\r\n'
database+=$'1|BBBB|SECOND|41800000|12250000|10|city|--|LAND|\r\n1|18|180|6000|0|110.30|\r\n'
printf '%s' "$database" > "$work/airports.txt"
cp "$work/airports.txt" "$scratch/airports.saved"

no_such='Cannot open "airports.txt": No such file or directory'
is_dir='Cannot open "airports.txt": Is a directory'

driver_start
driver_step "type aaaa" "click Command1" "show Label2"

# Removed: BBBB's block ends the file, where reopening fails.
rm "$work/airports.txt"
driver_step "type bbbb" "click Command1" "show Label2" "show Label6"
# Closed now: every search tries to reopen first, and reports only that.
driver_step "type aaaa" "click Command1" "show Label2" "show Label4" "show Text1"
# A directory in its place fails the same way, with its own reason.
mkdir "$work/airports.txt"
driver_step "click Command1" "show Label2"
# Back again: the next search opens it and finds the airport.
rmdir "$work/airports.txt"
cp "$scratch/airports.saved" "$work/airports.txt"
driver_step "click Command1" "show Label2" "show Label6"
# Replaced by a directory while open: the open file still reads to its end.
rm "$work/airports.txt"
mkdir "$work/airports.txt"
driver_step "type bbbb" "click Command1" "show Label2" "show Label5" "click MenuItaliano" "type cccc" "click Command1"
rmdir "$work/airports.txt"
cp "$scratch/airports.saved" "$work/airports.txt"
driver_step "type bbbb" "click Command1" "show Label2"
driver_finish

expected="$(ctl Label2 1 - AAAA)
$(msg "$no_such")
$(ctl Label2 1 - BBBB)
$(ctl Label6 1 - ' 1')
$(msg "$no_such")
$(ctl Label2 1 - BBBB)
$(ctl Label4 1 - SECOND)
$(ctl Text1 1 - AAAA)
$(msg "$is_dir")
$(ctl Label2 1 - BBBB)
$(ctl Label2 1 - AAAA)
$(ctl Label6 1 - ' 1')
$(msg "$is_dir")
$(ctl Label2 1 - BBBB)
$(ctl Label5 1 - '18                   180°                                  6000 ft./ 1828 mt.            110.30         \r')
$(msg_ita open airports.txt "Is a directory")
$(ctl Label2 1 - BBBB)
"
expect_output "$expected"
expect_status 0
expect_entries "$work" "airports.txt" "Vantrelo.ini"
# The last airport shown is remembered in the language switched to.
expect_bytes "$work/Vantrelo.ini" '"Ita"\r\n"BBBB"\r\n'
finish
