#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Adds to data/bundled-databases.txt the SHA-256 of every data/airports.txt
# in the git history and of the one in the working tree. Run it after
# changing data/airports.txt and commit the list with the new database: the
# program refreshes a user's copy only when it matches a listed hash, and
# the test desktop.bundled_hashes fails while a version is missing.
#
#   bash scripts/update-bundled-hashes.sh [--check]
#
# --check changes nothing and exits 1 when a version is missing.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
list=data/bundled-databases.txt

listed() { grep -q "^$1 " "$list"; }

missing=()
add() {  # hash, size in bytes, label
  listed "$1" && return
  for seen in "${missing[@]:+${missing[@]}}"; do [ "${seen%% *}" = "$1" ] && return; done
  missing+=("$1 $2  $3")
}

# Oldest first, so that the list reads in release order.
if git rev-parse --git-dir >/dev/null 2>&1; then
  while read -r commit date; do
    hash=$(git show "$commit:data/airports.txt" | sha256sum | cut -d' ' -f1)
    size=$(git cat-file -s "$commit:data/airports.txt")
    add "$hash" "$size" "$date ${commit:0:12}"
  done < <(git log --reverse --format='%H %cs' -- data/airports.txt)
fi
hash=$(sha256sum data/airports.txt | cut -d' ' -f1)
add "$hash" "$(stat -c %s data/airports.txt)" "$(date -u +%F)"

if [ ${#missing[@]} -eq 0 ]; then
  echo "$list lists every bundled database"
  exit 0
fi
if [ "${1:-}" = "--check" ]; then
  printf 'not in %s: %s\n' "$list" "${missing[@]}" >&2
  echo "run: bash scripts/update-bundled-hashes.sh" >&2
  exit 1
fi
printf '%s\n' "${missing[@]}" >>"$list"
printf 'added to %s: %s\n' "$list" "${missing[@]}"
