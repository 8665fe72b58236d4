#!/usr/bin/env bash
# The short fuzz pass for CI: installs clang when it is missing (Debian
# packages clang-14 and libclang-rt-14-dev), builds the fuzz targets, replays
# the stored regression inputs, and runs each target for a few seconds,
# about a minute in all. Fails on any crash, hang, leak or sanitizer report.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

packages=(clang-14 libclang-rt-14-dev)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
    missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  apt-get update
  DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
fi

VANTRELO_FUZZ_NO_WAIT=1 bash "$here/run.sh" "${VANTRELO_FUZZ_SECONDS:-9}"
