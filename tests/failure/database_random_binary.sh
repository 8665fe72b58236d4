#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# A megabyte of random bytes (any byte but "|", so no item of it can be an
# airport line) before one well-formed block: every search reads over the
# noise and finds the block; a text found nowhere is reported; the empty
# text finds the block too, as the first item that is an airport line.
source "$(dirname "$0")/lib.sh"

{
  head -c 1048576 /dev/urandom | tr -d '|'
  printf '\r\n\r\n1|AAAA|FIRST|45500000|-9250000|320|town|--|LAND|\r\n1|09|090|9000|0|0|\r\n\r\n'
} > "$work/airports.txt"
run_driver $'type aaaa\nclick Command1\nshow Label2\nshow Label6
type zzzz-not-there\nclick Command1
type\nclick Command1\nshow Label2\nclick Command1\nshow Label2\n'
expect_output "$(ctl Label2 1 - AAAA)
$(ctl Label6 1 - ' 1')
$(msg 'No airport found: ZZZZ-NOT-THERE')
$(ctl Label2 1 - AAAA)
$(ctl Label2 1 - AAAA)
"
expect_status 0
expect_bytes "$work/Vantrelo.ini" '"Eng"\r\n"AAAA"\r\n'
finish
