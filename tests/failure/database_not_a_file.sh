#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# airports.txt that is no file: a FIFO, a link to a device that never ends
# (/dev/zero, /dev/urandom) or a socket. Start-up refuses it with a message
# naming the file and ends (status 1) instead of waiting on the FIFO or
# reading for ever; one put in the file's place while the program runs is
# refused at the reopen, and the search reports only that.
source "$(dirname "$0")/lib.sh"

not_a_file='"airports.txt": Not a regular file'
# Bounded: a driver that hangs is killed and fails the test.
bounded=(timeout 20)

echo "-- at start-up"
check_startup() {
  local what=$1
  run_driver $'type aaaa\nclick Command1\n' "${bounded[@]}"
  expect_output "$(msg "Cannot open $not_a_file")
" "$what: output"
  expect_status 1
}
mkfifo "$work/airports.txt"
check_startup FIFO
[ -p "$work/airports.txt" ] || fail "the FIFO was replaced"
for device in /dev/zero /dev/urandom; do
  rm -f "$work/airports.txt"
  ln -s "$device" "$work/airports.txt"
  check_startup "$device"
done
rm -f "$work/airports.txt"
if /usr/bin/python3 -c 'import socket,sys; socket.socket(socket.AF_UNIX).bind(sys.argv[1])' \
  "$work/airports.txt" 2> /dev/null; then
  check_startup socket
fi

echo "-- put in the file's place while the program runs"
rm -f "$work/airports.txt"
printf '1|AAAA|FIRST|45500000|-9250000|320|town|--|LAND|\r\n1|09|090|9000|0|0|\r\n' \
  > "$work/airports.txt"
: > "$out_file"
driver_start "${bounded[@]}"
driver_step "type aaaa" "click Command1" "show Label2"
rm "$work/airports.txt"
mkfifo "$work/airports.txt"
# The file read to its end: the reopen meets the FIFO.
driver_step "type zzzz" "click Command1" "show Label2"
rm "$work/airports.txt"
ln -s /dev/zero "$work/airports.txt"
driver_step "click MenuItaliano" "type aaaa" "click Command1" "show Label2"
driver_finish
expect_output "$(ctl Label2 1 - AAAA)
$(msg "Cannot open $not_a_file")
$(ctl Label2 1 - AAAA)
$(msg "Impossibile aprire \"airports.txt\": Non è un file regolare")
$(ctl Label2 1 - AAAA)
" "while running: output"
expect_status 0
finish
