#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the Debian source and binary packages from a clean copy of the tree
# (dpkg-buildpackage -S, then -b) and checks them the way a distribution
# would: lintian on both (no error, warning, informational or pedantic tag
# that is not overridden), desktop-file-validate on the desktop entry,
# appstreamcli on the metainfo, man on every manual page, the PNG icons
# against the SVG they are rendered from, and, where this is root with
# autopkgtest, the package's own tests on it installed here.
#
#   bash packaging/check.sh [WORK_DIR]     (default: build/package)
#
# The suite has run before this in the test command, so the package is
# built with nocheck; set VANTRELO_PACKAGE_TESTS=1 to run it in the build too.
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out=${1:-$repo/build/package}
out=$(mkdir -p "$out" && cd "$out" && pwd)
source "$repo/packaging/clean_copy.sh"

status=0
fail() {
  echo "FAIL: $*" >&2
  status=1
}

version=$(dpkg-parsechangelog -l "$repo/debian/changelog" -S Version)
program_version=$(sed -n 's/^set(VANTRELO_VERSION \([^)]*\))$/\1/p' "$repo/cmake/version.cmake")
# A native package: the program's version, or that with +N for a change of
# the packaging alone.
[[ $version =~ ^${program_version//./\\.}(\+[0-9]+)?$ ]] ||
  fail "debian/changelog's version $version is not cmake/version.cmake's $program_version"

rm -rf "$out"/vantrelo[-_]* "$out"/*.log
src=$out/vantrelo-$version
clean_copy "$repo" "$src"

# terse: ninja prints a short [done/all] line per step; with ctest's line per
# test they are shown as progress.
options="terse parallel=$(nproc)"
[ "${VANTRELO_PACKAGE_TESTS:-}" = 1 ] || options="nocheck $options"
# Warnings are errors in every CI build, the package's too (debian/rules).
if [ "${CI:-}" = "true" ]; then export VANTRELO_WERROR=ON; fi
echo "== dpkg-buildpackage -S and -b in $src (DEB_BUILD_OPTIONS=$options)"
(
  # Chained: in a subshell on the left of || a failing step would not stop it.
  cd "$src" &&
    export DEB_BUILD_OPTIONS=$options &&
    dpkg-buildpackage -us -uc -S &&
    dpkg-buildpackage -us -uc -b
) 2>&1 | tee "$out/build.log" | { grep --line-buffered -E '^\[[0-9]+/[0-9]+\]|^ *[0-9]+/[0-9]+ Test|^dpkg-deb: building' || :; } ||
{
  tail -n 60 "$out/build.log" >&2
  fail "dpkg-buildpackage (whole log: $out/build.log)"
  exit 1
}
debs=("$out"/vantrelo_"$version"_*.deb)
deb=${debs[0]}
echo "== $(basename "$deb")"

echo "== lintian"
for changes in "$out/vantrelo_${version}_source.changes" "$out/vantrelo_${version}_$(dpkg --print-architecture).changes"; do
  lintian --display-info --pedantic --fail-on error,warning,info,pedantic "$changes" ||
    fail "lintian $(basename "$changes")"
done

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

echo "== autopkgtest"
if [ "$(id -u)" != 0 ]; then
  echo "skipped: the null runner installs the package on this machine, which needs root"
elif ! command -v autopkgtest >/dev/null; then
  echo "skipped: autopkgtest is not installed"
elif dpkg-query -W -f='${Status}' vantrelo 2>/dev/null | grep -q 'install ok installed'; then
  echo "skipped: a vantrelo package is installed here already, which the test would replace"
else
  # The null runner installs the package here; it is purged afterwards.
  autopkgtest --no-built-binaries "$deb" "$src"/ -- null >"$out/autopkgtest.log" 2>&1 ||
    fail "autopkgtest (log: $out/autopkgtest.log)"
  sed -n '/@@@@ summary$/,$p' "$out/autopkgtest.log" | grep -E '^[^ ]+ +(PASS|FAIL|SKIP|FLAKY)' || :
  if dpkg-query -W -f='${Status}' vantrelo 2>/dev/null | grep -q 'install ok installed'; then
    DEBIAN_FRONTEND=noninteractive apt-get purge -y -q vantrelo >/dev/null || fail "apt-get purge vantrelo"
  fi
fi

[ "$status" = 0 ] && echo "the package passes every check"
exit "$status"
