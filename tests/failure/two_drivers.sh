#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Two drivers in one folder (a user who starts the program twice), both
# saving the settings and the same data sheet over and over, each in its own
# language. Every save succeeds, a reader looking at the files all the while
# only ever sees a whole version, no temporary file is left, and the last
# writer wins: the files end as the driver that saved last left them.
source "$(dirname "$0")/lib.sh"

printf '1|AAAA|FIRST|45500000|-9250000|320|town|--|LAND|\r\n1|09|090|9000|0|110.30|\r\n\r\n' \
  > "$work/airports.txt"
sheet="AAAA  FIRST.txt"
for language in Italiano Inglese; do
  run_driver $'tick 1\ntype aaaa\nclick Menu'"$language"$'\nclick Command1\n'
  mv "$work/$sheet" "$scratch/sheet-$language"
  cp "$work/Vantrelo.ini" "$scratch/settings-$language"
done
cmp -s "$scratch/sheet-Italiano" "$scratch/sheet-Inglese" && fail "the two sheets should differ"

# One driver's session: LANGUAGE set, then searches until $scratch/stop-NAME
# appears (or ROUNDS of them), and one more after that.
session() {
  local name=$1 language=$2 rounds=$3 n=0
  {
    printf 'tick 1\ntype aaaa\nclick Menu%s\n' "$language"
    while [ ! -e "$scratch/stop-$name" ] && [ "$n" -lt "$rounds" ] && printf 'click Command1\n'; do
      n=$((n + 1))
    done
    printf 'click Command1\n'
  } 2> /dev/null | (cd "$work" && exec "${driver_env[@]}" "$driver" > "$scratch/$name.out" 2>&1)
  echo $? > "$scratch/$name.status"
}

same_as_one_of() {
  local file=$1 first=$2 second=$3
  cmp -s "$file" "$first" || cmp -s "$file" "$second"
}

session late Inglese 1000000 &
late=$!
session early Italiano 30 &
early=$!
reads=0
while kill -0 "$early" 2> /dev/null; do
  reads=$((reads + 1))
  cp "$work/Vantrelo.ini" "$scratch/seen.ini" 2> /dev/null || continue
  same_as_one_of "$scratch/seen.ini" "$scratch/settings-Italiano" "$scratch/settings-Inglese" ||
    fail "read $reads: Vantrelo.ini was not whole"
  if cp "$work/$sheet" "$scratch/seen.txt" 2> /dev/null; then
    same_as_one_of "$scratch/seen.txt" "$scratch/sheet-Italiano" "$scratch/sheet-Inglese" ||
      fail "read $reads: the sheet was not whole"
  fi
done
wait "$early"
touch "$scratch/stop-late"
wait "$late"
echo "$reads reads while both drivers saved"

for name in early late; do
  [ "$(cat "$scratch/$name.status")" = 0 ] || fail "the $name driver ended with $(cat "$scratch/$name.status")"
  if [ -s "$scratch/$name.out" ]; then
    fail "the $name driver reported:"
    head -5 "$scratch/$name.out"
  fi
done
expect_entries "$work" "airports.txt" "Vantrelo.ini" "$sheet"
expect_same_file "$scratch/settings-Inglese" "$work/Vantrelo.ini"
expect_same_file "$scratch/sheet-Inglese" "$work/$sheet"
finish
