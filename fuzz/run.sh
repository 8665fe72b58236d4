#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the fuzz targets with clang and runs each one for SECONDS, one
# after the other on one core, after replaying the stored regression inputs
# of fuzz/regressions/. Any crash, hang (10 s per input), leak or sanitizer
# report fails the run; the input is kept under build/fuzz/artifacts/.
#
#   fuzz/run.sh SECONDS [TARGET...]     e.g. fuzz/run.sh 600 session
#
# Targets: item_reader line_split coordinate number_rules settings session.
# Corpora grow under build/fuzz/corpus/ from one run to the next; seeds come
# from the golden scenarios and data/airports.txt. Logs and a summary
# (executions per target) go to build/fuzz/logs/. While a benchmark
# (hyperfine) runs on the machine, the next target waits for it to end,
# unless VANTRELO_FUZZ_NO_WAIT=1.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
repo=$(dirname "$here")
seconds=${1:?usage: fuzz/run.sh SECONDS [TARGET...]}
shift
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(item_reader line_split coordinate number_rules settings session)
build=${VANTRELO_FUZZ_BUILD:-$repo/build/fuzz}

compiler=${VANTRELO_FUZZ_CXX:-}
if [ -z "$compiler" ]; then
  for candidate in clang++-14 clang++; do
    if command -v "$candidate" > /dev/null; then compiler=$candidate; break; fi
  done
fi
[ -n "$compiler" ] || { echo "fuzz/run.sh: no clang++ (Debian: clang-14 libclang-rt-14-dev)" >&2; exit 1; }
generator=()
command -v ninja > /dev/null && generator=(-G Ninja)
# VANTRELO_WERROR=ON (fuzz/ci.sh sets it in CI) makes warnings errors.
configure=(-DVANTRELO_WERROR="${VANTRELO_WERROR:-OFF}")
[ -f "$build/CMakeCache.txt" ] ||
  configure+=("${generator[@]}" -DCMAKE_CXX_COMPILER="$compiler")
cmake -S "$here" -B "$build" "${configure[@]}" > /dev/null
cmake --build "$build"
bash "$here/make_seeds.sh" "$build/seeds"
mkdir -p "$build/logs"

max_len() {
  case $1 in
    item_reader) echo 8192 ;;
    session) echo 16384 ;;
    coordinate) echo 64 ;;
    *) echo 4096 ;;
  esac
}

summary=$build/logs/summary.txt
printf '%-13s %8s %12s %9s %s\n' target seconds executions exec/s result > "$summary"
failed=0
for target in "${targets[@]}"; do
  binary=$build/${target}_fuzzer
  [ -x "$binary" ] || { echo "no such fuzz target: $target" >&2; exit 2; }
  if [ "${VANTRELO_FUZZ_NO_WAIT:-0}" != 1 ]; then
    while pgrep -f hyperfine > /dev/null; do
      echo "waiting: a benchmark is running"; sleep 30
    done
  fi
  corpus=$build/corpus/$target
  artifacts=$build/artifacts/$target
  log=$build/logs/$target.log
  mkdir -p "$corpus" "$artifacts"
  dictionary=()
  [ -f "$here/$target.dict" ] && dictionary=(-dict="$here/$target.dict")

  result=ok
  regressions=("$here/regressions/$target"/*)
  if [ -e "${regressions[0]}" ]; then
    "$binary" "${regressions[@]}" > "$log" 2>&1 || result="regression input fails"
  fi
  if [ "$result" = ok ]; then
    echo "== $target: ${seconds}s"
    # Paths are absolute: the session target works in a directory of its own.
    "$binary" "$corpus" "$build/seeds/$target" "${dictionary[@]}" \
      -max_total_time="$seconds" -max_len="$(max_len "$target")" -timeout=10 \
      -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$artifacts/" \
      >> "$log" 2>&1 || result="FAILED, see $log"
  fi
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
  printf '%-13s %8s %12s %9s %s\n' "$target" "$seconds" "${executions:-0}" "${rate:-0}" \
    "$result" | tee -a "$summary"
  if [ "$result" != ok ]; then
    failed=1
    grep -E 'fuzz check failed|ERROR:|SUMMARY:|runtime error|Test unit written' "$log" | head -10 >&2 || true
  fi
done
cat "$summary"
exit $failed
