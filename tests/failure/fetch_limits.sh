#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# --fetch from a local web server (127.0.0.1 only) that answers badly: a
# body that trickles, one that never ends, one larger than the limit, a
# redirect loop, a redirect to a file. Each run ends within its limits with
# status 1 and a message, the output and the cache as they were. Two
# fetches at once from two sites leave a cache of one site's three files,
# never a mix, and each output is its own site's conversion. An empty
# option value is a usage error (status 2).
# usage: fetch_limits.sh DRIVER IMPORTER SAMPLE_DIR
source "$(dirname "$0")/lib.sh"
importer=${2:?} sample=${3:?}
command -v python3 > /dev/null || skip "no python3 for the web server"

# Two sites whose files differ in every file.
mkdir -p "$scratch/A" "$scratch/B"
cp "$sample"/*.csv "$scratch/A/"
sed 's/Test/Tested/' "$sample/airports.csv" > "$scratch/B/airports.csv"
sed "s/,5000,150,/,5200,150,/" "$sample/runways.csv" > "$scratch/B/runways.csv"
sed "s/Chile/Chili/" "$sample/countries.csv" > "$scratch/B/countries.csv"
for name in airports.csv runways.csv countries.csv; do
  cmp -s "$scratch/A/$name" "$scratch/B/$name" && skip "the two sites' $name do not differ"
done

python3 "$(dirname "$0")/http_server.py" --site "A=$scratch/A" --site "B=$scratch/B" \
  > "$scratch/port" 2> "$scratch/server.log" &
server=$!
cleanup_steps+=("kill $server")
for _ in $(seq 50); do [ -s "$scratch/port" ] && break; sleep 0.1; done
port=$(head -n 1 "$scratch/port")
[ -n "$port" ] || skip "the web server did not start"
url=http://127.0.0.1:$port
export XDG_CACHE_HOME=$scratch/cache
cache=$XDG_CACHE_HOME/vantrelo/ourairports

# fetch OUTPUT OPTIONS...: bounded in time; stderr in $scratch/stderr.
fetch() {
  local output=$1
  shift
  status=0
  SECONDS=0
  timeout 60 "${driver_env[@]}" "$importer" --quiet --order ident --fetch "$@" "$output" \
    2> "$scratch/stderr" || status=$?
  elapsed=$SECONDS
}

printf 'EARLIER\r\n' > "$work/out.txt"
refused() {
  local what=$1 text=$2
  expect_status 1
  grep -qF -- "$text" "$scratch/stderr" || { fail "$what: no \"$text\""; head -c 400 "$scratch/stderr"; }
  expect_bytes "$work/out.txt" 'EARLIER\r\n'
  [ -z "$(find "$XDG_CACHE_HOME" -name '.ourairports-*' 2> /dev/null)" ] ||
    fail "$what: a staging folder was left"
}

echo "-- a body that trickles: the time limit"
fetch "$work/out.txt" --from "$url/trickle" --fetch-time-limit 3
refused trickle "the time limit of 3 s for the fetch is reached"
[ "$elapsed" -le 10 ] || fail "trickle: took $elapsed s with a limit of 3 s"

echo "-- a body that never ends, one too large: the size limit"
fetch "$work/out.txt" --from "$url/endless" --fetch-size-limit 1
refused endless "larger than the limit of 1048576 bytes for one file"
fetch "$work/out.txt" --from "$url/big" --fetch-size-limit 2
refused big "larger than the limit of 2097152 bytes for one file"

echo "-- redirects"
fetch "$work/out.txt" --from "$url/loop"
refused loop "more than 5 redirects"
fetch "$work/out.txt" --from "$url/tofile"
refused "redirect to a file" "$url/tofile/airports.csv: "
grep -q root "$cache/airports.csv" 2> /dev/null && fail "/etc/passwd was fetched"
fetch "$work/out.txt" --from "ftp://127.0.0.1:$port/site/A"
expect_status 2

echo "-- empty option values"
for option in --from= --types= --fetch-time-limit= --fetch-size-limit=; do
  fetch "$work/out.txt" "$option"
  [ "$status" = 2 ] || fail "$option: exit status $status, expected 2"
  grep -qF -- "${option%=} needs a value" "$scratch/stderr" || fail "$option: no usage message"
done

echo "-- staging folders a killed run left"
mkdir -p "$XDG_CACHE_HOME/vantrelo/.ourairports-killed" "$XDG_CACHE_HOME/vantrelo/.ourairports-running"
touch "$XDG_CACHE_HOME/vantrelo/.ourairports-killed/airports.csv"
touch -d '-3 days' "$XDG_CACHE_HOME/vantrelo/.ourairports-killed"
fetch "$work/out.txt" --from "$url/site/A"
expect_status 0
[ -e "$XDG_CACHE_HOME/vantrelo/.ourairports-killed" ] && fail "a stale staging folder was left"
[ -d "$XDG_CACHE_HOME/vantrelo/.ourairports-running" ] || fail "a fresh staging folder was removed"
rm -rf "$XDG_CACHE_HOME/vantrelo/.ourairports-running"

echo "-- two fetches at once"
for site in A B; do
  "$importer" --quiet --order ident "$scratch/$site" "$scratch/expected-$site.txt" ||
    fail "site $site does not convert"
done
cmp -s "$scratch/expected-A.txt" "$scratch/expected-B.txt" && fail "the two sites convert alike"
for round in 1 2 3; do
  rm -rf "$XDG_CACHE_HOME"
  timeout 60 "$importer" --quiet --order ident --fetch --from "$url/slow/A" "$work/A.txt" \
    2> "$scratch/stderr-A" &
  first=$!
  sleep 0.3
  timeout 60 "$importer" --quiet --order ident --fetch --from "$url/site/B" "$work/B.txt" \
    2> "$scratch/stderr-B" || fail "round $round: the fetch from B failed: $(cat "$scratch/stderr-B")"
  wait "$first" || fail "round $round: the fetch from A failed: $(cat "$scratch/stderr-A")"
  expect_same_file "$scratch/expected-A.txt" "$work/A.txt"
  expect_same_file "$scratch/expected-B.txt" "$work/B.txt"
  mixed=1
  for site in A B; do
    same=1
    for name in airports.csv runways.csv countries.csv; do
      cmp -s "$scratch/$site/$name" "$cache/$name" || same=0
    done
    [ "$same" = 1 ] && mixed=0
  done
  [ "$mixed" = 0 ] || fail "round $round: the cache mixes the two sites"
  [ -z "$(find "$XDG_CACHE_HOME" -name '.ourairports-*' -o -name '*.part')" ] ||
    fail "round $round: staging files were left"
done
finish
