#!/usr/bin/env bash
# Set-up and build of the programs, then starts the main program. A build/
# configured here for the first time leaves out the tests and benchmarks
# (bash scripts/test.sh adds them).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh programs
cmake --build build -j"$(nproc)"
if [ -x build/pintaro/app/pintaro ]; then
  exec build/pintaro/app/pintaro
fi
exec build/veskel/veskel
