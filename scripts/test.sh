#!/usr/bin/env bash
# Set-up, build, then every test: the normal build first, then the unit
# tests again under AddressSanitizer + UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

ctest --test-dir build --output-on-failure -j"$(nproc)"

cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DSUITE_SANITIZE=ON
cmake --build build-sanitize -j"$(nproc)"
# GTK's libraries keep some allocations for the life of the process; the
# suppressions name only those libraries, so our own leaks still fail.
LSAN_OPTIONS=suppressions="$PWD/scripts/lsan.supp" UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-sanitize --output-on-failure -j"$(nproc)" -L unit
