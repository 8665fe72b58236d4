#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the binary packages twice from clean copies of the tree and compares
# them byte for byte. The second build varies what reprotest would: the
# build path (a deeper one), the time (later; SOURCE_DATE_EPOCH comes from
# debian/changelog in both, as dpkg-buildpackage sets it), the umask, the
# locale, the time zone, HOME and the number of jobs. The compiler cache is
# off, so each build compiles everything. When the packages differ,
# diffoscope writes why to WORK_DIR/diffoscope.txt.
#
#   bash packaging/reproducible.sh [WORK_DIR]    (default: build/reproducible)
#
# Takes two package builds (without the tests): about 10 minutes on 2 cores.
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out=${1:-$repo/build/reproducible}
rm -rf "$out"
mkdir -p "$out"
out=$(cd "$out" && pwd)
source "$repo/packaging/clean_copy.sh"

version=$(dpkg-parsechangelog -l "$repo/debian/changelog" -S Version)
echo "SOURCE_DATE_EPOCH=$(dpkg-parsechangelog -l "$repo/debian/changelog" -S Timestamp)" \
  "($(dpkg-parsechangelog -l "$repo/debian/changelog" -S Date))"
export CCACHE_DISABLE=1

# Both builds start from the same copy, made before either begins.
first_src=$out/first/p/vantrelo-$version
second_src=$out/second/a/much/deeper/build/path/vantrelo-$version
clean_copy "$repo" "$first_src"
mkdir -p "$(dirname "$second_src")"
cp -a "$first_src" "$second_src"

# build NAME SOURCE UMASK LOCALE TZ JOBS
build() {
  local name=$1 src=$2 mask=$3 locale=$4 zone=$5 jobs=$6
  mkdir -p "$out/$name/home"
  echo "== build $name: $src, umask $mask, LC_ALL=$locale, TZ=$zone, parallel=$jobs"
  (
    cd "$src"
    umask "$mask"
    export LC_ALL=$locale LANG=$locale TZ=$zone HOME=$out/$name/home
    export DEB_BUILD_OPTIONS="nocheck parallel=$jobs"
    dpkg-buildpackage -us -uc -b
  ) >"$out/$name.log" 2>&1 || {
    tail -n 40 "$out/$name.log" >&2
    echo "reproducible: build $name failed (log: $out/$name.log)" >&2
    exit 1
  }
}

second_locale=C.UTF-8
locale -a 2>/dev/null | grep -qi '^it_IT\.utf-\?8$' && second_locale=it_IT.UTF-8
build first "$first_src" 0022 C.UTF-8 UTC 2
build second "$second_src" 0002 "$second_locale" Pacific/Kiritimati 1

status=0
for deb in "$(dirname "$first_src")"/*.deb; do
  name=$(basename "$deb")
  other=$(dirname "$second_src")/$name
  if cmp -s "$deb" "$other"; then
    echo "identical: $name ($(sha256sum <"$deb" | cut -c1-16)...)"
  else
    echo "DIFFERENT: $name" >&2
    status=1
    if command -v diffoscope >/dev/null; then
      diffoscope --text "$out/diffoscope-$name.txt" "$deb" "$other" >/dev/null || :
      echo "diffoscope: $out/diffoscope-$name.txt" >&2
    fi
  fi
done
[ "$status" = 0 ] && echo "both builds gave the same bytes"
exit "$status"
