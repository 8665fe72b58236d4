#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Converts the hand-made OurAirports sample and compares the result with the
# expected airports.txt byte for byte, and the summary on standard error
# with the expected summary (paths shown as SAMPLE and OUT).
# usage: golden_sample.sh IMPORTER SAMPLE_DIR EXPECTED_TXT EXPECTED_SUMMARY
set -euo pipefail
importer=$1 sample=$2 expected=$3 expected_summary=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The expected file is in ident order; the default order writes the same lines.
"$importer" --order ident "$sample" "$work/airports.txt" 2>"$work/stderr"
if ! cmp "$expected" "$work/airports.txt"; then
  diff <(iconv -f windows-1252 -t utf-8 "$expected" | cat -A) \
       <(iconv -f windows-1252 -t utf-8 "$work/airports.txt" | cat -A) || true
  echo "FAIL: the converted sample differs from $expected" >&2
  exit 1
fi
sed -e "s|$sample|SAMPLE|g" -e "s|$work/airports.txt|OUT|g" "$work/stderr" >"$work/summary"
if ! diff "$expected_summary" "$work/summary"; then
  echo "FAIL: the summary differs from $expected_summary" >&2
  exit 1
fi
# The same files named one by one give the same bytes.
"$importer" --quiet --order ident --airports "$sample/airports.csv" --runways "$sample/runways.csv" \
  --countries "$sample/countries.csv" "$work/by-name.txt"
cmp "$expected" "$work/by-name.txt" || { echo "FAIL: --airports/--runways/--countries differ" >&2; exit 1; }

"$importer" --quiet "$sample" "$work/default.txt"
cmp <(LC_ALL=C sort "$expected") <(LC_ALL=C sort "$work/default.txt") ||
  { echo "FAIL: the default order does not write the lines of the ident order" >&2; exit 1; }

echo "sample converted to the expected $(wc -c <"$expected") bytes"
