#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# A failure message is in one language, the interface's: the system's
# reason follows the interface, not the system's locale. An Italian
# interface on an English system and an English interface on an Italian
# system each report a settings save that fails (made to fail by the fault
# shim) wholly in their own language, and go on.
source "$(dirname "$0")/lib.sh"

locale -a 2> /dev/null | grep -qi '^it_IT\.utf-\?8$' ||
  skip "no it_IT.UTF-8 locale (scripts/install-deps.sh makes it)"
english_reason="Input/output error"
italian_reason=$(TEXTDOMAIN=libc LANGUAGE= LC_ALL=it_IT.UTF-8 gettext -- "$english_reason")
[ "$italian_reason" != "$english_reason" ] ||
  skip "the C library has no Italian messages here (Debian: locales)"

printf '1|AAAA|FIRST|45500000|-9250000|320|town|--|LAND|\r\n1|09|090|9000|0|0|\r\n\r\n' \
  > "$work/airports.txt"

# LANGCODE and the system's locale; the settings saved after the search
# (the second save, start-up's being the first) fail.
session() {
  local code=$1 system=$2
  printf '"%s"\r\n"ZZZZ"\r\n' "$code" > "$work/Vantrelo.ini"
  use_faults VANTRELO_FAULT_CALL=write "VANTRELO_FAULT_NAME=.vantrelo-*" VANTRELO_FAULT_AT=2
  driver_env=(env -u LC_ALL -u LANGUAGE "LANG=$system" "LC_MESSAGES=$system")
  run_driver $'type aaaa\nclick Command1\nshow Label2\n' "${with_faults[@]}"
  expect_status 0
  expect_faults 1
}

echo "-- Italian interface, English system"
session Ita C.UTF-8
expect_output "$(msg "Impossibile scrivere \"Vantrelo.ini\": $italian_reason")
$(ctl Label2 1 - AAAA)
" "Italian interface"

echo "-- English interface, Italian system"
session Eng it_IT.UTF-8
expect_output "$(msg "Cannot write \"Vantrelo.ini\": $english_reason")
$(ctl Label2 1 - AAAA)
" "English interface"

finish
