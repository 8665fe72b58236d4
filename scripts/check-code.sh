#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The code gates: clang-format-14 must leave every C/C++ file of src/, tools/,
# tests/, fuzz/ and bench/ as it is (.clang-format), and clang-tidy-14 must
# find nothing in the sources the build compiles of src/, tools/, tests/ and
# fuzz/ (.clang-tidy; tests/.clang-tidy allows longer functions). Needs a
# configured build for its compile_commands.json; the fuzz targets are in the
# fuzz build's (fuzz/ci.sh checks them). Lists what fails, and fails.
#
#   bash scripts/check-code.sh [-p BUILD_DIR] [FILE...]
#
# BUILD_DIR defaults to build/default. Given FILEs (sources or headers),
# checks only those; else every file. The clang-tidy pass takes a few minutes
# on two cores and prints a line per file.
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$repo"

build=build/default
if [ "${1:-}" = "-p" ]; then
  build=${2:?usage: scripts/check-code.sh [-p BUILD_DIR] [FILE...]}
  shift 2
fi
database=$build/compile_commands.json
[ -f "$database" ] || { echo "check-code: no $database; configure the build first" >&2; exit 2; }

cxx_pattern='\.(c|cc|cpp|cxx|h|hh|hpp)$'
if [ $# -gt 0 ]; then
  requested=("$@")
  format_files=("$@")
else
  requested=()
  mapfile -t format_files < <(find src tools tests fuzz bench -type f | grep -E "$cxx_pattern" | sort)
fi

echo "== clang-format-14 on ${#format_files[@]} files"
unformatted=()
for file in "${format_files[@]}"; do
  clang-format-14 --dry-run -Werror "$file" > /dev/null 2>&1 || unformatted+=("$file")
done
if [ ${#unformatted[@]} -gt 0 ]; then
  echo "Not formatted (clang-format-14 -i FILE...):" >&2
  printf '  %s\n' "${unformatted[@]}" >&2
fi

# The sources the build compiles, as its compile database names them;
# headers come in through HeaderFilterRegex.
if [ ${#requested[@]} -gt 0 ]; then
  tidy_files=()
  for file in "${requested[@]}"; do
    case ${file#./} in src/* | tools/* | tests/* | fuzz/*) tidy_files+=("$file") ;; esac
  done
else
  mapfile -t tidy_files < <(sed -n 's|^  "file": "\(.*\)",\?$|\1|p' "$database" |
    grep -E "^$repo/(src|tools|tests|fuzz)/" | sort -u)
fi

echo "== clang-tidy-14 on ${#tidy_files[@]} files (2 at a time)"
tidy_failed=0
if [ ${#tidy_files[@]} -gt 0 ]; then
  # Each file's findings are printed together, and only when there are any;
  # a line per file done shows the pass going on (it takes minutes).
  # shellcheck disable=SC2016 # the inner shell expands them
  printf '%s\0' "${tidy_files[@]}" |
    xargs -0 -n1 -P2 sh -c \
      'out=$(clang-tidy-14 -p "$0" --quiet "$1" 2>&1) ||
        { printf "%s\n" "$out" | grep -v " generated\.$"; echo "  findings: ${1#"$PWD"/}"; exit 1; }
      echo "  clean: ${1#"$PWD"/}"' \
      "$build" || tidy_failed=1
fi

if [ ${#unformatted[@]} -gt 0 ] || [ $tidy_failed -ne 0 ]; then
  echo "check-code: FAILED" >&2
  exit 1
fi
echo "check-code: clean"
