#!/usr/bin/env bash
# Set-up, the whole build, then every test, in stages: the normal build and
# its tests, the install tests, the unit tests again under AddressSanitizer
# and UndefinedBehaviorSanitizer, and a short run of every fuzz target in a
# clang build of its own. Every stage runs even when an earlier one failed,
# so that one failure does not hide the others; the run ends with one line
# per stage and fails when any stage failed.
set -uo pipefail
cd "$(dirname "$0")/.." || exit
jobs=$(nproc)
# A test that hangs is stopped after this many seconds (tests that need longer
# set their own TIMEOUT), so that one hang cannot hold the whole run for
# ctest's default of 25 minutes.
timeout=600

names=()
results=()
stage() {
  local name=$1 start=$SECONDS
  shift
  echo "=== $name"
  if "$@"; then results+=("passed"); else results+=("failed"); fi
  names+=("$name")
  results[-1]+=" ($((SECONDS - start)) s)"
}

build_all() {
  bash scripts/setup.sh tests && cmake --build build -j"$jobs"
}
run_tests() {
  ctest --test-dir build --output-on-failure --timeout "$timeout" -j"$jobs" -LE install
}
install_tests() {
  ctest --test-dir build --output-on-failure --timeout "$timeout" -j"$jobs" -L install
}
sanitizer_tests() {
  cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DSUITE_SANITIZE=ON &&
    cmake --build build-sanitize -j"$jobs" &&
    # GTK's libraries keep some allocations for the life of the process; the
    # suppressions name only those libraries, so our own leaks still fail.
    LSAN_OPTIONS=suppressions="$PWD/scripts/lsan.supp" UBSAN_OPTIONS=print_stacktrace=1 \
      ctest --test-dir build-sanitize --output-on-failure --timeout "$timeout" -j"$jobs" -L unit
}
# Each libFuzzer target of fuzz/ for 30 seconds from its seed corpus; a
# crash, leak or timeout fails the run and leaves its input in
# build-fuzz/fuzz/fuzz-artifacts/.
fuzz_smoke() {
  CC=clang-14 CXX=clang++-14 cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSUITE_FUZZ=ON &&
    cmake --build build-fuzz --target fuzz_all -j"$jobs" &&
    ctest --test-dir build-fuzz --output-on-failure --timeout "$timeout" -j"$jobs" -L fuzz
}

stage "build" build_all
stage "tests" run_tests
stage "install" install_tests
stage "sanitizers" sanitizer_tests
stage "fuzz smoke" fuzz_smoke

echo
failed=0
for i in "${!names[@]}"; do
  echo "${names[$i]}: ${results[$i]}"
  [[ "${results[$i]}" == failed* ]] && failed=1
done
exit $failed
