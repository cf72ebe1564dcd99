#!/usr/bin/env bash
# Set-up, build, then every test: the normal build first, then the unit
# tests again under AddressSanitizer + UndefinedBehaviorSanitizer, then a
# short run of every fuzz target in a clang build of its own.
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

# Each libFuzzer target of fuzz/ for 30 seconds from its seed corpus; a
# crash, leak or timeout fails the run and leaves its input in
# build-fuzz/fuzz/fuzz-artifacts/.
CC=clang-14 CXX=clang++-14 cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSUITE_FUZZ=ON
cmake --build build-fuzz --target fuzz_all -j"$(nproc)"
ctest --test-dir build-fuzz --output-on-failure -j"$(nproc)" -L fuzz
