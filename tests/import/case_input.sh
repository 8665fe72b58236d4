# SPDX-License-Identifier: MIT
# Sourced by the importer's case runners: a scratch folder $work (removed at
# exit) whose in/ holds the sample's CSV files with those of the case folder
# over them, and the case's extra options in the array args.
# Needs $sample and $case_dir.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

mkdir "$work/in"
cp "$sample"/*.csv "$work/in/"
for file in "$case_dir"/*.csv; do
  [ -e "$file" ] && cp "$file" "$work/in/"
done
args=()
if [ -f "$case_dir/args" ]; then read -r -a args <"$case_dir/args"; fi
