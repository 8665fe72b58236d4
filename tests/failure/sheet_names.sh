#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Airport names that would lead a data sheet out of the working directory,
# or past the longest name the file system takes. Every sheet is written in
# the working directory: each "/" becomes "_", and a name is cut before
# ".txt" so that its UTF-8 form fits in 255 bytes (a byte above 0x7F counts
# three there, the most any Windows-1252 character takes). Nothing appears
# anywhere else. Control characters become "_" as well, and so does a
# first "." or "-": no sheet is hidden or looks like an option.
source "$(dirname "$0")/lib.sh"

long_ascii=$(head -c 300 /dev/zero | tr '\0' 'N')
# 300 bytes of 0xE9 ("é" in Windows-1252, two bytes in UTF-8).
long_accented=$(head -c 300 /dev/zero | tr '\0' '\351')
{
  printf '1|DOTS|../x|45500000|-9250000|0|a|--|b|\r\n\r\n'
  printf '1|ROOT|/etc/x|45500000|-9250000|0|a|--|b|\r\n\r\n'
  printf '1|..|/..|45500000|-9250000|0|a|--|b|\r\n\r\n'
  printf '1|UP|../../%s/x|45500000|-9250000|0|a|--|b|\r\n\r\n' "$(basename "$root")"
  printf '1|LONG|%s|45500000|-9250000|0|a|--|b|\r\n\r\n' "$long_ascii"
  printf '1|ACCT|%s|45500000|-9250000|0|a|--|b|\r\n\r\n' "$long_accented"
} > "$work/airports.txt"

[ -e /etc/x ] && skip "/etc/x exists on this machine already"
run_driver $'tick 1\ntype dots\nclick Command1\ntype root\nclick Command1\ntype ..\nclick Command1\ntype up\nclick Command1\ntype long\nclick Command1\ntype acct\nclick Command1\nshow Label2\n'
expect_output 'Label2	1	-	ACCT
'
expect_status 0

# "LONG  " and 245 N: 251 bytes, and ".txt".
long_sheet="LONG  $(head -c 245 /dev/zero | tr '\0' 'N').txt"
# "ACCT  " and 81 é, counted 3 bytes each: 6 + 243 <= 251.
accented_sheet="ACCT  $(for i in $(seq 81); do printf 'é'; done).txt"
expect_entries "$work" "airports.txt" "Vantrelo.ini" "DOTS  .._x.txt" "ROOT  _etc_x.txt" \
  "_.  _...txt" "UP  .._.._$(basename "$root")_x.txt" "$long_sheet" "$accented_sheet"
expect_entries "$root" "work" "work/airports.txt" "work/Vantrelo.ini" "work/DOTS  .._x.txt" \
  "work/ROOT  _etc_x.txt" "work/_.  _...txt" "work/UP  .._.._$(basename "$root")_x.txt" \
  "work/$long_sheet" "work/$accented_sheet"
[ -e /etc/x ] && { fail "/etc/x was written"; rm -f /etc/x; }
[ -e "$root/x" ] && fail "a sheet was written beside the working directory"

# The sheet keeps the whole name inside: its first line is the caption and
# the name as found.
head -n 1 "$work/DOTS  .._x.txt" | cmp -s - <(printf 'AIRPORT ../x\r\n') ||
  fail "the sheet of ../x does not hold the name as found"
head -n 1 "$work/$long_sheet" | cmp -s - <(printf 'AIRPORT %s\r\n' "$long_ascii") ||
  fail "the sheet of the long name does not hold the whole name"
expect_bytes "$work/Vantrelo.ini" '"Eng"\r\n"ACCT"\r\n'

echo "-- control characters, a leading dot or dash"
rm -f "$work"/*
{
  printf '1|\033]0;x\a|BEL\aTAB\tDEL\177|45500000|-9250000|0|a|--|b|\r\n\r\n'
  printf '1|.HID|den|45500000|-9250000|0|a|--|b|\r\n\r\n'
  printf '1|-RF|x|45500000|-9250000|0|a|--|b|\r\n\r\n'
} > "$work/airports.txt"
run_driver $'tick 1\ntype BEL\nclick Command1\ntype .hid\nclick Command1\ntype -RF\nclick Command1\n'
expect_status 0
expect_entries "$work" "airports.txt" "Vantrelo.ini" "_]0;x_  BEL_TAB_DEL_.txt" "_HID  den.txt" \
  "_RF  x.txt"
finish
