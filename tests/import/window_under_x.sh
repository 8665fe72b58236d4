#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs inside an X server (xvfb-run): the window started in FOLDER_WITH_DATABASE
# gives the window manager its icon; started with each folder that must
# fail, it ends with status 1 once the message box titled Vantrelo is closed
# with Enter.
# usage: window_under_x.sh PROGRAM FROM FOLDER_WITH_DATABASE FOLDER_WITHOUT_DATABASE
set -euo pipefail
program=$1 from=$2 own=$3 empty=$4

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

closes_with_status_1() {
  local log
  log=$(mktemp)
  (cd "$from" && exec "$program" "$@") 2>"$log" &
  local pid=$!
  local box
  if ! box=$(timeout 60 xdotool search --sync --onlyvisible --name '^Vantrelo$' | head -n 1); then
    kill "$pid" 2>/dev/null || :
    fail "no message box for '$*'"
  fi
  # Qt may map the box more than once while it settles: press Enter on
  # whatever box stands once it has.
  sleep 1
  box=$(xdotool search --onlyvisible --name '^Vantrelo$' | tail -n 1)
  xdotool windowfocus --sync "$box" key Return
  local status=0
  wait "$pid" || status=$?
  [ "$status" = 1 ] || fail "'$*' ended with status $status, not 1"
  cat "$log"
  rm -f "$log"
}

"$program" "$own" 2>/dev/null &
pid=$!
window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Vantrelo' | head -n 1) || :
icon=$(xprop -id "${window:-0}" _NET_WM_ICON 2>&1 | head -c 200) || :
kill "$pid"
wait "$pid" 2>/dev/null || :
[[ $icon == *"Icon ("* ]] || fail "the window has no icon: $icon"

closes_with_status_1 "$empty"
stderr=$(closes_with_status_1 "$empty/missing")
# The system's reason follows the locale (the suite also runs in Italian).
[[ $stderr == *"Cannot open the folder \"$empty/missing\": "?* ]] ||
  fail "no report on standard error: $stderr"
