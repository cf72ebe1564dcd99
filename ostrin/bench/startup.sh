#!/usr/bin/env bash
# Start-up and exit time for an empty script: ostrin against Debian's duk
# and node running the same file (each only if installed).
# Usage: startup.sh path/to/ostrin [runs]
set -eu
ostrin=$1
runs=${2:-200}
empty=$(mktemp --suffix=.js)
trap 'rm -f "$empty"' EXIT

# Wall-clock and CPU (user + system) time per run. CPU time is the steadier
# figure on a machine that is busy with other work.
measure() {
  local name=$1; shift
  command -v "$1" > /dev/null || { echo "$name: not installed"; return; }
  local TIMEFORMAT="%R %U %S" t
  t=$( { time (for _ in $(seq "$runs"); do "$@" "$empty" > /dev/null; done) ; } 2>&1 )
  read -r real user sys <<< "$t"
  awk -v n="$name" -v r="$real" -v u="$user" -v s="$sys" -v k="$runs" \
    'BEGIN { printf "%-28s wall %6.2f ms  cpu %6.2f ms per run (%d runs)\n", n ":", r * 1000 / k, (u + s) * 1000 / k, k }'
}

measure "/bin/true (process start)" /bin/true
measure ostrin "$ostrin"
measure duk duk
measure node node
