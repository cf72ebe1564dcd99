#!/usr/bin/env bash
# The committed word reference, and the generated regions of the other
# files (generated_lists.h), must be what the tables make now. With --write
# they are made so instead (the target `reference`).
#   check_reference.sh [--write] MAKE_REFERENCE REFERENCE_MD [FILE...]
set -u
write=false
if [ "${1-}" = --write ]; then write=true; shift; fi
make_reference=$1 reference_md=$2
shift 2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
stale=0
# made WHAT FILE: what the tables make of FILE, compared with it or written
# over it (in place, so the file keeps its mode).
made() {
  if [ "$1" = markdown ]; then "$make_reference" markdown; else "$make_reference" regions "$2"; fi >"$work/made" || exit 1
  if $write; then
    cmp -s "$work/made" "$2" || cat "$work/made" >"$2" || exit 1
  elif ! diff -u "$2" "$work/made"; then
    echo "$2 differs from what the tables make (above: - committed, + made)."
    stale=1
  fi
}
made markdown "$reference_md"
for file in "$@"; do made regions "$file"; done
if [ $stale = 1 ]; then
  echo "Regenerate with: cmake --build build --target reference"
  exit 1
fi
