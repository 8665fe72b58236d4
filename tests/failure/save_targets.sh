#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# What a save does with the file it replaces. A symbolic link is followed
# (the file at the end of the chain gets the new bytes, the links stay); the
# new file keeps the old one's mode and owner; a new file gets the mode the
# umask allows; a file that may not be written is refused and kept; a
# folder, a FIFO, a socket or a device where the file should be is refused
# with a clear reason and left alone. A refused sheet never stops the
# search, and start-up still ends when it cannot save the settings.
source "$(dirname "$0")/lib.sh"

printf '1|AAAA|FIRST|45500000|-9250000|320|town|--|LAND|\r\n1|09|090|9000|0|0|\r\n\r\n' \
  > "$scratch/airports.txt"
sheet="AAAA  FIRST.txt"
search=$'tick 1\ntype aaaa\nclick Command1\nshow Label2\n'
shown=$(ctl Label2 1 - AAAA)
new_settings='"Ita"\r\n"AAAA"\r\n'

fresh_work() {
  rm -rf "$work" "$scratch/elsewhere" && mkdir "$work" "$scratch/elsewhere"
  cp "$scratch/airports.txt" "$work/"
  printf '"Ita"\r\n"ZZZZ"\r\n' > "$work/Vantrelo.ini"
}

sheet_written() { [ "$(head -n 1 "$1")" = $'AEROPORTO FIRST\r' ]; }

echo "-- links"
fresh_work
mv "$work/Vantrelo.ini" "$scratch/elsewhere/settings.ini"
ln -s ../../elsewhere/settings.ini "$work/Vantrelo.ini"
printf 'an older sheet\r\n' > "$scratch/elsewhere/sheet.txt"
ln -s "$scratch/elsewhere/sheet.txt" "$scratch/elsewhere/sheet-link"
ln -s "$scratch/elsewhere/sheet-link" "$work/$sheet"
run_driver "$search"
expect_output "$shown
" "links: output"
[ "$(readlink "$work/Vantrelo.ini")" = ../../elsewhere/settings.ini ] || fail "the settings link is gone"
[ "$(readlink "$work/$sheet")" = "$scratch/elsewhere/sheet-link" ] || fail "the sheet link is gone"
[ -L "$scratch/elsewhere/sheet-link" ] || fail "the link in the middle of the chain is gone"
expect_bytes "$scratch/elsewhere/settings.ini" "$new_settings"
sheet_written "$scratch/elsewhere/sheet.txt" || fail "the sheet behind two links was not written"
expect_entries "$work" "airports.txt" "Vantrelo.ini" "$sheet"
# A link to a file not there yet creates that file.
fresh_work
ln -s missing.txt "$scratch/elsewhere/dangling"
ln -s "$scratch/elsewhere/dangling" "$work/$sheet"
run_driver "$search"
expect_output "$shown
" "dangling link: output"
sheet_written "$scratch/elsewhere/missing.txt" || fail "the file a dangling link names was not made"
[ -L "$work/$sheet" ] || fail "the dangling link is gone"

echo "-- modes and owners"
fresh_work
chmod 444 "$work/Vantrelo.ini"
printf 'an older sheet\r\n' > "$work/$sheet"
chmod 751 "$work/$sheet"
[ "$(id -u)" = 0 ] && chown "$nobody_uid:$nobody_gid" "$work/$sheet"
run_driver "$search"
expect_output "$shown
" "modes: output"
expect_bytes "$work/Vantrelo.ini" "$new_settings"
if [ "$(id -u)" = 0 ]; then
  # Root may write a read-only file, as it could open it for writing.
  [ "$(stat -c %a "$work/Vantrelo.ini")" = 444 ] || fail "the settings lost mode 444"
  [ "$(stat -c %u:%g "$work/$sheet")" = "$nobody_uid:$nobody_gid" ] || fail "the sheet lost its owner"
fi
[ "$(stat -c %a "$work/$sheet")" = 751 ] || fail "the sheet lost mode 751"
sheet_written "$work/$sheet" || fail "the sheet with mode 751 was not written"
# New files get what the umask leaves of 666, as any new file does.
fresh_work
rm "$work/Vantrelo.ini"
saved_umask=$(umask)
umask 027
run_driver "$search"
umask "$saved_umask"
expect_output "$shown
" "umask: output"
[ "$(stat -c %a "$work/Vantrelo.ini")" = 640 ] || fail "new settings: mode $(stat -c %a "$work/Vantrelo.ini")"
[ "$(stat -c %a "$work/$sheet")" = 640 ] || fail "new sheet: mode $(stat -c %a "$work/$sheet")"

if can_run_as_nobody; then
  echo "-- read-only files, as nobody"
  fresh_work
  printf 'an older sheet\r\n' > "$work/$sheet"
  chmod 444 "$work/$sheet"
  chown -R "$nobody_uid:$nobody_gid" "$work"
  run_driver "$search" "${as_nobody[@]}"
  expect_output "$(msg_ita write "$sheet" "Permission denied")
$shown
" "read-only sheet: output"
  expect_bytes "$work/$sheet" 'an older sheet\r\n'
  expect_bytes "$work/Vantrelo.ini" "$new_settings"
  [ "$(stat -c %a "$work/$sheet")" = 444 ] || fail "the read-only sheet's mode changed"
  chmod 444 "$work/Vantrelo.ini"
  run_driver "$search" "${as_nobody[@]}"
  expect_output "$(msg_ita write Vantrelo.ini "Permission denied")
" "read-only settings: output"
  expect_status 1
  expect_bytes "$work/Vantrelo.ini" "$new_settings"
  expect_entries "$work" "airports.txt" "Vantrelo.ini" "$sheet"
fi

echo "-- not regular files"
# Each stands where the sheet should go; the search and the settings save
# go on.
refused_sheet() {
  local what=$1 reason=$2
  run_driver "$search"
  expect_output "$(msg_ita write "$sheet" "$reason")
$shown
" "$what: output"
  expect_status 0
  expect_bytes "$work/Vantrelo.ini" "$new_settings"
  [ -z "$(temporaries "$work")" ] || fail "$what: a temporary file was left"
}
fresh_work
mkfifo "$work/$sheet"
refused_sheet FIFO "Not a regular file"
[ -p "$work/$sheet" ] || fail "the FIFO was replaced"
fresh_work
mkdir "$work/$sheet"
refused_sheet folder "Is a directory"
[ -d "$work/$sheet" ] && [ -z "$(ls -A "$work/$sheet")" ] || fail "the folder was changed"
fresh_work
ln -s /dev/null "$work/$sheet"
refused_sheet "link to a device" "Not a regular file"
[ -c /dev/null ] && [ "$(readlink "$work/$sheet")" = /dev/null ] || fail "the device or its link changed"
if /usr/bin/python3 -c 'import socket,sys; socket.socket(socket.AF_UNIX).bind(sys.argv[1])' \
  "$scratch/socket" 2> /dev/null; then
  fresh_work
  mv "$scratch/socket" "$work/$sheet"
  refused_sheet socket "Not a regular file"
  [ -S "$work/$sheet" ] || fail "the socket was replaced"
fi
# A FIFO named like the settings is no settings file: start-up makes the
# defaults, cannot save them and ends, without waiting on the FIFO.
fresh_work
rm "$work/Vantrelo.ini"
mkfifo "$work/Vantrelo.ini"
run_driver "$search"
expect_output "$(msg "Cannot write \"Vantrelo.ini\": Not a regular file")
" "settings FIFO: output"
expect_status 1
[ -p "$work/Vantrelo.ini" ] || fail "the settings FIFO was replaced"
expect_entries "$work" "airports.txt" "Vantrelo.ini"
finish
