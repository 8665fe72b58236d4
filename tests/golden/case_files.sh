# SPDX-License-Identifier: MIT
# What run_case.sh, bless.sh and fuzz/make_seeds.sh share, sourced by each:
# where a case keeps its database and its commands, and how a run's folder
# is set up.

golden_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# The database a case starts with: its own airports.txt, or the shared one
# of fixtures/ that its airports.fixture names; nothing when it has neither.
case_database() {
  local case_dir=$1
  if [ -f "$case_dir/airports.fixture" ]; then
    echo "$golden_dir/fixtures/$(cat "$case_dir/airports.fixture")"
  elif [ -e "$case_dir/airports.txt" ]; then
    echo "$case_dir/airports.txt"
  fi
}

# Copies a case's starting files into the folder WORK: the database,
# Vantrelo.ini and whatever start/ holds.
set_up_run() {
  local case_dir=$1 work=$2 database
  database=$(case_database "$case_dir")
  if [ -n "$database" ]; then
    cp "$database" "$work/airports.txt" || return 1
  fi
  if [ -e "$case_dir/Vantrelo.ini" ]; then
    cp "$case_dir/Vantrelo.ini" "$work/" || return 1
  fi
  if [ -d "$case_dir/start" ]; then
    cp -a "$case_dir/start/." "$work/" || return 1
  fi
}

# The driver's input: the lines of the case's transcript marked "> ".
case_commands() {
  LC_ALL=C sed -n 's/^> //p' "$1/transcript.txt"
}
