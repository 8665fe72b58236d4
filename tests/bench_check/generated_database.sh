#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# A generated database is the same for the same options, keeps the texts it
# was told to avoid out, and holds its planted airport where the driver
# finds it, after the fraction of the file it was asked for.
set -u
generator=$1
driver=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
fail() { echo "$*"; failed=1; }

options=(--bytes 300000 --seed 11 --plant "PLANTED FIELD" --at 0.6 --avoid KQZX --avoid "LAKE MARIANO INTL")
"$generator" "${options[@]}" --out "$work/airports.txt" || fail "generator failed"
"$generator" "${options[@]}" > "$work/again.txt" || fail "generator failed on stdout"
cmp -s "$work/airports.txt" "$work/again.txt" || fail "two runs with the same options differ"
"$generator" --bytes 300000 --seed 12 --out "$work/other.txt"
cmp -s "$work/airports.txt" "$work/other.txt" && fail "another seed gives the same file"

size=$(stat -c %s "$work/airports.txt")
[ "$size" -ge 300000 ] && [ "$size" -lt 301000 ] || fail "asked for 300000 bytes, got $size"
grep -q -F KQZX "$work/airports.txt" && fail "KQZX was to be kept out"
grep -q -F "LAKE MARIANO INTL" "$work/airports.txt" && fail "LAKE MARIANO INTL was to be kept out"
[ "$(grep -c -F "PLANTED FIELD" "$work/airports.txt")" = 1 ] || fail "the planted text is not there once"
# Every line ends with CR LF.
[ "$(grep -c $'\r$' "$work/airports.txt")" = "$(wc -l < "$work/airports.txt")" ] || fail "a line without CR LF"

offset=$(grep -b -o -F "PLANTED FIELD" "$work/airports.txt" | cut -d: -f1)
[ "$offset" -ge 180000 ] && [ "$offset" -lt 182000 ] || fail "planted at byte $offset, not just after 60 %"

found=$(cd "$work" && printf 'type planted field\nclick Command1\nshow Label4\nshow Label6\n' | "$driver")
case $found in
  "$(printf 'Label4\t1\t-\tPLANTED FIELD\nLabel6\t1\t-\t ')"[0-6]) ;;
  *) fail "the driver did not show the planted airport: $found" ;;
esac
missing=$(cd "$work" && printf 'type kqzx\nclick Command1\n' | "$driver")
[ "$missing" = "$(printf 'message\tVantrelo\tNo airport found: KQZX')" ] || fail "KQZX found: $missing"
exit $failed
