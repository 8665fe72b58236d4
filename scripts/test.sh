#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing, then builds and runs every test three times: the
# plain build, the same suite under an Italian locale, and the ASan + UBSan
# build; the scanner's tests once more under ThreadSanitizer; then every fuzz
# target for a few seconds; then builds the Debian package and checks it.
# Stops at the first failure.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh clang-14 libclang-rt-14-dev

preset=default
[ "${CI:-}" = "true" ] && preset=ci   # warnings are errors in CI

cmake --preset "$preset"
cmake --build --preset "$preset"
ctest --preset "$preset"

echo "== the same suite under LC_ALL=it_IT.UTF-8"
LC_ALL=it_IT.UTF-8 ctest --preset "$preset"

echo "== the suite under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --preset asan
cmake --build --preset asan
ctest --preset asan

echo "== the scanner's tests under ThreadSanitizer"
cmake --preset tsan
cmake --build --preset tsan
ctest --preset tsan

echo "== a short fuzz pass over every target"
bash fuzz/ci.sh

echo "== the Debian package"
bash packaging/check.sh
