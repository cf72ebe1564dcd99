#!/usr/bin/env bash
# The committed word reference must be what the word tables make now.
#   check_reference.sh MAKE_REFERENCE COMMITTED_FILE
set -u
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$1" markdown >"$work/reference.md" || exit 1
if ! diff -u "$2" "$work/reference.md"; then
  echo "$2 differs from what the word tables make (above: - committed, + made)."
  echo "Regenerate it with: cmake --build build --target reference"
  exit 1
fi
