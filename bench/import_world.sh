#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Time and peak memory of vantrelo-import, gazetteer included, on an input
# as large as the whole OurAirports download (~83,000 airports, ~770,000
# runway rows: the bundled files copied 16 times by replicate_ourairports.py)
# with every airport type; then the same airports with the runway file as
# it is.
#
#   bench/import_world.sh [IMPORTER]
#
# IMPORTER defaults to a release build made in build/release. Prints user,
# system and wall-clock seconds and the peak resident set of each of three
# runs, as GNU time measures them.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
importer=${1:-}
if [ -z "$importer" ]; then
  cmake --preset release >/dev/null
  cmake --build --preset release --target vantrelo-import >/dev/null
  importer=build/release/tools/vantrelo-import/vantrelo-import
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 bench/replicate_ourairports.py data/ourairports "$work/in" 16
# The same airports with the runway file as it is: about as many runway rows
# (48,000) as the whole download holds, where the copies above hold 16 times
# as many runways as the real world.
mkdir "$work/real"
cp "$work/in/airports.csv" "$work/in/countries.csv" "$work/real/"
cp data/ourairports/runways.csv "$work/real/"
types=large_airport,medium_airport,small_airport,seaplane_base,heliport,balloonport
for input in in real; do
  echo "$input: $(($(wc -l <"$work/$input/airports.csv") - 1)) airport rows," \
    "$(($(wc -l <"$work/$input/runways.csv") - 1)) runway rows"
  for run in 1 2 3; do
    /usr/bin/time -f "run $run: %U s user, %S s system, %e s wall, %M kB peak" \
      "$importer" --quiet --types "$types" "$work/$input" "$work/airports.txt"
  done
  echo "wrote $(wc -c <"$work/airports.txt") bytes"
done
