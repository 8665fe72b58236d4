# SPDX-License-Identifier: MIT
# Helpers for the failure-injection tests, sourced by each test script. A
# test runs the headless driver in a scratch working directory, changes or
# breaks files before or while it runs, and compares the driver's output,
# its exit status and the files left behind with the exact expected ones.
#
# Two ways to run the driver:
#   run_driver COMMANDS         the whole session at once; output in $out_file,
#                               exit status in $status
#   driver_start / driver_step / driver_finish
#                               a session driven step by step through a
#                               coprocess, so files can be changed between
#                               two commands
#
# Exit status: 0 passed, 1 failed, 77 skipped (ctest's SKIP_RETURN_CODE).

set -uo pipefail
trap '' PIPE  # a write to a driver that has ended fails instead of ending the test

driver=${1:?usage: TEST.sh PATH-TO-vantrelo-script}
driver=$(cd "$(dirname "$driver")" && pwd)/$(basename "$driver")
test_name=$(basename "$0" .sh)
failures=0

# $scratch holds the test's own files; $root holds nothing but the working
# directory, so that a file written beside the working directory is seen.
scratch=$(mktemp -d "${TMPDIR:-/tmp}/vantrelo-failure-XXXXXX")
root=$scratch/root
work=$root/work
mkdir -p "$work"
cleanup_steps=()
cleanup() {
  local step
  for step in "${cleanup_steps[@]}"; do eval "$step" || true; done
  [ -n "${DRIVER_PID:-}" ] && kill "$DRIVER_PID" 2> /dev/null
  chattr -R -i "$scratch" 2> /dev/null
  rm -rf "$scratch"
}
trap cleanup EXIT

fail() {
  echo "FAIL ($test_name): $*"
  failures=$((failures + 1))
}

# Ends the test: 0 when every check passed.
finish() {
  if [ "$failures" -gt 0 ]; then
    echo "$test_name: $failures check(s) failed"
    exit 1
  fi
  echo "$test_name: passed"
  exit 0
}

skip() {
  echo "SKIPPED ($test_name): $*"
  exit 77
}

# The driver's lines. Every field is joined by a TAB.
msg() { printf 'message\tVantrelo\t%s\n' "$1"; }
ctl() { printf '%s\t%s\t%s\t%s\n' "$1" "$2" "$3" "$4"; }
val() { printf '%s\t%s\n' "$1" "$2"; }

# A file failure under the Italian interface, as the driver reports it:
# wholly in Italian where this system has Italian messages for the reason,
# wholly in English where it has not.
#   msg_ita open|read|write FILE ENGLISH-REASON
msg_ita() {
  local operation=$1 file=$2 reason=$3 italian=""
  case $reason in
    # the program's own reasons, which it words in Italian itself
    "Not a regular file") italian="Non è un file regolare" ;;
    "Is a link owned by another user") italian="È un collegamento di un altro utente" ;;
    *) if locale -a 2> /dev/null | grep -qi '^it_IT\.utf-\?8$'; then
      italian=$(TEXTDOMAIN=libc LANGUAGE= LC_ALL=it_IT.UTF-8 gettext -- "$reason" 2> /dev/null)
    fi ;;
  esac
  if [ -n "$italian" ] && [ "$italian" != "$reason" ]; then
    case $operation in
      open) msg "Impossibile aprire \"$file\": $italian" ;;
      read) msg "Impossibile leggere \"$file\": $italian" ;;
      write) msg "Impossibile scrivere \"$file\": $italian" ;;
    esac
  else
    case $operation in
      open) msg "Cannot open \"$file\": $reason" ;;
      read) msg "Cannot read \"$file\": $reason" ;;
      write) msg "Cannot write \"$file\": $reason" ;;
    esac
  fi
}

# The system's reasons follow the interface's language, not the locale; the
# locale's messages are set to English all the same, so that a reason told
# in the system's language would show. The rest of the locale stays as the
# caller set it (the suite also runs under it_IT.UTF-8).
locale_name=${LC_ALL:-${LANG:-C}}
driver_env=(env -u LC_ALL "LANG=$locale_name" LC_MESSAGES=C)

out_file=$scratch/driver.out
status=0

# Runs the driver in $work (or $run_dir) with COMMANDS (one per line) on its
# input, optionally behind a prefix command (e.g. setpriv).
run_driver() {
  local commands=$1
  shift
  status=0
  (cd "${run_dir:-$work}" && printf '%s' "$commands" | "${driver_env[@]}" "$@" "$driver" > "$out_file") ||
    status=$?
}

# The saving tests' database, one airport (AAAA) with one runway and an ILS,
# and what a ticked search for it saves in each language, kept as
# $scratch/sheet-Italiano, sheet-Inglese, settings-Italiano, settings-Inglese.
sheet="AAAA  FIRST.txt"
saves_in_both_languages() {
  printf '1|AAAA|FIRST|45500000|-9250000|320|town|--|LAND|\r\n1|09|090|9000|0|110.30|\r\n\r\n' \
    > "$work/airports.txt"
  local language
  for language in Italiano Inglese; do
    run_driver $'tick 1\ntype aaaa\nclick Menu'"$language"$'\nclick Command1\n'
    mv "$work/$sheet" "$scratch/sheet-$language"
    cp "$work/Vantrelo.ini" "$scratch/settings-$language"
  done
  cmp -s "$scratch/sheet-Italiano" "$scratch/sheet-Inglese" && fail "the two sheets should differ"
  return 0
}

# Compares the driver's output (from $out_file) with EXPECTED, byte for byte.
expect_output() {
  local expected=$1 what=${2:-driver output}
  if ! cmp -s <(printf '%s' "$expected") "$out_file"; then
    fail "$what differs (expected vs actual):"
    diff <(printf '%s' "$expected") "$out_file" | cut -c1-300 | cat -A | head -30
  fi
}

expect_status() {
  [ "$status" = "$1" ] || fail "exit status $status, expected $1"
}

# The names of every file and folder in DIR (recursively), one per line,
# compared with the expected ones given as arguments.
expect_entries() {
  local dir=$1
  shift
  local actual expected
  actual=$(cd "$dir" && find . -mindepth 1 | sed 's|^\./||' | LC_ALL=C sort)
  expected=$(printf '%s\n' "$@" | sed '/^$/d' | LC_ALL=C sort)
  if [ "$actual" != "$expected" ]; then
    fail "entries of $dir differ (expected vs actual):"
    diff <(printf '%s\n' "$expected") <(printf '%s\n' "$actual") | cut -c1-200 | head -20
  fi
}

# FILE must hold exactly the bytes that printf's FORMAT gives (backslash
# escapes such as \r\n and \x22 are understood).
expect_bytes() {
  local file=$1 format=$2
  if [ ! -f "$file" ]; then
    fail "$file is missing"
  elif ! cmp -s <(printf "$format") "$file"; then
    fail "$(basename "$file") differs (expected vs actual):"
    diff <(printf "$format" | od -c) <(od -c "$file") | head -10
  fi
}

expect_same_file() {
  if ! cmp -s "$1" "$2"; then
    fail "$(basename "$2") differs from $(basename "$1")"
    diff <(od -c "$1") <(od -c "$2") | head -10
  fi
}

# The step-by-step session. driver_start [PREFIX...] starts the driver in
# $work and collects what start-up printed; driver_step CMD... sends the
# commands and collects their output; the collected output is appended to
# $out_file. A "show Form1" after each step marks where its output ends.
DRIVER_PID=
driver_start() {
  : > "$out_file"
  coproc DRIVER { cd "$work" && exec "${driver_env[@]}" "$@" "$driver" 2>&1; }
  driver_in=${DRIVER[1]}
  driver_out=${DRIVER[0]}
  driver_step
}

driver_step() {
  local command line
  for command in "$@" "show Form1"; do
    printf '%s\n' "$command" >&"$driver_in" 2> /dev/null || break
  done
  while IFS= read -r -t 300 line <&"$driver_out"; do
    case $line in
      Form1$'\t'*) return 0 ;;
      *) printf '%s\n' "$line" >> "$out_file" ;;
    esac
  done
  return 1  # the driver ended
}

# Closes the driver's input (the end of input ends it) and takes its status.
driver_finish() {
  local pid=$DRIVER_PID
  exec {driver_in}>&-
  local line
  while IFS= read -r -t 300 line <&"$driver_out"; do printf '%s\n' "$line" >> "$out_file"; done
  status=0
  wait "$pid" || status=$?
  DRIVER_PID=
}

# Makes a file of SIZE bytes of one character.
fill_file() {
  local file=$1 size=$2 char=$3
  head -c "$size" /dev/zero | tr '\0' "$char" > "$file"
}

# Like expect_output, for output holding bytes a shell variable cannot
# (NUL): the expected bytes are those of printf's FORMAT.
expect_output_bytes() {
  local format=$1 what=${2:-driver output}
  if ! cmp -s <(printf "$format") "$out_file"; then
    fail "$what differs (expected vs actual):"
    diff <(printf "$format" | od -c) <(od -c "$out_file") | head -20
  fi
}

# as_nobody=(setpriv ...) runs a command as user nobody. can_run_as_nobody
# tells whether that works here for the driver (root, setpriv, and a driver
# that nobody may run); it is tried in a scratch directory.
nobody_uid=$(id -u nobody 2> /dev/null || echo 65534)
nobody_gid=$(id -g nobody 2> /dev/null || echo 65534)
as_nobody=(setpriv --reuid="$nobody_uid" --regid="$nobody_gid" --clear-groups)
can_run_as_nobody() {
  [ "$(id -u)" = 0 ] && command -v setpriv > /dev/null || return 1
  local probe=$scratch/nobody-probe
  mkdir -p "$probe" && chown "$nobody_uid:$nobody_gid" "$probe" && chmod 755 "$probe"
  (cd "$probe" && "${as_nobody[@]}" sh -c "touch x && test -x '$driver'") 2> /dev/null
  local ok=$?
  rm -rf "$probe"
  return $ok
}

# with_faults=(env LD_PRELOAD=... VANTRELO_FAULT_...=...) runs a command with
# the fault shim (fault_shim.c, whose header lists the variables) loaded;
# use_faults VAR=VALUE... sets it up, the shim's path coming from
# $VANTRELO_FAULT_SHIM. Every failure the shim makes is logged to
# $fault_log. Under ASan the sanitizer's runtime must come first among the
# preloaded libraries, so it is named before the shim.
fault_log=$scratch/faults.log
use_faults() {
  [ -n "${VANTRELO_FAULT_SHIM:-}" ] && [ -f "$VANTRELO_FAULT_SHIM" ] ||
    skip "no fault shim (VANTRELO_FAULT_SHIM) to load"
  local preload=$VANTRELO_FAULT_SHIM asan
  asan=$(ldd "${fault_target:-$driver}" 2> /dev/null | awk '/libasan/ { print $3 }')
  [ -n "$asan" ] && preload="$asan:$preload"
  : > "$fault_log"
  with_faults=(env "LD_PRELOAD=$preload" "VANTRELO_FAULT_LOG=$fault_log" "$@")
}

# The shim must have made exactly COUNT failures (so the test reached them).
expect_faults() {
  local count
  count=$(wc -l < "$fault_log")
  [ "$count" = "$1" ] || { fail "$count failure(s) injected, expected $1:"; head -5 "$fault_log"; }
}

# The names of any temporary files the saves left in DIR.
temporaries() { (cd "$1" && find . -maxdepth 1 -name '.vantrelo-*' | sed 's|^\./||'); }
