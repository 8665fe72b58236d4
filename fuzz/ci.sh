#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The short fuzz pass for CI: installs what is missing (clang-14 and
# libclang-rt-14-dev besides the build's own packages), builds the fuzz
# targets, replays the stored regression inputs, and runs each target for a
# few seconds, about a minute in all. Fails on any crash, hang, leak or sanitizer report.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

bash "$here/../scripts/install-deps.sh" clang-14 libclang-rt-14-dev

# As in every CI build, warnings are errors.
if [ "${CI:-}" = "true" ]; then export VANTRELO_WERROR=ON; fi

VANTRELO_FUZZ_NO_WAIT=1 bash "$here/run.sh" "${VANTRELO_FUZZ_SECONDS:-9}"

# The fuzz targets' code passes the same clang-tidy checks as the rest; only
# the fuzz build's compile database knows how they are compiled.
cd "$here/.."
bash scripts/check-code.sh -p "${VANTRELO_FUZZ_BUILD:-build/fuzz}" fuzz/*.cpp
