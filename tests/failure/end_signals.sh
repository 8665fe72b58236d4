#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# SIGTERM, SIGINT and SIGHUP at random moments while the driver saves: it
# ends as at the end of its input, status 0, with the save under way done
# or never begun: both files whole, no temporary file left. The window ends
# on them like its Exit, status 0. At start-up, temporaries of ours that a
# killed run left (our name, this user's, some minutes old) are removed;
# anything else is left alone.
# usage: end_signals.sh DRIVER IMPORTER SAMPLE_DIR [WINDOW]
source "$(dirname "$0")/lib.sh"
window=${4:-}

printf '1|AAAA|FIRST|45500000|-9250000|320|town|--|LAND|\r\n1|09|090|9000|0|110.30|\r\n\r\n' \
  > "$work/airports.txt"
sheet="AAAA  FIRST.txt"
# A background job of a script has SIGINT ignored; these start with the
# signals at their defaults, as from a terminal or a session.
# shellcheck disable=SC2054 # one argument: env's list of signals
defaults=(env --default-signal=TERM,INT,HUP)
"${defaults[@]}" true 2> /dev/null || skip "env cannot reset signal handling here"

# Each click saves the sheet and the settings, the language switching
# between the saves.
endless_saves() {
  printf 'tick 1\ntype aaaa\n'
  yes $'click MenuItaliano\nclick Command1\nclick MenuInglese\nclick Command1' 2> /dev/null
}

saves_in_both_languages
rm -f "$work/$sheet" "$work/Vantrelo.ini"

echo "-- the driver, signalled while it saves"
rounds=0
for signal in TERM INT HUP TERM INT HUP TERM INT HUP TERM INT HUP; do
  rounds=$((rounds + 1))
  (cd "$work" && exec "${defaults[@]}" "$driver" < <(endless_saves) > /dev/null 2>&1) &
  pid=$!
  sleep "0.$((RANDOM % 40 + 10))"
  kill -"$signal" "$pid"
  status=0
  # Bounded: a driver that does not end fails the test.
  for _ in $(seq 100); do kill -0 "$pid" 2> /dev/null || break; sleep 0.1; done
  kill -0 "$pid" 2> /dev/null && { kill -KILL "$pid"; fail "SIG$signal did not end the driver"; }
  wait "$pid" || status=$?
  [ "$status" = 0 ] || fail "SIG$signal: exit status $status, expected 0"
  [ -z "$(temporaries "$work")" ] && continue
  fail "SIG$signal left $(temporaries "$work")"
  rm -f "$work"/.vantrelo-*
done
cmp -s "$work/$sheet" "$scratch/sheet-Italiano" || cmp -s "$work/$sheet" "$scratch/sheet-Inglese" ||
  fail "the sheet is not whole"
cmp -s "$work/Vantrelo.ini" "$scratch/settings-Italiano" ||
  cmp -s "$work/Vantrelo.ini" "$scratch/settings-Inglese" || fail "the settings are not whole"
echo "($rounds signals)"

echo "-- a signal while the driver waits for input"
status=0
(cd "$work" && exec "${defaults[@]}" "$driver" < <(sleep 30) > /dev/null) &
pid=$!
sleep 0.5
kill -TERM "$pid"
timeout 10 tail --pid="$pid" -f /dev/null || fail "SIGTERM did not end a waiting driver"
wait "$pid" || status=$?
expect_status 0

echo "-- leftovers at start-up"
old_stamp=$(date -d '-10 minutes' +%Y%m%d%H%M.%S)
for name in .vantrelo-1.tmp .vantrelo-22.tmp .vantrelo-333.tmp .vantrelo-x.tmp .vantrelo-.tmp \
  vantrelo-4.tmp .vantrelo-5.tmp.bak; do
  printf 'left\r\n' > "$work/$name"
  touch -t "$old_stamp" "$work/$name"
done
printf 'now\r\n' > "$work/.vantrelo-6.tmp"                 # a save of another copy, now
mkdir "$work/.vantrelo-7.tmp"                              # not a file
ln -s airports.txt "$work/.vantrelo-8.tmp"                 # a link
touch -h -t "$old_stamp" "$work/.vantrelo-8.tmp"
if [ "$(id -u)" = 0 ]; then
  printf 'theirs\r\n' > "$work/.vantrelo-9.tmp"             # another user's
  chown "$nobody_uid" "$work/.vantrelo-9.tmp"
  touch -t "$old_stamp" "$work/.vantrelo-9.tmp"
fi
run_driver ''
expect_status 0
kept=(.vantrelo-x.tmp .vantrelo-.tmp vantrelo-4.tmp .vantrelo-5.tmp.bak .vantrelo-6.tmp
  .vantrelo-7.tmp .vantrelo-8.tmp)
[ "$(id -u)" = 0 ] && kept+=(.vantrelo-9.tmp)
expect_entries "$work" airports.txt Vantrelo.ini "$sheet" "${kept[@]}"

if [ -n "$window" ] && [ -x "$window" ]; then
  echo "-- the window"
  for signal in TERM INT HUP; do
    rm -f "$work/Vantrelo.ini"
    (cd "$work" && exec env QT_QPA_PLATFORM=offscreen "${defaults[@]}" "$window" > /dev/null 2>&1) &
    pid=$!
    for _ in $(seq 100); do
      [ -f "$work/Vantrelo.ini" ] && break
      sleep 0.1
    done
    sleep 0.3
    kill -"$signal" "$pid"
    for _ in $(seq 100); do kill -0 "$pid" 2> /dev/null || break; sleep 0.1; done
    kill -0 "$pid" 2> /dev/null && { kill -KILL "$pid"; fail "window: SIG$signal did not end it"; }
    status=0
    wait "$pid" || status=$?
    [ "$status" = 0 ] || fail "window: SIG$signal: exit status $status, expected 0"
  done
else
  echo "(not run: the window; no window program given)"
fi
finish
