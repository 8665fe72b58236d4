#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Peak memory and time of the importer on large inputs.
#
#   bench/import_memory.sh [IMPORTER]
#
# Builds vantrelo-import in release mode (build/release) unless IMPORTER is
# given, makes two inputs from data/ourairports with
# bench/replicate_ourairports.py, and converts each once with GNU time:
#   world  14 copies: about as many airport rows as the full OurAirports
#          download (~73,000), with the runway rows copied too (~675,000,
#          more than the ~45,000 the world has: a bound from above);
#   1M     19 copies: about one million rows in all (~99,000 airports and
#          ~915,000 runways).
# Goals: world under 150 MB of peak memory (maximum resident set), 1M at
# most twice that, in seconds. Prints a table and writes it, with the
# machine it ran on, to bench/results/. Each input is converted in both
# orders: ident (the conversion alone) and first-click (the default).
#
# Environment:
#   VANTRELO_BENCH_TMP   where the inputs go (default: a new directory in $TMPDIR)
#   VANTRELO_BENCH_NOTE  a line for the report, e.g. that the machine was busy
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
importer=${1:-}
if [ -z "$importer" ]; then
  cmake --preset release > /dev/null
  cmake --build --preset release --target vantrelo-import > /dev/null
  importer=$repo/build/release/tools/vantrelo-import/vantrelo-import
fi
[ -x /usr/bin/time ] || { echo "GNU time (/usr/bin/time) is needed" >&2; exit 1; }

load_before=$(cut -d" " -f1-3 /proc/loadavg)
tmp=${VANTRELO_BENCH_TMP:-$(mktemp -d "${TMPDIR:-/tmp}/vantrelo-import-bench-XXXXXX")}
mkdir -p "$tmp"
[ -n "${VANTRELO_BENCH_TMP:-}" ] || trap 'rm -rf "$tmp"' EXIT

rows() { echo $(($(wc -l < "$1/airports.csv") - 1))/$(($(wc -l < "$1/runways.csv") - 1)); }

table="| input | order | copies | airport/runway lines | MB read | airports written | peak RSS MB | seconds |
|---|---|---:|---:|---:|---:|---:|---:|"
for entry in world:14:ident 1M:19:ident world:14:first-click 1M:19:first-click; do
  order=${entry##*:}
  entry=${entry%:*}
  name=${entry%%:*} copies=${entry##*:}
  input=$tmp/$name
  [ -f "$input/airports.csv" ] ||
    python3 "$repo/bench/replicate_ourairports.py" "$repo/data/ourairports" "$input" "$copies"
  megabytes=$(du -cm "$input"/*.csv | tail -n 1 | cut -f1)
  /usr/bin/time -f '%M %e' -o "$tmp/time" "$importer" --order "$order" "$input" "$tmp/out.txt" \
    2> "$tmp/stderr"
  read -r kilobytes seconds < "$tmp/time"
  written=$(grep -o 'wrote [^:]*: [0-9]* airports' "$tmp/stderr" | grep -o '[0-9]* airports' | cut -d' ' -f1)
  table+="
| $name | $order | $copies | $(rows "$input") | $megabytes | $written | $((kilobytes / 1024)) | $seconds |"
done

report="# Importer memory benchmark, $(date -u +%Y-%m-%dT%H:%M:%SZ)

- host: $(hostname)
- cpu: $(nproc) cores; memory: $(free -g | awk '/Mem:/ { print $2 }') GiB
- importer: $importer
- commit: $(git -C "$repo" rev-parse --short HEAD 2> /dev/null || echo unknown)
- load before the runs: $load_before; after: $(cut -d" " -f1-3 /proc/loadavg)
- command: bench/import_memory.sh (GNU time: maximum resident set size, elapsed seconds; one run each)
${VANTRELO_BENCH_NOTE:+- note: $VANTRELO_BENCH_NOTE
}
$table
"
printf '%s\n' "$report"
mkdir -p "$repo/bench/results"
printf '%s\n' "$report" > "$repo/bench/results/$(date -u +%Y%m%d-%H%M%S)-import-$(hostname).md"
