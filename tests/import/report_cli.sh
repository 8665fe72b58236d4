#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# vantrelo-import --report from the command line: the kinds read from the
# input folder, the cities file, and a database that cannot be read.
# usage: report_cli.sh IMPORTER SAMPLE_DIR
set -euo pipefail
importer=$1 sample=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

"$importer" --quiet "$sample" "$work/airports.txt"
printf '# hubs\nSantiago|ZZAA\nTestville|ZZAA\nAtlantis\n' >"$work/cities.txt"
"$importer" --report --cities "$work/cities.txt" "$sample" "$work/airports.txt" >"$work/report"
for line in "large_airport   2 of 2 (100.0%)         2 of 2 (100.0%)" \
  "seaplane_base   1 of 1 (100.0%)         0 of 0" \
  "all             5 of 5 (100.0%)         2 of 2 (100.0%)" \
  "TESTVILLE           ZZEE MANY RUNWAYS TEST AIRPORT   expected ZZAA" \
  "ATLANTIS            nothing" \
  "2 of 3 cities as expected"; do
  grep -qxF -- "$line" "$work/report" || fail "no line \"$line\" in the report:"$'\n'"$(cat "$work/report")"
done

status=0
"$importer" --report "$sample" "$work/none.txt" 2>"$work/stderr" || status=$?
[ "$status" = 1 ] || fail "a missing database gives exit code $status, not 1"
grep -qxF "vantrelo-import: $work/none.txt: No such file or directory" "$work/stderr" ||
  fail "unexpected message: $(cat "$work/stderr")"
[ ! -e "$work/none.txt" ] || fail "the report wrote the database"
echo "the report reads the kinds and the cities and refuses a missing database"
