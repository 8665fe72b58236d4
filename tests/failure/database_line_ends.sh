#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Line ends of every kind, and files that end inside a line. A bare CR and
# a bare LF each end a line like CR LF; "\n\r" and "\r\r\n" are a line end
# and an empty line, which closes the block. A runway line cut off by the
# end of the file has too few "|" and is read over; an airport line cut off
# is never found.
source "$(dirname "$0")/lib.sh"

block() { printf '1|%s|%s|45500000|-9250000|0|h|--|h2|' "$1" "$2"; }
{
  block CRCR 'BARE CR'; printf '\r1|01|010|5000|0|0|\r1|02|020|6000|0|0|\r\r'
  block LFLF 'BARE LF'; printf '\n1|03|030|7000|0|0|\n\n'
  block LFCR 'LF THEN CR'; printf '\n\r1|04|040|8000|0|0|\r\n\r\n'
  block CRCRLF 'CR THEN CR LF'; printf '\r\r\n1|05|050|9000|0|0|\r\n\r\n'
  block CUT 'ENDS IN A RUNWAY'; printf '\r\n1|09|090|90'
} > "$work/airports.txt"

run_driver $'type crcr\nclick Command1\nshow Label6\nshow Label5
type lflf\nclick Command1\nshow Label6\nshow Label5
type lfcr\nclick Command1\nshow Label6
type crcrlf\nclick Command1\nshow Label6
type cut\nclick Command1\nshow Label2\nshow Label6\nstate\n'
head -n 12 "$out_file" > "$scratch/actual" && mv "$scratch/actual" "$out_file"
row() {
  printf '%s                   %s°                                  %s ft./ %s mt.            0         \\r' \
    "$1" "$2" "$3" "$4"
}
expect_output "$(ctl Label6 1 - ' 2')
$(ctl Label5 1 - "$(row 01 010 5000 1524)$(row 02 020 6000 1828)")
$(ctl Label6 1 - ' 1')
$(ctl Label5 1 - "$(row 03 030 7000 2133)")
$(ctl Label6 1 - ' 0')
$(ctl Label6 1 - ' 0')
$(ctl Label2 1 - CUT)
$(ctl Label6 1 - ' 0')
$(val Check1 0)
$(val RunwayCount 0)
$(val LangCode Eng)
$(val LastIcao CUT)
" "line ends: output"
expect_status 0

# An airport line cut off by the end of the file is not an airport line.
printf '1|AAAA|FIRST|45500000|-9250000|320|town|--|LAND|\r\n\r\n1|DDDD|CUT OFF|455000' > "$work/airports.txt"
run_driver $'type dddd\nclick Command1\ntype aaaa\nclick Command1\nshow Label2\n'
expect_output "$(msg 'No airport found: DDDD')
$(ctl Label2 1 - AAAA)
" "cut airport line: output"
expect_status 0
expect_bytes "$work/Vantrelo.ini" '"Eng"\r\n"AAAA"\r\n'
finish
