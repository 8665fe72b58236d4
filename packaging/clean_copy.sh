# SPDX-License-Identifier: MIT
# shellcheck shell=bash
# clean_copy REPO DEST: copies the source tree to DEST as a fresh clone with
# the working tree's changes would hold it: the files git tracks or would
# add, without build/, run/ or anything else it ignores. Outside a git
# checkout, everything but build/ and run/.
clean_copy() {
  local repo=$1 dest=$2
  mkdir -p "$dest"
  if git -C "$repo" rev-parse --show-toplevel >/dev/null 2>&1; then
    (cd "$repo" && git ls-files -z --cached --others --exclude-standard |
      while IFS= read -r -d '' file; do
        [ -e "$file" ] || [ -L "$file" ] || continue # deleted, not yet committed
        printf '%s\0' "$file"
      done | tar -c --null -T - -f -) | tar -x -C "$dest" -f -
  else
    tar -c -C "$repo" --exclude=./build --exclude=./run -f - . | tar -x -C "$dest" -f -
  fi
}
