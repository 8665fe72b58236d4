#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# A working directory that cannot be written. During a session the data
# sheet and the settings saves fail, each is reported with the file's name
# and the system's reason, the program goes on, and the files already there
# stay whole (byte for byte) with no temporary file left behind. At start-up
# the settings save fails the same way and ends the program.
#
# We run as root, whom permission bits do not stop, so the directory is made
# read-only in each way this machine allows, and the scenario runs once per
# way:
#   mount  a read-only bind mount in a mount namespace of the test's own
#          (unshare -m)                          -> "Read-only file system"
#   chattr the immutable attribute on the directory -> "Operation not permitted"
#   nobody the driver runs as user nobody (setpriv) in a directory it may
#          not write                             -> "Permission denied"
# The files in it are made read-only too (immutable, or mode 444): a file
# that may be written in a folder that may not is written in place, which
# save_in_place.sh tests.
# The test is skipped only when none of the three works here.
source "$(dirname "$0")/lib.sh"

database=$'1|AAAA|FIRST|45500000|-9250000|320|town|--|LAND|\r\n1|09|090|9000|0|0|\r\n\r\n'
database+=$'1|BBBB|SECOND|41800000|12250000|10|city|--|LAND|\r\n\r\n'

# The ways that work here. Each is tried on a scratch directory first.
mechanisms=()
probe=$scratch/probe
mkdir "$probe"
if [ "$(id -u)" = 0 ] && command -v unshare > /dev/null &&
  unshare -m --propagation private sh -c \
    "mount --bind '$probe' '$probe' && mount -o remount,bind,ro '$probe' && ! touch '$probe/x'" \
    2> /dev/null; then
  mechanisms+=(mount)
fi
if command -v chattr > /dev/null && chattr +i "$probe" 2> /dev/null; then
  touch "$probe/x" 2> /dev/null || mechanisms+=(chattr)
  chattr -i "$probe"
fi
rm -rf "$probe"
can_run_as_nobody && mechanisms+=(nobody)
[ ${#mechanisms[@]} -gt 0 ] ||
  skip "no way to make a directory read-only for root here (no mount namespace, chattr or setpriv)"

reason_of() {
  case $1 in
    mount) echo "Read-only file system" ;;
    chattr) echo "Operation not permitted" ;;
    nobody) echo "Permission denied" ;;
  esac
}

# Sets up $work afresh with the starting files, owned by whoever will run the
# driver.
fresh_work() {
  local mechanism=$1
  rm -rf "$work"
  mkdir "$work"
  printf '%s' "$database" > "$work/airports.txt"
  printf '"Ita"\r\n"ZZZZ"\r\n' > "$work/Vantrelo.ini"
  printf 'an older sheet\r\n' > "$work/AAAA  FIRST.txt"
  [ "$mechanism" = nobody ] && chown -R "$nobody_uid:$nobody_gid" "$work"
  return 0
}

# Makes $work read-only, and writable again. For mount, $work is a bind
# mount of itself inside the test's own mount namespace, which vanishes with
# the test.
lock_work() {
  case $1 in
    mount) mount -o remount,bind,ro "$work" ;;
    chattr) chattr +i "$work" "$work"/* ;;
    nobody) chown 0:0 "$work" && chmod 755 "$work" && chmod 444 "$work"/* ;;
  esac
}
unlock_work() {
  case $1 in
    mount) mount -o remount,bind,rw "$work" ;;
    chattr) chattr -i "$work" "$work"/* ;;
    nobody) chown "$nobody_uid:$nobody_gid" "$work" && chmod 644 "$work"/* ;;
  esac
}

scenario() {
  local mechanism=$1 reason prefix=()
  reason=$(reason_of "$mechanism")
  [ "$mechanism" = nobody ] && prefix=("${as_nobody[@]}")
  echo "-- $mechanism ($reason)"

  # During a session: start-up writes the settings while it may, then the
  # directory is locked.
  fresh_work "$mechanism"
  [ "$mechanism" = mount ] && mount --bind "$work" "$work"
  driver_start "${prefix[@]}"
  lock_work "$mechanism"
  driver_step "tick 1" "type aaaa" "click Command1" "show Label2" "show Label4"
  driver_step "click MenuInglese" "show Command1" "type bbbb" "click Command1" "show Label2"
  driver_step "state"
  driver_finish
  local expected
  expected="$(msg_ita write "AAAA  FIRST.txt" "$reason")
$(msg_ita write Vantrelo.ini "$reason")
$(ctl Label2 1 - AAAA)
$(ctl Label4 1 - FIRST)
$(msg "Cannot write \"Vantrelo.ini\": $reason")
$(ctl Command1 1 - SEARCH)
$(msg "Cannot write \"BBBB  SECOND.txt\": $reason")
$(msg "Cannot write \"Vantrelo.ini\": $reason")
$(ctl Label2 1 - BBBB)
$(val Check1 1)
$(val RunwayCount 0)
$(val LangCode Eng)
$(val LastIcao BBBB)
"
  # Only the lines up to LastIcao are compared: the rest of state is the
  # same as in any session.
  head -n 13 "$out_file" > "$out_file.head" && mv "$out_file.head" "$out_file"
  expect_output "$expected" "session output ($mechanism)"
  expect_status 0
  expect_entries "$work" "airports.txt" "Vantrelo.ini" "AAAA  FIRST.txt"
  expect_bytes "$work/Vantrelo.ini" '"Ita"\r\n"ZZZZ"\r\n'
  expect_bytes "$work/AAAA  FIRST.txt" 'an older sheet\r\n'
  unlock_work "$mechanism"
  [ "$mechanism" = mount ] && umount "$work"

  # At start-up: the language is applied, its save fails, the program ends.
  fresh_work "$mechanism"
  [ "$mechanism" = mount ] && mount --bind "$work" "$work"
  lock_work "$mechanism"
  run_dir=$work run_driver $'type aaaa\nclick Command1\n' "${prefix[@]}"
  expect_output "$(msg_ita write Vantrelo.ini "$reason")
" "start-up output ($mechanism)"
  expect_status 1
  expect_entries "$work" "airports.txt" "Vantrelo.ini" "AAAA  FIRST.txt"
  expect_bytes "$work/Vantrelo.ini" '"Ita"\r\n"ZZZZ"\r\n'

  # A first run there: the settings file cannot be created.
  unlock_work "$mechanism"
  rm "$work/Vantrelo.ini"
  lock_work "$mechanism"
  run_dir=$work run_driver '' "${prefix[@]}"
  expect_output "$(msg "Cannot write \"Vantrelo.ini\": $reason")
" "first-run output ($mechanism)"
  expect_status 1
  expect_entries "$work" "airports.txt" "AAAA  FIRST.txt"
  unlock_work "$mechanism"
  [ "$mechanism" = mount ] && umount "$work"
  return 0
}

if [ "${VANTRELO_IN_NAMESPACE:-}" != 1 ] && [[ " ${mechanisms[*]} " == *" mount "* ]]; then
  # Run the whole test again inside a mount namespace of its own.
  trap - EXIT
  rm -rf "$scratch"
  VANTRELO_IN_NAMESPACE=1 exec unshare -m --propagation private bash "$0" "$@"
fi

for mechanism in "${mechanisms[@]}"; do scenario "$mechanism"; done
echo "ways tried: ${mechanisms[*]}"
finish
