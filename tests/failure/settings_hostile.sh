#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Settings files the program did not write: binary garbage, one field with
# no line end, a lone line end, 200 MB in one field, a directory (holding a
# file) and a link to a directory. The first two fields are read (from the
# first megabyte only), a missing one takes its default, a language code
# that is neither "Eng" nor "Ita" applies no language; the file is left as
# it is until a save writes it whole. A directory cannot be written, an
# unreadable file cannot be read: start-up reports either and ends. (The
# plain empty file, one quoted field and a plain directory are golden
# scenarios.)
source "$(dirname "$0")/lib.sh"

printf '1|AAAA|FIRST|45500000|-9250000|320|town|--|LAND|\r\n\r\n1|KJFK|KENNEDY|40639751|-73778925|13|ny|--|US|\r\n\r\n' \
  > "$work/airports.txt"

# Binary garbage: the bytes 0 to 255, sixteen times over. Field 1 runs to
# the first LF (0x0A) less the TAB before it, field 2 from there to the CR.
for i in $(seq 16); do
  for byte in $(seq 0 255); do printf "\\x$(printf %02x "$byte")"; done
done > "$work/Vantrelo.ini"
cp "$work/Vantrelo.ini" "$scratch/garbage.saved"
run_driver $'show Text1\nshow Command1\nclick Command1\nclick Exit\n'
expect_output_bytes 'Text1\t1\t-\t\x0b\x0c\nCommand1\t1\t-\tCERCA\nmessage\tVantrelo\tNessun aeroporto trovato: \x0b\x0c\n' \
  "garbage: output"
expect_status 0
expect_same_file "$scratch/garbage.saved" "$work/Vantrelo.ini"
run_driver $'type aaaa\nclick Command1\nshow Label2\n'
expect_output 'Label2	1	-	AAAA
' "garbage: search output"
# The garbage language code is written back as it was read, NUL included.
expect_bytes "$work/Vantrelo.ini" '"\x00\x01\x02\x03\x04\x05\x06\x07\x08"\r\n"AAAA"\r\n'

# One field, unquoted, with no line end: the ICAO code takes its default,
# and applying the language writes the file whole.
printf 'Ita' > "$work/Vantrelo.ini"
run_driver $'show Text1\nshow Command1\n'
expect_output 'Text1	1	-	KJFK
Command1	1	-	CERCA
' "one field: output"
expect_bytes "$work/Vantrelo.ini" '"Ita"\r\n"KJFK"\r\n'

# A lone line end: an empty language code, which applies nothing.
printf '\r\n' > "$work/Vantrelo.ini"
run_driver $'show Check1\nclick Command1\nshow Label2\n'
expect_output 'Check1	1	-	CREA FILE DATI AEROPORTO
Label2	1	-	KJFK
' "line end only: output"
expect_bytes "$work/Vantrelo.ini" '""\r\n"KJFK"\r\n'

# 200 MB in one quoted field that never closes: only the first megabyte is
# read, so the language code is 1,048,575 bytes of "x"; the file stays as it
# is until the search saves the settings whole.
huge=$work/Vantrelo.ini
{ printf '"'; head -c 209715200 /dev/zero | tr '\0' 'x'; } > "$huge"
before=$(cksum < "$huge")
run_driver $'show Text1\nshow Command1\nclick Exit\n'
expect_output 'Text1	1	-	KJFK
Command1	1	-	CERCA
' "huge: output"
expect_status 0
[ "$(cksum < "$huge")" = "$before" ] || fail "huge: the settings file changed without a save"
run_driver $'state\n'
lang_line=$(sed -n 3p "$out_file")
[ "$lang_line" = "LangCode	$(head -c 1048575 /dev/zero | tr '\0' 'x')" ] ||
  fail "huge: LangCode is not the first megabyte less the quote (${#lang_line} bytes of line)"
run_driver $'type kjfk\nclick Command1\nshow Label4\n'
expect_output 'Label4	1	-	KENNEDY
' "huge: search output"
{ printf '"'; head -c 1048575 /dev/zero | tr '\0' 'x'; printf '"\r\n"KJFK"\r\n'; } > "$scratch/huge.expected"
expect_same_file "$scratch/huge.expected" "$huge"
rm -f "$scratch/huge.expected"

# A directory, holding a file: it cannot be written, start-up ends, and the
# directory keeps what it holds.
rm -f "$work/Vantrelo.ini"
mkdir "$work/Vantrelo.ini"
printf '"Ita"\r\n"LIRF"\r\n' > "$work/Vantrelo.ini/inner.ini"
run_driver $'click Command1\n'
expect_output "$(msg 'Cannot write "Vantrelo.ini": Is a directory')
" "directory: output"
expect_status 1
expect_entries "$work" "airports.txt" "Vantrelo.ini" "Vantrelo.ini/inner.ini"
expect_bytes "$work/Vantrelo.ini/inner.ini" '"Ita"\r\n"LIRF"\r\n'

# A link to a directory is a directory too; the link stays a link.
rm -rf "$work/Vantrelo.ini"
mkdir "$scratch/elsewhere"
ln -s "$scratch/elsewhere" "$work/Vantrelo.ini"
run_driver ''
expect_output "$(msg 'Cannot write "Vantrelo.ini": Is a directory')
" "link to a directory: output"
expect_status 1
[ -L "$work/Vantrelo.ini" ] || fail "link to a directory: the link was replaced"
expect_entries "$scratch/elsewhere"

# A settings file the user may not read (as user nobody, where this machine
# allows it): start-up reports it and ends, and the file stays as it is.
if can_run_as_nobody; then
  rm -f "$work/Vantrelo.ini"
  printf '"Ita"\r\n"LIRF"\r\n' > "$work/Vantrelo.ini"
  chmod 000 "$work/Vantrelo.ini"
  chown "$nobody_uid:$nobody_gid" "$work"
  run_driver '' "${as_nobody[@]}"
  expect_output "$(msg 'Cannot read "Vantrelo.ini": Permission denied')
" "unreadable: output"
  expect_status 1
  expect_bytes "$work/Vantrelo.ini" '"Ita"\r\n"LIRF"\r\n'
else
  echo "(not run: a settings file the user may not read; needs root and setpriv)"
fi

finish
