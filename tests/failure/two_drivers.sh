#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Two drivers in one folder (a user who starts the program twice), both
# saving the settings and the same data sheet over and over, each in its own
# language. Every save succeeds, a reader looking at the files all the while
# only ever sees a whole version, no temporary file is left, and the last
# writer wins: the files end as the driver that saved last left them.
source "$(dirname "$0")/lib.sh"

saves_in_both_languages

same_as_one_of() {
  local file=$1 first=$2 second=$3
  cmp -s "$file" "$first" || cmp -s "$file" "$second"
}

# Looks at both files as a reader would, between two saves or during one.
look() {
  if cp "$work/Vantrelo.ini" "$scratch/seen.ini" 2> /dev/null; then
    same_as_one_of "$scratch/seen.ini" "$scratch/settings-Italiano" "$scratch/settings-Inglese" ||
      fail "look $looks: Vantrelo.ini was not whole"
  fi
  if cp "$work/$sheet" "$scratch/seen.txt" 2> /dev/null; then
    same_as_one_of "$scratch/seen.txt" "$scratch/sheet-Italiano" "$scratch/sheet-Inglese" ||
      fail "look $looks: the sheet was not whole"
  fi
}

# The English driver searches step by step; the Italian one runs its 60
# searches meanwhile, as fast as it can.
driver_start
driver_step "tick 1" "type aaaa" "click MenuInglese"
{
  printf 'tick 1\ntype aaaa\nclick MenuItaliano\n'
  for _ in $(seq 60); do printf 'click Command1\n'; done
} | (cd "$work" && "${driver_env[@]}" "$driver" > "$scratch/italian.out" 2>&1) &
italian=$!
looks=0 steps=0
while kill -0 "$italian" 2> /dev/null; do
  driver_step "click Command1" "click Command1" || break
  steps=$((steps + 1))
  looks=$((looks + 1))
  look
done
italian_status=0
wait "$italian" || italian_status=$?
# The English driver saves last.
driver_step "click Command1"
driver_finish
echo "the English driver made $steps steps of two searches while the Italian one saved"

[ "$italian_status" = 0 ] || fail "the Italian driver ended with $italian_status"
[ "$status" = 0 ] || fail "the English driver ended with $status"
for output in "$scratch/italian.out" "$out_file"; do
  if [ -s "$output" ]; then
    fail "a driver reported:"
    head -5 "$output"
  fi
done
expect_entries "$work" "airports.txt" "Vantrelo.ini" "$sheet"
expect_same_file "$scratch/settings-Inglese" "$work/Vantrelo.ini"
expect_same_file "$scratch/sheet-Inglese" "$work/$sheet"
finish
