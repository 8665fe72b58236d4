#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Search speed against grep, ripgrep and cat, on a warm page cache.
#
#   bench/run.sh
#
# Builds vantrelo-script in release mode (build/bench), generates databases
# of 10 MB and 1 GB in a temporary directory, checks that none of the texts
# searched for occurs in them, and then times with hyperfine, in one run per
# file and text:
#   - a search that finds nothing through the driver (the ordinary run and
#     the restarted run: two full passes over the file);
#   - grep -F -c TEXT airports.txt airports.txt (two passes too);
#   - rg -F -c TEXT airports.txt airports.txt three ways: one thread reading
#     (-j1 --no-mmap), one thread mapping the file (-j1 --mmap), and as it
#     chooses itself (a thread per file, mapped);
#   - cat airports.txt airports.txt > /dev/null, the one-core copy floor.
# It prints a table of medians and writes it, with the machine it ran on, to
# bench/results/. Peak memory of the driver comes from /usr/bin/time -v.
#
# Missing tools (hyperfine, ripgrep, GNU time) are installed with apt-get.
#
# Environment:
#   VANTRELO_BENCH_SIZES  file sizes in bytes (default "10000000 1000000000")
#   VANTRELO_BENCH_RUNS   timed runs per command (default 10)
#   VANTRELO_BENCH_TMP    where the files go (default: a new directory in $TMPDIR)
#   VANTRELO_BENCH_KEEP   1 keeps the generated files
#   VANTRELO_BENCH_NOTE   a line for the report, e.g. that the machine was busy
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
sizes=${VANTRELO_BENCH_SIZES:-10000000 1000000000}
runs=${VANTRELO_BENCH_RUNS:-10}
needles=("ZQXNEEDLE" "KQZX" "LAKE MARIANO INTL")
seed=20261207

say() { printf '%s\n' "$*" >&2; }

install_missing() {
  local missing=()
  command -v hyperfine > /dev/null || missing+=(hyperfine)
  command -v rg > /dev/null || missing+=(ripgrep)
  [ -x /usr/bin/time ] || missing+=(time)
  command -v python3 > /dev/null || missing+=(python3)
  command -v cmake > /dev/null || missing+=(cmake)
  command -v ninja > /dev/null || missing+=(ninja-build)
  command -v c++ > /dev/null || missing+=(g++)
  [ ${#missing[@]} -eq 0 ] && return
  say "installing: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  "${sudo[@]}" apt-get update
  "${sudo[@]}" apt-get install -y "${missing[@]}"
}

install_missing

# The release binary, without the window and the tests.
build=$repo/build/bench
say "building the release driver in $build"
cmake --preset release -S "$repo" -B "$build" -DVANTRELO_BUILD_GUI=OFF -DBUILD_TESTING=OFF > /dev/null
cmake --build "$build" --target vantrelo-script > /dev/null
driver=$build/tools/vantrelo-script/vantrelo-script
generator=$build/generate_airports
c++ -std=c++20 -O2 -o "$generator" "$repo/bench/generate_airports.cpp"

if [ -n "${VANTRELO_BENCH_TMP:-}" ]; then
  work=$VANTRELO_BENCH_TMP
  mkdir -p "$work"
else
  work=$(mktemp -d "${TMPDIR:-/tmp}/vantrelo-bench.XXXXXX")
fi
if [ "${VANTRELO_BENCH_KEEP:-0}" != 1 ]; then
  trap 'rm -rf "$work"' EXIT
fi

avoid=()
for needle in "${needles[@]}"; do avoid+=(--avoid "$needle"); done

# The generator's planted text is found where it was put: a guard that the
# files are read as the program reads a database.
say "checking a planted airport"
mkdir -p "$work/planted"
"$generator" --bytes 2000000 --seed "$seed" --plant "VANTRELO PLANTED" --at 0.75 \
  "${avoid[@]}" --out "$work/planted/airports.txt"
planted=$(cd "$work/planted" && printf 'type vantrelo planted\nclick Command1\nshow Label4\n' | "$driver")
if [ "$planted" != "$(printf 'Label4\t1\t-\tVANTRELO PLANTED')" ]; then
  say "the driver did not find the planted airport: $planted"
  exit 1
fi

human_size() {
  python3 -c 'import sys; n=int(sys.argv[1]); print(f"{n/1e9:g} GB" if n >= 1e9 else f"{n/1e6:g} MB")' "$1"
}

machine_info() {
  echo "- host: $(hostname)"
  echo "- cpu: $(lscpu | sed -n 's/^Model name:[[:space:]]*//p' | head -1), nproc $(nproc)"
  echo "- memory: $(awk '/^MemTotal/ {printf "%.1f GiB", $2 / 1048576}' /proc/meminfo)"
  echo "- kernel: $(uname -sr)"
  echo "- compiler: $(c++ --version | head -1)"
  echo "- tools: $(grep --version | head -1); $(rg --version | head -1); $(hyperfine --version)"
  echo "- commit: $(git -C "$repo" rev-parse --short HEAD 2>/dev/null || echo unknown)$(git -C "$repo" diff --quiet HEAD -- src 2>/dev/null || echo ' (src changed since)')"
}

started=$(date -u +%Y-%m-%dT%H:%M:%SZ)
load_before=$(uptime)
tables=()
rss_lines=()

for size in $sizes; do
  dir=$work/$size
  mkdir -p "$dir"
  say "generating $(human_size "$size") in $dir"
  "$generator" --bytes "$size" --seed "$seed" "${avoid[@]}" --out "$dir/airports.txt"
  bytes=$(stat -c %s "$dir/airports.txt")
  for needle in "${needles[@]}"; do
    if grep -q -F -- "$needle" "$dir/airports.txt"; then
      say "\"$needle\" occurs in the generated file: not a search that finds nothing"
      exit 1
    fi
    answer=$(cd "$dir" && printf 'type %s\nclick Command1\n' "$needle" | "$driver")
    if [ "$answer" != "$(printf 'message\tVantrelo\tNo airport found: %s' "$needle")" ]; then
      say "unexpected driver answer for \"$needle\": $answer"
      exit 1
    fi
  done
  cat "$dir/airports.txt" > /dev/null  # into the page cache

  for needle in "${needles[@]}"; do
    json=$work/$size-${needle// /_}.json
    say "timing $(human_size "$size"), \"$needle\""
    # grep and rg end with status 1 when nothing is found, hence -i.
    # Output goes to a pipe: grep takes a short cut when it writes to /dev/null.
    # Small files take more runs: their times are short and easily disturbed.
    size_runs=$runs
    [ "$bytes" -lt 100000000 ] && size_runs=$((runs * 5))
    (cd "$dir" && hyperfine --style none --warmup 2 --runs "$size_runs" -i --output pipe \
      --export-json "$json" \
      -n driver "printf 'type $needle\\nclick Command1\\n' | '$driver'" \
      -n start-up "'$driver' < /dev/null" \
      -n grep "grep -F -c '$needle' airports.txt airports.txt" \
      -n "rg -j1 --no-mmap" "rg -j1 --no-mmap -F -c '$needle' airports.txt airports.txt" \
      -n "rg -j1 --mmap" "rg -j1 --mmap -F -c '$needle' airports.txt airports.txt" \
      -n rg "rg -F -c '$needle' airports.txt airports.txt" \
      -n cat "cat airports.txt airports.txt > /dev/null" > /dev/null)
    tables+=("$(python3 - "$json" "$bytes" "$(human_size "$size")" "$needle" <<'PY'
import json, sys
path, size, label, needle = sys.argv[1], int(sys.argv[2]), sys.argv[3], sys.argv[4]
results = {r["command"]: r for r in json.load(open(path))["results"]}
# hyperfine takes the shell's start-up off; on tiny files little is left.
def median(name):
    return max(results[name]["median"], 1e-6)
grep = median("grep")
cat = median("cat")
def row(name, seconds):
    print(f"| {label} | {needle} | {name} | {seconds * 1000:.1f} | {2 * size / seconds / 1e9:.2f} "
          f"| {seconds / grep:.2f} | {seconds / cat:.2f} |")
row("driver", median("driver"))
# The click alone: the driver's run less its start-up without a command.
print(f"| {label} | {needle} | (driver start-up) | {median('start-up') * 1000:.1f} | | | |")
click = median("driver") - median("start-up")
if click > 0:
    row("(driver click)", click)
else:
    print(f"| {label} | {needle} | (driver click) | lost in the noise | | | |")
for name in ("grep", "rg -j1 --no-mmap", "rg -j1 --mmap", "rg", "cat"):
    row(name, median(name))
PY
)")
  done

  for needle in "${needles[@]}"; do
    kb=$(cd "$dir" && printf 'type %s\nclick Command1\n' "$needle" |
      /usr/bin/time -v "$driver" 2>&1 > /dev/null | sed -n 's/.*Maximum resident set size (kbytes): //p')
    rss_lines+=("| $(human_size "$size") | $needle | $kb | $(awk -v k="$kb" 'BEGIN {printf "%.2f", k / 1024}') |")
  done
  rm -f "$dir/airports.txt"
done
load_after=$(uptime)

report=$(
  echo "# Search benchmark, $started"
  echo
  machine_info
  echo "- load before: ${load_before#*load average: }; after: ${load_after#*load average: } (uptime load averages, 1/5/15 min)"
  [ -n "${VANTRELO_BENCH_NOTE:-}" ] && echo "- note: $VANTRELO_BENCH_NOTE"
  echo "- command: bench/run.sh (hyperfine --warmup 2, $runs runs per command, 5 times as many below 100 MB; warm page cache; medians)"
  echo
  echo "Every command reads the file twice: the driver's search that finds nothing"
  echo "runs to the end and once more from the start; grep, rg and cat are given"
  echo "the file twice. The driver searches with both cores once it is far from"
  echo "its read position in a large file; rg -j1 is ripgrep on one core, plain rg"
  echo "its own choice. GB/s is per pass (file size / (median / 2)). The driver"
  echo "start-up is the driver given no command; the driver click is the driver's"
  echo "median less that start-up."
  echo
  echo "| file | text | command | median ms | GB/s per pass | × grep | × cat |"
  echo "|---|---|---|---:|---:|---:|---:|"
  printf '%s\n' "${tables[@]}"
  echo
  echo "Peak resident memory of the driver (/usr/bin/time -v), same searches:"
  echo
  echo "| file | text | max RSS KiB | MiB |"
  echo "|---|---|---:|---:|"
  printf '%s\n' "${rss_lines[@]}"
)
printf '%s\n' "$report"
mkdir -p "$repo/bench/results"
result_file=$repo/bench/results/$(date -u +%Y%m%d-%H%M%S)-$(hostname).md
printf '%s\n' "$report" > "$result_file"
say "written to $result_file"
