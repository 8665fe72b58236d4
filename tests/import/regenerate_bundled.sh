#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Regenerates the bundled database from the OurAirports files of
# data/ourairports/ and checks that it gives the committed bytes.
# usage: regenerate_bundled.sh IMPORTER SOURCE_DIR BUNDLED_TXT
set -euo pipefail
importer=$1 source=$2 bundled=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$importer" --quiet --types large_airport,medium_airport "$source" "$work/airports.txt"
if ! cmp "$bundled" "$work/airports.txt"; then
  echo "FAIL: $bundled is not what the importer makes of $source now;" \
       "regenerate it with the command in data/README.md" >&2
  exit 1
fi
echo "regenerated $(wc -c <"$bundled") bytes, the same as $bundled"
