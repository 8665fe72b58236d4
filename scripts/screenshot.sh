#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Makes docs/screenshot.png: starts the window under Xvfb in a scratch
# directory holding the airport database (data/airports.txt, or the small
# sample in data/sample/ until the full one is there), types a search into
# the search box, clicks SEARCH with the mouse and captures the window.
#
#   scripts/screenshot.sh [path/to/vantrelo [search text [Ita|Eng [output.png]]]]
#
# Without a binary it builds one in build/screenshot. The search text
# defaults to "kjfk"; a language starts the window with that language saved
# (the default is a first run, in English). Needs xvfb, xauth, xdotool and imagemagick; building
# needs cmake, g++ and qt6-base-dev.
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
binary=${1:-}
search=${2:-kjfk}
language=${3:-}
output=$(realpath -m "${4:-$repo/docs/screenshot.png}")

if [[ -z $binary ]]; then
  build_dir=$repo/build/screenshot
  generator=()
  command -v ninja >/dev/null && generator=(-G Ninja)
  cmake -S "$repo" -B "$build_dir" "${generator[@]}" -DCMAKE_BUILD_TYPE=Release \
    -DBUILD_TESTING=OFF -DVANTRELO_BUILD_GUI=ON >/dev/null
  cmake --build "$build_dir" --target vantrelo >/dev/null
  binary=$build_dir/src/ui/vantrelo
fi
binary=$(realpath "$binary")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if [[ -f $repo/data/airports.txt ]]; then
  cp "$repo/data/airports.txt" "$work/"
else
  cp "$repo/data/sample/airports.txt" "$work/"
fi
if [[ -n $language ]]; then
  printf '"%s"\r\n"KJFK"\r\n' "$language" > "$work/Vantrelo.ini"
fi

# Runs inside the X server that xvfb-run starts.
capture() {
  local binary=$1 work=$2 search=$3 output=$4
  cd "$work"
  "$binary" &
  local pid=$!
  local wid
  wid=$(timeout 30 xdotool search --sync --onlyvisible --name '^Vantrelo' | head -n 1)
  sleep 1  # let the first paint finish
  xdotool windowfocus --sync "$wid"

  # The client area is 6975 x 7665 twips, 465 x 511 pixels at 96 DPI, under
  # the menu bar; Text1 starts at (24, 8) and Command1 spans (216, 0, 57, 33).
  local WIDTH HEIGHT X Y SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$wid")"
  local menu_height=$((HEIGHT - 511))
  if ((WIDTH != 465 || menu_height <= 0)); then
    echo "unexpected window size ${WIDTH}x${HEIGHT} (not 96 DPI?)" >&2
    kill "$pid"
    return 1
  fi
  xdotool mousemove --window "$wid" 100 $((menu_height + 17)) click 1
  xdotool key --clearmodifiers ctrl+a BackSpace
  xdotool type --delay 40 "$search"
  xdotool mousemove --window "$wid" 244 $((menu_height + 16)) click 1
  sleep 1
  # Park the pointer off the window so no hover highlight shows.
  xdotool mousemove 1000 750
  sleep 0.5
  import -window "$wid" "$output"

  # Leave through File > Exit, as a user would.
  xdotool key --clearmodifiers alt+f
  sleep 0.3
  xdotool key e
  local status=0
  timeout 10 tail --pid="$pid" -f /dev/null || { kill "$pid"; status=1; }
  wait "$pid" || status=$?
  if ((status != 0)); then
    echo "vantrelo did not end cleanly through File > Exit (status $status)" >&2
    return 1
  fi
}

mkdir -p "$(dirname "$output")"
xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" \
  bash -c "set -euo pipefail; $(declare -f capture); capture \"\$@\"" capture \
  "$binary" "$work" "$search" "$output"
echo "wrote $output"
