#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the seed corpora of the fuzz targets under OUT (one folder per
# target) from the golden scenarios and the bundled database:
#   fuzz/make_seeds.sh build/fuzz/seeds
# Seeds only start the search; libFuzzer keeps what it finds in its own
# corpus folders.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
repo=$(dirname "$here")
out=$1
cases=$repo/tests/golden/cases
database=$repo/data/airports.txt
. "$repo/tests/golden/case_files.sh"

rm -rf "$out"
mkdir -p "$out"/{item_reader,line_split,coordinate,number_rules,settings,session}

# Every database of the golden cases, and a slice of the bundled one: the
# first few hundred lines as they stand and a block cut anywhere.
databases=()
for file in "$repo"/tests/golden/fixtures/*.txt "$cases"/*/airports.txt; do databases+=("$file"); done
if [ -f "$database" ]; then
  head -c 6000 "$database" > "$out/bundled-head.txt"
  tail -c 3000 "$database" > "$out/bundled-tail.txt"
  databases+=("$out/bundled-head.txt" "$out/bundled-tail.txt")
fi

n=0
for file in "${databases[@]}"; do
  n=$((n + 1))
  head -c 8000 "$file" > "$out/item_reader/db-$n"
  # Lines, split at CR or LF; each line is a seed of the splits, its
  # fields 3 and 4 of the coordinate decoder, its other fields numbers.
  tr '\r' '\n' < "$file" | awk -v dir="$out" -v n="$n" '
    NF == 0 { next }
    NR <= 60 {
      printf "%s", $0 > (dir "/line_split/line-" n "-" NR); close(dir "/line_split/line-" n "-" NR)
      split($0, f, "|")
      if (length(f) >= 9) {
        printf "\001%s", f[4] > (dir "/coordinate/lat-" n "-" NR); close(dir "/coordinate/lat-" n "-" NR)
        printf "\000%s", f[5] > (dir "/coordinate/lon-" n "-" NR); close(dir "/coordinate/lon-" n "-" NR)
        printf "%s", f[6] > (dir "/number_rules/elev-" n "-" NR); close(dir "/number_rules/elev-" n "-" NR)
      } else if (length(f) >= 6) {
        printf "%s", f[4] > (dir "/number_rules/len-" n "-" NR); close(dir "/number_rules/len-" n "-" NR)
        printf "%s", f[6] > (dir "/number_rules/ils-" n "-" NR); close(dir "/number_rules/ils-" n "-" NR)
      }
    }'
done
for text in " 2438.4" " .5" "-4" "1E+20" " 1.5E-07" "0.00" "12079" " 476.9129" " 257.513891013184"; do
  n=$((n + 1))
  printf '%s' "$text" > "$out/number_rules/text-$n"
done

# Settings: every settings file of the golden cases and a few hand-made forms.
for file in "$cases"/*/Vantrelo.ini "$cases"/*/expected/Vantrelo.ini; do
  [ -f "$file" ] || continue
  n=$((n + 1))
  cp "$file" "$out/settings/ini-$n"
done
printf 'Ita,LIRF\r\n' > "$out/settings/one-line-comma"
printf '"Ita"\r\n' > "$out/settings/one-field"
printf ' "Eng" x ,\n"A,B"\r' > "$out/settings/stray-text"

# Whole sessions: each golden case's commands, settings file and database
# in the session target's form, with the files of start/ left out.
for dir in "$cases"/*/; do
  name=$(basename "$dir")
  seed="$out/session/$name"
  case_commands "$dir" > "$seed"
  if [ -d "$dir/start/Vantrelo.ini" ]; then
    printf '\n%%%%ini\n<dir>' >> "$seed"
  elif [ -f "$dir/Vantrelo.ini" ]; then
    printf '\n%%%%ini\n' >> "$seed"
    cat "$dir/Vantrelo.ini" >> "$seed"
  fi
  db=$(case_database "$dir")
  if [ -n "$db" ]; then
    printf '\n%%%%db\n' >> "$seed"
    head -c 12000 "$db" >> "$seed"
  fi
done
if [ -f "$out/bundled-head.txt" ]; then
  { printf 'tick 1\ntype \nclick Command1\nclick Command2\nclick Command1\nclick Command2\n'
    printf 'click Command3\nrmdb\nclick Command1\nclick Command1\nputdb\nclick MenuItaliano\n'
    printf 'dirini\nclick Command1\nclick MenuAbout\nclick Exit\n%%%%db\n'
    cat "$out/bundled-head.txt"; } > "$out/session/bundled"
fi
rm -f "$out"/bundled-*.txt
