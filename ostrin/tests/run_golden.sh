#!/usr/bin/env bash
# Runs one golden script through ostrin and compares standard output,
# standard error and exit status with the expectations written in the
# script's own header comments:
#   // args: lib/check.js SELF    command line (SELF is the script; default SELF)
#   // env: TERM=xterm            environment (TERM is unset unless given)
#   // stdout: text              one expected line of standard output
#   // stderr: text              one expected line of standard error
#   // status: 0 | abort          expected exit status (default 0)
#   // ulimit: -s 256             a resource limit for the run (one per line)
# Paths are relative to the script's folder, which is the working directory.
set -u
ostrin=$1
script=$2
cd "$(dirname "$script")" || exit 2
self=$(basename "$script")

header() { sed -n "s|^// $1: \{0,1\}||p" "$self"; }

args=(); have_args=0
if grep -q '^// args:' "$self"; then
  have_args=1
  read -r -a args <<< "$(header args)"
fi
[ "$have_args" = 1 ] || args=(SELF)
for i in "${!args[@]}"; do [ "${args[$i]}" = SELF ] && args[$i]=$self; done

envs=(-u TERM)
while IFS= read -r e; do [ -n "$e" ] && envs+=("$e"); done < <(header env)

want_status=$(header status); want_status=${want_status:-0}
[ "$want_status" = abort ] && want_status=134

out=$(mktemp); err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
# No core files from the scripts that end in the fatal handler.
ulimit -c 0
limits=()
while IFS= read -r l; do [ -n "$l" ] && limits+=("$l"); done < <(header ulimit)
(
  for l in "${limits[@]}"; do ulimit $l || exit 2; done
  exec env "${envs[@]}" "$ostrin" "${args[@]}"
) > "$out" 2> "$err" < /dev/null
status=$?

fail=0
if ! diff -u <(header stdout) "$out" > /dev/null; then
  echo "standard output differs:"; diff -u <(header stdout) "$out"; fail=1
fi
if ! diff -u <(header stderr) "$err" > /dev/null; then
  echo "standard error differs:"; diff -u <(header stderr) "$err"; fail=1
fi
if [ "$status" != "$want_status" ]; then
  echo "exit status $status, expected $want_status"; fail=1
fi
exit $fail
