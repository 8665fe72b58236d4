#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs inside an X server (xvfb-run): starts vantrelo from FROM with each
# folder that must fail, closes the message box titled Vantrelo with Enter,
# and checks that the program then ends with status 1.
# usage: failure_box.sh PROGRAM FROM FOLDER_WITHOUT_DATABASE
set -euo pipefail
program=$1 from=$2 empty=$3

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

closes_with_status_1 "$empty"
stderr=$(closes_with_status_1 "$empty/missing")
[[ $stderr == *"Cannot open the folder \"$empty/missing\": No such file or directory"* ]] ||
  fail "no report on standard error: $stderr"
