#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The window's choice of folder where names and HOME are odd. A FOLDER
# argument whose name is not UTF-8 (Latin-1 "Zürich") is opened by its
# bytes: start-up writes Vantrelo.ini there. With HOME unset, or naming no
# folder, and no airports.txt at hand, the window says so and makes
# nothing: no user folder in the documents folder, none at "/". The
# failure's message box would wait for a click, so the test reads the same
# text on standard error and then ends the window.
# usage: window_folders.sh DRIVER IMPORTER SAMPLE_DIR WINDOW
source "$(dirname "$0")/lib.sh"
window=${4:-}
if [ -z "$window" ] || [ ! -x "$window" ]; then skip "no window program given"; fi

# start_window LOG DONE_TEST COMMAND...: the window offscreen from $work;
# waits until DONE_TEST (a shell test, expanded when tried) holds or 10 s
# pass, then ends it.
start_window() {
  local log=$1 done_test=$2
  shift 2
  (cd "$work" && exec env QT_QPA_PLATFORM=offscreen "$@" > "$log" 2>&1) &
  local pid=$!
  for _ in $(seq 100); do
    eval "$done_test" && break
    kill -0 "$pid" 2> /dev/null || break
    sleep 0.1
  done
  kill -KILL "$pid" 2> /dev/null
  wait "$pid" 2> /dev/null
  return 0
}

echo "-- a folder name that is not UTF-8"
latin1=$scratch/$'Z\xfcrich'
mkdir "$latin1"
printf '1|AAAA|FIRST|45500000|-9250000|320|town|--|LAND|\r\n' > "$latin1/airports.txt"
# shellcheck disable=SC2016 # expanded by start_window
start_window "$scratch/log" '[ -f "$latin1/Vantrelo.ini" ]' "$window" "$latin1"
[ -f "$latin1/Vantrelo.ini" ] || fail "no Vantrelo.ini in the Latin-1 folder: $(head -c 300 "$scratch/log")"

echo "-- no home folder"
# The documents folder Qt would pick is named by user-dirs.dirs, inside the
# scratch folder, so that the code before never made /Documents here.
mkdir -p "$scratch/config" "$scratch/docs"
printf 'XDG_DOCUMENTS_DIR="%s"\n' "$scratch/docs" > "$scratch/config/user-dirs.dirs"
for home in unset "$scratch/nowhere" relative; do
  rm -rf "${scratch:?}/docs"/*
  if [ "$home" = unset ]; then
    home_env=(-u HOME)
    expected="vantrelo: Cannot find the home folder: HOME is not set"
  else
    home_env=("HOME=$home")
    expected="vantrelo: Cannot find the home folder: HOME \"$home\" is not a folder"
  fi
  # shellcheck disable=SC2016 # expanded by start_window
  start_window "$scratch/log" 'grep -q "home folder" "$scratch/log"' \
    env "${home_env[@]}" "XDG_CONFIG_HOME=$scratch/config" "XDG_DATA_HOME=$scratch/data" "$window"
  grep -qxF "$expected" "$scratch/log" || fail "HOME $home: no \"$expected\": $(head -c 300 "$scratch/log")"
  [ -z "$(ls -A "$scratch/docs")" ] || fail "HOME $home: something was made in the documents folder"
  [ ! -e "$scratch/data" ] || fail "HOME $home: the data folder was made"
done
expect_entries "$work"
finish
