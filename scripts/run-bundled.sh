#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds Vantrelo and opens its window on the bundled world database.
#
#   bash scripts/run-bundled.sh [WORK_DIR [QT_OPTIONS...]]
#
# The window runs in WORK_DIR (default: run/ in the repository, or
# $VANTRELO_RUN_DIR), where it reads airports.txt and keeps Vantrelo.ini and
# its data sheets. The folder is made on first use and given a copy of
# data/airports.txt; an airports.txt or Vantrelo.ini already there is never
# replaced, so a database of your own stays. The build goes to build/run
# (or $VANTRELO_BUILD_DIR), optimised and without the tests.
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_dir=${VANTRELO_BUILD_DIR:-$repo/build/run}
work_dir=${VANTRELO_RUN_DIR:-$repo/run}
if [ $# -gt 0 ]; then
  work_dir=$1
  shift
fi

if [ ! -f "$build_dir/CMakeCache.txt" ]; then
  generator=()
  command -v ninja >/dev/null && generator=(-G Ninja)
  cmake -S "$repo" -B "$build_dir" "${generator[@]}" \
    -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DVANTRELO_BUILD_GUI=ON
fi
cmake --build "$build_dir" --target vantrelo

program=$build_dir/src/ui/vantrelo
[ -x "$program" ] || { echo "run-bundled: no program at $program" >&2; exit 1; }

mkdir -p "$work_dir"
if [ ! -e "$work_dir/airports.txt" ] && [ ! -L "$work_dir/airports.txt" ]; then
  cp "$repo/data/airports.txt" "$work_dir/airports.txt"
  echo "run-bundled: seeded $work_dir/airports.txt with the bundled database"
fi

cd "$work_dir"
exec "$program" "$@"
