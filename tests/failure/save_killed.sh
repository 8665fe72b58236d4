#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# A driver saving over and over (the settings and the data sheet, switching
# language between searches) is killed with SIGKILL at random moments, again
# and again for a few seconds. After every kill each file is whole: the old
# content or the new one, nothing in between. A kill during a save may leave
# a temporary file; nothing else may appear.
source "$(dirname "$0")/lib.sh"

# The sheet in each language, from clean runs.
saves_in_both_languages
printf '"Ita"\r\n"ZZZZ"\r\n' > "$work/Vantrelo.ini"

whole_settings() {
  local text
  text=$(od -An -c "$work/Vantrelo.ini" | tr -s ' \n' ' ')
  case $text in
    ' " I t a " \r \n " Z Z Z Z " \r \n ' | ' " E n g " \r \n " Z Z Z Z " \r \n ' | \
      ' " I t a " \r \n " A A A A " \r \n ' | ' " E n g " \r \n " A A A A " \r \n ') return 0 ;;
  esac
  fail "round $round: Vantrelo.ini holds:$text"
  return 1
}

feed() {
  printf 'tick 1\ntype aaaa\n'
  while printf 'click MenuItaliano\nclick Command1\nclick MenuInglese\nclick Command1\n'; do :; done
} 2> /dev/null

# A few seconds, and at least 10 kills unless the machine is so slow that
# a minute goes by first. The waits are read timeouts on a pipe that never
# delivers, so that no sleep process has to start each time.
seconds=${VANTRELO_KILL_SECONDS:-5}
exec {never}<> <(:)
SECONDS=0
round=0 sheets=0 leftovers=0
while { [ "$SECONDS" -lt "$seconds" ] || [ "$round" -lt 10 ]; } && [ "$SECONDS" -lt 60 ] &&
  [ "$failures" = 0 ]; do
  round=$((round + 1))
  (cd "$work" && exec "${driver_env[@]}" "$driver" < <(feed) > /dev/null 2>&1) &
  pid=$!
  read -r -t "0.$(printf '%03d' $((RANDOM % 380 + 20)))" -u "$never"
  kill -KILL "$pid" 2> /dev/null
  wait "$pid" 2> /dev/null
  whole_settings
  if [ -e "$work/$sheet" ]; then
    sheets=$((sheets + 1))
    cmp -s "$work/$sheet" "$scratch/sheet-Italiano" || cmp -s "$work/$sheet" "$scratch/sheet-Inglese" ||
      fail "round $round: the sheet is neither whole version ($(wc -c < "$work/$sheet") bytes)"
  fi
  for name in $(temporaries "$work"); do
    leftovers=$((leftovers + 1))
    rm -f "$work/$name"
  done
  present=("airports.txt" "Vantrelo.ini")
  [ -e "$work/$sheet" ] && present+=("$sheet")
  expect_entries "$work" "${present[@]}"
done
echo "$round kills in $SECONDS s; a sheet after $sheets of them; $leftovers temporary file(s) left by kills"
[ "$round" -ge 10 ] || fail "only $round kills: too few to tell"
[ "$sheets" -gt 0 ] || fail "no kill came after the first save of a sheet"
finish
