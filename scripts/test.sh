#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing, then builds, checks the code's format and
# clang-tidy findings, builds once more with clang-14 (a second compiler's
# warnings), and runs every test three times: the plain build, the
# same suite under an Italian locale, and the ASan + UBSan build; the
# scanner's tests once more under ThreadSanitizer; then every fuzz target
# for a few seconds; then builds the Debian package and checks it. Stops at
# the first failure.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh --test clang-14 libclang-rt-14-dev

preset=default
ci=
if [ "${CI:-}" = "true" ]; then preset=ci ci=ci-; fi  # warnings are errors in CI

cmake --preset "$preset"
cmake --build --preset "$preset"
bash scripts/check-code.sh -p "build/$preset"

echo "== the build with clang-14 (built only: the tests run with the g++ builds)"
cmake --preset "${ci}clang"
cmake --build --preset "${ci}clang"

ctest --preset "$preset"

echo "== the same suite under LC_ALL=it_IT.UTF-8"
LC_ALL=it_IT.UTF-8 ctest --preset "$preset"

echo "== the suite under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --preset "${ci}asan"
cmake --build --preset "${ci}asan"
ctest --preset "${ci}asan"

echo "== the scanner's tests under ThreadSanitizer"
cmake --preset "${ci}tsan"
cmake --build --preset "${ci}tsan"
ctest --preset "${ci}tsan"

echo "== a short fuzz pass over every target"
bash fuzz/ci.sh

echo "== the Debian package"
bash packaging/check.sh
