#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# A working directory whose file system is full. The data sheet and the
# settings cannot be written: each failure is reported with the system's
# reason, the program goes on, the old files stay whole and no temporary
# file is left. Once there is room again the next search writes both.
# The directory is a small tmpfs mounted in a mount namespace of the test's
# own; the test is skipped, saying why, where that cannot be done.
source "$(dirname "$0")/lib.sh"

if [ "${VANTRELO_IN_NAMESPACE:-}" != 1 ]; then
  [ "$(id -u)" = 0 ] || skip "mounting a small file system needs root"
  command -v unshare > /dev/null || skip "mounting a small file system needs unshare (util-linux)"
  # In a chroot whose root is not a mount point the namespace's mounts
  # cannot be made private ("cannot change root filesystem propagation"):
  # unshare's own message gives the reason.
  if ! reason=$(unshare -m --propagation private sh -c "mount -t tmpfs -o size=64k tmpfs '$work'" 2>&1); then
    skip "cannot mount a small file system in a mount namespace of its own here: ${reason:-unshare failed}"
  fi
  trap - EXIT
  rm -rf "$scratch"
  VANTRELO_IN_NAMESPACE=1 exec unshare -m --propagation private bash "$0" "$@"
fi

mount -t tmpfs -o size=256k tmpfs "$work"
cleanup_steps+=("umount '$work'")
{
  printf '1|AAAA|FIRST|45500000|-9250000|320|town|--|LAND|\r\n'
  for i in $(seq 100); do printf '1|R%d|090|9000|0|110.30|\r\n' "$i"; done
  printf '\r\n'
} > "$work/airports.txt"
printf '"Ita"\r\n"ZZZZ"\r\n' > "$work/Vantrelo.ini"
printf 'an older sheet\r\n' > "$work/AAAA  FIRST.txt"

driver_start
# Start-up has rewritten the settings; now the file system fills up.
head -c 1073741824 /dev/zero > "$work/filler" 2> /dev/null
driver_step "tick 1" "type aaaa" "click Command1" "show Label2" "show Label6"
no_space="No space left on device"
expect_output "$(msg_ita write "AAAA  FIRST.txt" "$no_space")
$(msg_ita write Vantrelo.ini "$no_space")
$(ctl Label2 1 - AAAA)
$(ctl Label6 1 - ' 100')
" "full: output"
expect_entries "$work" "airports.txt" "Vantrelo.ini" "AAAA  FIRST.txt" "filler"
expect_bytes "$work/Vantrelo.ini" '"Ita"\r\n"ZZZZ"\r\n'
expect_bytes "$work/AAAA  FIRST.txt" 'an older sheet\r\n'

# Room again: the same search writes the sheet and the settings whole.
rm "$work/filler"
: > "$out_file"
driver_step "click Command1" "show Label2"
driver_finish
expect_output "$(ctl Label2 1 - AAAA)
" "room again: output"
expect_status 0
expect_entries "$work" "airports.txt" "Vantrelo.ini" "AAAA  FIRST.txt"
expect_bytes "$work/Vantrelo.ini" '"Ita"\r\n"AAAA"\r\n'
[ "$(head -n 1 "$work/AAAA  FIRST.txt")" = $'AEROPORTO FIRST\r' ] || fail "the new sheet's first line"
[ "$(tail -n 1 "$work/AAAA  FIRST.txt")" = $'Vantrelo Ver.2\r' ] || fail "the new sheet's last line"
[ "$(grep -c '^PISTA = ' "$work/AAAA  FIRST.txt")" = 100 ] || fail "the new sheet has not 100 runways"
finish
