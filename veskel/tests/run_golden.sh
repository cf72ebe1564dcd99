#!/usr/bin/env bash
# Runs one script through veskel and compares standard output, standard error
# and exit status with the files beside it:
#   NAME.fs      the script (run from its own folder)
#   NAME.out     expected standard output (required)
#   NAME.err     expected standard error (default: empty)
#   NAME.status  expected exit status (default: 0)
#   NAME.in      standard input (default: none)
set -u
veskel=$1
script=$2
dir=$(dirname "$script")
name=$(basename "$script" .fs)
cd "$dir" || exit 1

expected_status=0
[ -f "$name.status" ] && expected_status=$(cat "$name.status")
input=/dev/null
[ -f "$name.in" ] && input="$name.in"
expected_err=/dev/null
[ -f "$name.err" ] && expected_err="$name.err"

out=$(mktemp)
err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
"$veskel" "$name.fs" <"$input" >"$out" 2>"$err"
status=$?

ok=1
if ! diff -u "$name.out" "$out"; then echo "stdout differs"; ok=0; fi
if ! diff -u "$expected_err" "$err"; then echo "stderr differs"; ok=0; fi
if [ "$status" != "$expected_status" ]; then
  echo "exit status $status, expected $expected_status"
  ok=0
fi
[ $ok = 1 ]
