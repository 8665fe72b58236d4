#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing, builds the program and opens its window on the
# bundled world database, in run/ (seeded on first use; an airports.txt or
# Vantrelo.ini of your own there is never replaced).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
exec bash scripts/run-bundled.sh "$@"
