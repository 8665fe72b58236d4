#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the build into a scratch prefix and checks what lands where, then
# starts the installed vantrelo (offscreen) with HOME and the XDG folders in
# a scratch tree and checks which working folder each start chooses, what it
# seeds there, and which databases it refreshes or leaves alone.
# usage: install_layout.sh BUILD_DIR BUNDLED_TXT HAS_WINDOW(0|1) VERSION
set -euo pipefail
build=$1 bundled=$2 has_window=$3 version=$4
work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]:+${pids[@]}}"; do kill "$pid" 2>/dev/null || :; done
  rm -rf "$work"
}
trap cleanup EXIT
prefix=$work/prefix

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

cmake --install "$build" --prefix "$prefix" >"$work/install.log"

for name in vantrelo-import vantrelo-script; do
  [ -x "$prefix/bin/$name" ] || fail "$name is not installed as a program"
done
[ ! -e "$prefix/bin/vantrelo-launch" ] || fail "vantrelo-launch is still installed"
for file in share/icons/hicolor/scalable/apps/vantrelo.svg share/metainfo/example.vantrelo.Vantrelo.metainfo.xml \
  share/doc/vantrelo/copyright share/man/man1/vantrelo.1.gz share/man/man1/vantrelo-script.1.gz; do
  [ -f "$prefix/$file" ] || fail "$file is not installed"
done
while read -r size; do
  [ -f "$prefix/share/icons/hicolor/${size}x$size/apps/vantrelo.png" ] || fail "no $size px icon"
done < <(grep -E '^[0-9]+$' "$(dirname "$0")/../../packaging/icons/sizes")
cmp "$bundled" "$prefix/share/vantrelo/airports.txt" || fail "the installed database differs"
# The OurAirports files of data/ourairports/ are for the build and its tests.
[ -z "$(find "$prefix" -name '*.csv')" ] || fail "OurAirports source files are installed"
grep -qx "Exec=$prefix/bin/vantrelo" "$prefix/share/applications/vantrelo.desktop" ||
  fail "the desktop entry does not start $prefix/bin/vantrelo"
# Installed documentation speaks to users: no build or repository paths.
if grep -rlE 'build/|shared/data|\.\./' "$prefix/share/doc/vantrelo" "$prefix/share/metainfo"; then
  fail "installed documentation names build or repository paths"
fi

# The installed importer runs from its new place.
"$prefix/bin/vantrelo-import" --help | grep -q -- '--types' || fail "the importer does not run"
[ "$("$build/tools/vantrelo-script/vantrelo-script" --version)" = "vantrelo-script $version" ] ||
  fail "vantrelo-script --version"

[ "$has_window" = 1 ] || { echo "installed layout as expected (no window built)"; exit 0; }
program=$prefix/bin/vantrelo
[ -x "$program" ] || fail "the window program is not installed"

# Help and version need no display.
[ "$(env -u DISPLAY -u QT_QPA_PLATFORM "$program" --version)" = "vantrelo $version" ] || fail "--version"
env -u DISPLAY -u QT_QPA_PLATFORM "$program" --help | grep -q '^Usage: vantrelo .*\[FOLDER\]' || fail "--help"
status=0
"$program" one two 2>/dev/null || status=$?
[ "$status" = 2 ] || fail "two folders ended with status $status, not 2"

export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data QT_QPA_PLATFORM=offscreen
mkdir -p "$HOME" "$work/elsewhere"

# Starts the window from folder $1 with the arguments after it, waits until
# start-up has written Vantrelo.ini in folder $2, and closes it.
start_in() {
  local from=$1 expected=$2
  shift 2
  (cd "$from" && exec "$program" "$@") >"$work/window.log" 2>&1 &
  local pid=$!
  pids+=("$pid")
  for _ in $(seq 300); do
    [ -f "$expected/Vantrelo.ini" ] && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill "$pid" 2>/dev/null || :
  wait "$pid" 2>/dev/null || :
  [ -f "$expected/Vantrelo.ini" ] || fail "started in $from with '$*': nothing in $expected ($(cat "$work/window.log"))"
}

# No database at hand: the documents folder, ~/Documents without user-dirs.dirs.
start_in "$HOME" "$HOME/Documents/Vantrelo"
cmp "$bundled" "$HOME/Documents/Vantrelo/airports.txt" || fail "first use did not seed airports.txt"
[ -w "$HOME/Documents/Vantrelo/airports.txt" ] || fail "the seeded copy is not the user's to change"
[ ! -e "$HOME/Vantrelo.ini" ] || fail "Vantrelo.ini was left in the home folder"
[ -z "$(find "$HOME" -name '*.seeding')" ] || fail "a temporary copy was left"

# The documents folder as user-dirs.dirs names it.
mkdir -p "$XDG_CONFIG_HOME"
echo 'XDG_DOCUMENTS_DIR="$HOME/Dokumente"' >"$XDG_CONFIG_HOME/user-dirs.dirs"
start_in "$work/elsewhere" "$HOME/Dokumente/Vantrelo"
cmp "$bundled" "$HOME/Dokumente/Vantrelo/airports.txt" || fail "user-dirs.dirs folder not seeded"
user=$HOME/Dokumente/Vantrelo

# A current folder with its own database is used as it is, and so is a
# folder given on the command line.
mkdir -p "$work/own" "$work/given"
printf 'MY|ABCD|OWN|0|0||||\r\n' | tee "$work/own/airports.txt" >"$work/given/airports.txt"
start_in "$work/own" "$work/own"
start_in "$work/elsewhere" "$work/given" "$work/given"
grep -q '^MY|ABCD|' "$work/given/airports.txt" || fail "the given folder's database was replaced"

# An untouched copy of an earlier bundled database is refreshed by the newer
# one; a copy the user has changed is left alone.
newer=$work/newer.txt
{ cat "$bundled"; printf 'NEW|ZZZZ|NEWER|0|0||||\r\n'; } >"$newer"
cp "$newer" "$prefix/share/vantrelo/airports.txt"
rm "$user/Vantrelo.ini"
start_in "$work/elsewhere" "$user"
cmp "$newer" "$user/airports.txt" || fail "the unchanged older seed was not replaced"
# The edit keeps the size, so only the content can tell.
sed '0,/KENNEDY/s//KENNEDI/' "$bundled" >"$user/airports.txt"
[ "$(stat -c %s "$user/airports.txt")" = "$(stat -c %s "$bundled")" ] || fail "the edit changed the size"
cmp -s "$bundled" "$user/airports.txt" && fail "the edit changed nothing"
cp "$user/airports.txt" "$work/edited.txt"
rm "$user/Vantrelo.ini"
start_in "$work/elsewhere" "$user"
cmp "$work/edited.txt" "$user/airports.txt" || fail "the user's edited database was replaced"

# The data folder an earlier version made stays the user's folder.
mkdir -p "$XDG_DATA_HOME/vantrelo"
cp "$bundled" "$XDG_DATA_HOME/vantrelo/airports.txt"
start_in "$work/elsewhere" "$XDG_DATA_HOME/vantrelo"
cmp "$newer" "$XDG_DATA_HOME/vantrelo/airports.txt" || fail "the earlier folder's seed was not refreshed"

# On a display: the window's icon, and a failure ending the program with
# status 1 once its message box is closed (a given folder without
# airports.txt, and one that does not exist).
mkdir -p "$work/empty"
unset QT_QPA_PLATFORM
xvfb-run -a bash "$(dirname "$0")/window_under_x.sh" "$program" "$work/elsewhere" "$work/own" \
  "$work/empty" || fail "on a display"
[ -z "$(ls -A "$work/empty" | grep -v Vantrelo.ini)" ] || fail "a failing start left files"
echo "installed layout and working folders as expected"
