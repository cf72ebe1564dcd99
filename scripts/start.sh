#!/usr/bin/env bash
# Set-up, build, then start the main program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
if [ -x build/pintaro/app/pintaro ]; then
  exec build/pintaro/app/pintaro
fi
exec build/veskel/veskel
