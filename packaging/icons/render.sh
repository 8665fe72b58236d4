#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Renders the PNG icons from vantrelo.svg (needs rsvg-convert, from
# librsvg2-bin). The PNGs are committed so that building needs no renderer;
# packaging/check.sh renders them again and fails when they are stale.
#
#   bash packaging/icons/render.sh [OUTPUT_DIR]
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
out=${1:-$here}
while read -r size; do
  rsvg-convert --width "$size" --height "$size" "$here/vantrelo.svg" -o "$out/vantrelo-$size.png"
done < <(grep -E '^[0-9]+$' "$here/sizes")
