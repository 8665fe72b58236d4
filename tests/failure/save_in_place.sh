#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# A folder the user may not write, holding files they may: a save cannot
# make its temporary file there, so the file is written in place (emptied,
# written, flushed) and the program works. A file that is not there yet
# still cannot be made, and is reported. Two ways to have such a folder:
#   nobody  the driver runs as user nobody in a folder of root's, on files
#           of its own                      (EACCES from the folder)
#   chattr  the immutable attribute on the folder only, as root
#                                           (EPERM from the folder)
source "$(dirname "$0")/lib.sh"

saves_in_both_languages
mechanisms=()
probe=$scratch/probe
mkdir "$probe"
if command -v chattr > /dev/null && chattr +i "$probe" 2> /dev/null; then
  touch "$probe/x" 2> /dev/null || mechanisms+=(chattr)
  chattr -i "$probe"
fi
rm -rf "$probe"
can_run_as_nobody && mechanisms+=(nobody)
[ ${#mechanisms[@]} -gt 0 ] || skip "no folder that refuses files here (needs root, chattr or setpriv)"

other="BBBB  SECOND.txt"
for mechanism in "${mechanisms[@]}"; do
  echo "-- $mechanism"
  prefix=()
  rm -rf "$work" && mkdir "$work"
  printf '1|AAAA|FIRST|45500000|-9250000|320|town|--|LAND|\r\n1|09|090|9000|0|110.30|\r\n\r\n1|BBBB|SECOND|41800000|12250000|10|city|--|LAND|\r\n\r\n' \
    > "$work/airports.txt"
  printf '"Eng"\r\n"ZZZZ"\r\n' > "$work/Vantrelo.ini"
  printf 'an older sheet, longer than the new one will be %0500d\r\n' 0 > "$work/$sheet"
  chmod 640 "$work/$sheet"
  case $mechanism in
    nobody)
      chown "$nobody_uid:$nobody_gid" "$work"/*
      chmod 755 "$work"
      prefix=("${as_nobody[@]}")
      ;;
    chattr) chattr +i "$work" ;;
  esac
  run_driver $'tick 1\ntype aaaa\nclick MenuItaliano\nclick Command1\ntype bbbb\nclick Command1\nshow Label2\n' \
    "${prefix[@]}"
  [ "$mechanism" = chattr ] && chattr -i "$work"
  reason=$([ "$mechanism" = nobody ] && echo "Permission denied" || echo "Operation not permitted")
  expect_output "$(msg_ita write "$other" "$reason")
$(ctl Label2 1 - BBBB)
" "$mechanism: output"
  expect_status 0
  expect_same_file "$scratch/sheet-Italiano" "$work/$sheet"
  expect_bytes "$work/Vantrelo.ini" '"Ita"\r\n"BBBB"\r\n'
  [ "$(stat -c %a "$work/$sheet")" = 640 ] || fail "$mechanism: the sheet lost its mode"
  expect_entries "$work" airports.txt Vantrelo.ini "$sheet"
done
finish
