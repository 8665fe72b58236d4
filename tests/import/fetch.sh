#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# --fetch through file:// URLs on a copy of the sample (there is no network
# here): a whole download converts to the same bytes as the plain
# conversion; a missing or cut file stops the run and leaves the earlier
# output and the cache's files as they were.
# usage: fetch.sh IMPORTER SAMPLE_DIR EXPECTED_TXT CHECK
set -euo pipefail
importer=$1 sample=$2 expected=$3 check=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/site"
cp "$sample"/*.csv "$work/site/"
export XDG_CACHE_HOME=$work/cache
cache=$work/cache/vantrelo/ourairports

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Runs a fetch into OUT, which holds an earlier database; expects a failure
# whose messages hold TEXT, and everything left as it was.
expect_refused() {
  local text=$1 status=0
  printf 'EARLIER|DATABASE|\r\n\r\n' >"$work/out.txt"
  cp "$work/out.txt" "$work/before.txt"
  "$importer" --order ident --fetch --from "file://$work/site" "$work/out.txt" 2>"$work/stderr" || status=$?
  cat "$work/stderr"
  [ "$status" = 1 ] || fail "exit status $status, expected 1"
  grep -qF -- "$text" "$work/stderr" || fail "no \"$text\" on standard error"
  grep -qxF "vantrelo-import: $work/out.txt left as it was" "$work/stderr" ||
    fail "the run does not say the output was left as it was"
  cmp "$work/before.txt" "$work/out.txt" || fail "the earlier output was changed"
  [ -z "$(find "$work/cache" -name '*.part')" ] || fail "a .part file was left in the cache"
}

case $check in
  whole)
    "$importer" --order ident --fetch --from="file://$work/site/" "$work/out.txt" 2>"$work/stderr"
    cat "$work/stderr"
    cmp "$expected" "$work/out.txt" || fail "the fetched conversion differs from $expected"
    for name in airports.csv runways.csv countries.csv; do
      cmp "$sample/$name" "$cache/$name" || fail "$name is not in the cache whole"
      grep -qF "fetched $name: $(wc -c <"$sample/$name") bytes" "$work/stderr" ||
        fail "no progress line for $name"
    done
    ;;
  missing)
    rm "$work/site/runways.csv"
    expect_refused "file://$work/site/runways.csv: "
    [ ! -e "$cache/airports.csv" ] || fail "airports.csv took its name although runways.csv failed"
    ;;
  cut)
    head -c 1000 "$sample/airports.csv" >"$work/site/airports.csv"
    expect_refused "file://$work/site/airports.csv: the download is cut short"
    ;;
  *) fail "unknown check $check" ;;
esac
echo "fetch $check: as expected"
