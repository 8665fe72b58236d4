#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Hostile search texts: 10,000 characters (found in a name that long, and
# not found), 70,000 characters (longer than any item the reader keeps, so
# never found), and characters with no Latin form (emoji, symbols) or bytes
# that are not UTF-8, each of which becomes "?" before the text is
# upper-cased and searched.
source "$(dirname "$0")/lib.sh"

a10k=$(head -c 10000 /dev/zero | tr '\0' 'a')
A10k=${a10k^^}
b10k=$(head -c 10000 /dev/zero | tr '\0' 'b')
x70k=$(head -c 70000 /dev/zero | tr '\0' 'x')
{
  printf '1|ZZZZ|%s|45500000|-9250000|0|a|--|b|\r\n\r\n' "$A10k"
  # "ZÜRICH€??" in Windows-1252.
  printf '1|ZURI|Z\xdcRICH\x80??|47458056|8548056|1416|h|--|h2|\r\n\r\n'
  printf '1|SLSH|A/B|45500000|-9250000|0|a|--|b|\r\n\r\n'
} > "$work/airports.txt"

commands="type $a10k
click Command1
show Label2
show Label4
type $b10k
click Command1
show Text1
type $x70k
click Command1
type zürich€😀★
click Command1
show Label2
show Text1
type a"$'\xc0\xaf'"b
click Command1
show Text1
type 😀"$'\xff'"q
click Command1
show Text1
"
# "a\xC0\xAFb" carries an overlong "/", and "\xFF" is no UTF-8 at all:
# each of their bytes is a "?"; the emoji is one character, one "?".
run_driver "$commands"
expected="$(ctl Label2 1 - ZZZZ)
$(ctl Label4 1 - "$A10k")
$(msg "No airport found: ${b10k^^}")
$(ctl Text1 1 - "${b10k^^}")
$(msg "No airport found: ${x70k^^}")
$(ctl Label2 1 - ZURI)
$(ctl Text1 1 - 'ZÜRICH€??')
$(msg 'No airport found: A??B')
$(ctl Text1 1 - 'A??B')
$(msg 'No airport found: ??Q')
$(ctl Text1 1 - '??Q')
"
expect_output "$expected"
expect_status 0
expect_bytes "$work/Vantrelo.ini" '"Eng"\r\n"ZURI"\r\n'
finish
