#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the Debian package as the README says and checks it the way a
# distribution would: lintian (no error, warning or informational tag that
# is not overridden), desktop-file-validate on the desktop entry, appstreamcli
# on the metainfo, man on every manual page, and the PNG icons against the
# SVG they are rendered from.
#
#   bash packaging/check.sh [BUILD_DIR]     (default: build/package)
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$repo/build/package}

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
werror=OFF
if [ "${CI:-}" = "true" ]; then werror=ON; fi  # as in every CI build
cmake -S "$repo" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
  -DVANTRELO_WERROR="$werror" "${launcher[@]}" >/dev/null
cmake --build "$build"
rm -f "$build"/vantrelo_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
debs=("$build"/vantrelo_*.deb)
deb=${debs[0]}
echo "== $(basename "$deb")"

status=0
fail() {
  echo "FAIL: $*" >&2
  status=1
}

echo "== lintian"
lintian --display-info --fail-on error,warning,info "$deb" || fail "lintian"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
dpkg-deb -x "$deb" "$work/root"

echo "== desktop-file-validate"
for entry in "$work"/root/usr/share/applications/*.desktop; do
  desktop-file-validate "$entry" || fail "desktop-file-validate $(basename "$entry")"
done

echo "== appstreamcli validate"
for metainfo in "$work"/root/usr/share/metainfo/*.xml; do
  appstreamcli validate --no-net --pedantic "$metainfo" || fail "appstreamcli $(basename "$metainfo")"
done

echo "== man"
for page in "$work"/root/usr/share/man/man1/*.1.gz; do
  # Rendering warnings (unknown macros, bad escapes, lines that cannot be set)
  # go to standard error.
  errors=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)
  [ -z "$errors" ] || fail "man $(basename "$page"): $errors"
  LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$page" | grep -q '^NAME' || fail "man $(basename "$page") renders no NAME"
  echo "$(basename "$page") renders"
done
for program in "$work"/root/usr/bin/*; do
  name=$(basename "$program")
  [ -e "$work/root/usr/share/man/man1/$name.1.gz" ] || fail "$name has no manual page"
done

echo "== icons"
mkdir "$work/icons"
bash "$repo/packaging/icons/render.sh" "$work/icons"
for png in "$work"/icons/*.png; do
  cmp -s "$png" "$repo/packaging/icons/$(basename "$png")" ||
    fail "packaging/icons/$(basename "$png") is stale: run packaging/icons/render.sh"
done

[ "$status" = 0 ] && echo "the package passes every check"
exit "$status"
