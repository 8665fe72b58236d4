#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# A link that another user planted in a shared folder (sticky and writable
# by all, like /tmp) where a save goes. It is followed only as the kernel's
# protected_symlinks rule would follow it: a link of the user or of the
# folder's owner is, a link of anyone else is not. A refused save names
# the reason, writes nothing, and goes on as any failed save: the sheet's
# search carries on, the settings end start-up. The importer's output the
# same. Needs root, to give the links and the folder other owners.
# usage: save_link_planted.sh DRIVER IMPORTER SAMPLE_DIR
# shellcheck disable=SC2034 # status is read by lib.sh's expect_status
source "$(dirname "$0")/lib.sh"
importer=${2:?} sample=${3:?}
[ "$(id -u)" = 0 ] || skip "needs root to plant links owned by other users"

planter=$nobody_uid   # the hostile second user
owner=$((nobody_uid - 1))  # owns the shared folder; neither victim nor planter
victim=$scratch/home
sheet="AAAA  FIRST.txt"
search=$'tick 1\ntype aaaa\nclick Command1\nshow Label2\n'
shown=$(ctl Label2 1 - AAAA)
refused='Is a link owned by another user'
refused_ita='È un collegamento di un altro utente'

shared_folder() {
  rm -rf "$work" "$victim" && mkdir "$work" "$victim"
  printf '1|AAAA|FIRST|45500000|-9250000|320|town|--|LAND|\r\n1|09|090|9000|0|0|\r\n\r\n' \
    > "$work/airports.txt"
  printf '"Ita"\r\n"ZZZZ"\r\n' > "$work/Vantrelo.ini"
  printf 'alias ls=ls\n' > "$victim/.bashrc"
  printf 'ssh-ed25519 AAAAC3 me@home\nssh-rsa AAAAB3 me@work\n' > "$victim/authorized_keys"
  chown "$owner" "$work"
  chmod "${1:-1777}" "$work"
}

# plant NAME TARGET OWNER: a link NAME in the shared folder, owned by OWNER.
plant() {
  ln -s "$2" "$work/$1"
  chown -h "$3" "$work/$1"
}

victim_untouched() {
  expect_bytes "$victim/.bashrc" 'alias ls=ls\n'
  expect_bytes "$victim/authorized_keys" 'ssh-ed25519 AAAAC3 me@home\nssh-rsa AAAAB3 me@work\n'
  expect_entries "$victim" .bashrc authorized_keys
  [ -z "$(temporaries "$work")" ] || fail "$1: a temporary file was left"
}

echo "-- a planted sheet link is refused, the search goes on"
shared_folder
plant "$sheet" "$victim/.bashrc" "$planter"
run_driver "$search"
expect_output "$(msg "Impossibile scrivere \"$sheet\": $refused_ita")
$shown
" "planted sheet link: output"
expect_status 0
victim_untouched "planted sheet link"
[ "$(readlink "$work/$sheet")" = "$victim/.bashrc" ] || fail "the planted link was replaced"
expect_bytes "$work/Vantrelo.ini" '"Ita"\r\n"AAAA"\r\n'

echo "-- a planted settings link: the search's save is refused"
# Its two lines read as two settings, of no language: start-up saves
# nothing, the search's save is refused.
shared_folder
rm "$work/Vantrelo.ini"
plant Vantrelo.ini "$victim/authorized_keys" "$planter"
plant "$sheet" "$victim/.bashrc" "$planter"
run_driver "$search"
expect_output "$(msg "Cannot write \"$sheet\": $refused")
$(msg "Cannot write \"Vantrelo.ini\": $refused")
$shown
" "planted settings link: output"
expect_status 0
victim_untouched "planted settings link"

echo "-- links the kernel would follow are followed"
# The folder owner's link, and the user's own.
shared_folder
plant "$sheet" "$victim/.bashrc" "$owner"
run_driver "$search"
expect_output "$shown
" "folder owner's link: output"
[ "$(head -n 1 "$victim/.bashrc")" = $'AEROPORTO FIRST\r' ] || fail "the folder owner's link was not followed"
shared_folder
plant "$sheet" "$victim/.bashrc" 0
run_driver "$search"
expect_output "$shown
" "own link: output"
[ "$(head -n 1 "$victim/.bashrc")" = $'AEROPORTO FIRST\r' ] || fail "the user's own link was not followed"
# Any link in a folder that is not sticky, or not writable by all.
for mode in 0777 1775; do
  shared_folder $mode
  plant "$sheet" "$victim/.bashrc" "$planter"
  run_driver "$search"
  expect_output "$shown
" "folder mode $mode: output"
  [ "$(head -n 1 "$victim/.bashrc")" = $'AEROPORTO FIRST\r' ] || fail "folder mode $mode: link not followed"
done

echo "-- a link planted half-way along a chain"
shared_folder
mkdir -m 1777 "$scratch/tmp"
chown "$owner" "$scratch/tmp"
ln -s "$victim/.bashrc" "$scratch/tmp/next"
chown -h "$planter" "$scratch/tmp/next"
plant "$sheet" "$scratch/tmp/next" 0
run_driver "$search"
expect_output "$(msg "Impossibile scrivere \"$sheet\": $refused_ita")
$shown
" "chain: output"
victim_untouched chain

echo "-- the importer's output"
shared_folder
plant out.txt "$victim/.bashrc" "$planter"
status=0
"$importer" --quiet --order ident "$sample" "$work/out.txt" 2> "$scratch/stderr" || status=$?
expect_status 1
grep -qxF "vantrelo-import: $work/out.txt: $refused" "$scratch/stderr" ||
  { fail "importer: no message for the planted link"; cat "$scratch/stderr"; }
victim_untouched importer
finish
