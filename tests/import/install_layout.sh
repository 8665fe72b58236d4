#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the build into a scratch prefix and checks what lands where, then
# runs the installed launcher with a stand-in for the window: it must open in
# the XDG data folder, seed airports.txt there once, and never replace a
# user's own airports.txt or Vantrelo.ini.
# usage: install_layout.sh BUILD_DIR BUNDLED_TXT HAS_WINDOW(0|1)
set -euo pipefail
build=$1 bundled=$2 has_window=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

cmake --install "$build" --prefix "$prefix" >"$work/install.log"

for file in bin/vantrelo-import bin/vantrelo-launch; do
  [ -x "$prefix/$file" ] || fail "$file is not installed as a program"
done
for file in share/applications/vantrelo.desktop share/icons/hicolor/scalable/apps/vantrelo.svg \
  share/icons/hicolor/48x48/apps/vantrelo.png share/icons/hicolor/256x256/apps/vantrelo.png; do
  [ -f "$prefix/$file" ] || fail "$file is not installed"
done
cmp "$bundled" "$prefix/share/vantrelo/airports.txt" || fail "the installed database differs"
grep -qx 'Exec=vantrelo-launch' "$prefix/share/applications/vantrelo.desktop" ||
  fail "the desktop entry does not start the launcher"
if [ "$has_window" = 1 ]; then
  [ -x "$prefix/bin/vantrelo" ] || fail "the window program is not installed"
fi

# The installed importer runs from its new place.
"$prefix/bin/vantrelo-import" --help | grep -q -- '--types' || fail "the importer does not run"

# A stand-in for the window: tells where it runs and what it was given.
cat >"$prefix/bin/vantrelo" <<'STANDIN'
#!/bin/sh
echo "ran in $(pwd) with $*"
STANDIN
chmod +x "$prefix/bin/vantrelo"

export HOME=$work/home
mkdir -p "$HOME"
data=$work/xdg-data
out=$(XDG_DATA_HOME=$data "$prefix/bin/vantrelo-launch" -style fusion)
[ "$out" = "ran in $data/vantrelo with -style fusion" ] || fail "launcher ran: $out"
cmp "$bundled" "$data/vantrelo/airports.txt" || fail "first use did not seed airports.txt"
[ -w "$data/vantrelo/airports.txt" ] || fail "the seeded copy is not the user's to change"

# The user's own files stay as they are on every later start.
printf 'MY|ABCD|OWN|0|0||||\r\n' >"$data/vantrelo/airports.txt"
printf '"Ita"\r\n"ABCD"\r\n' >"$data/vantrelo/Vantrelo.ini"
XDG_DATA_HOME=$data "$prefix/bin/vantrelo-launch" >/dev/null
grep -q '^MY|ABCD|' "$data/vantrelo/airports.txt" || fail "the user's airports.txt was replaced"
grep -q 'Ita' "$data/vantrelo/Vantrelo.ini" || fail "the user's Vantrelo.ini was replaced"
[ -z "$(find "$data/vantrelo" -name '.airports.txt.*')" ] || fail "a temporary copy was left"

# Without XDG_DATA_HOME, or with a relative one, the default ~/.local/share.
out=$(env -u XDG_DATA_HOME "$prefix/bin/vantrelo-launch")
[ "$out" = "ran in $HOME/.local/share/vantrelo with " ] || fail "default folder: $out"
out=$(XDG_DATA_HOME=relative/dir "$prefix/bin/vantrelo-launch")
[ "$out" = "ran in $HOME/.local/share/vantrelo with " ] || fail "relative XDG_DATA_HOME: $out"
cmp "$bundled" "$HOME/.local/share/vantrelo/airports.txt" || fail "default folder not seeded"

# Started through a symbolic link, as from another bin folder.
mkdir -p "$work/elsewhere"
ln -s "$prefix/bin/vantrelo-launch" "$work/elsewhere/vantrelo-launch"
out=$(XDG_DATA_HOME=$work/other "$work/elsewhere/vantrelo-launch")
[ "$out" = "ran in $work/other/vantrelo with " ] || fail "through a link: $out"
cmp "$bundled" "$work/other/vantrelo/airports.txt" || fail "through a link: not seeded"
echo "installed layout and launcher as expected"
