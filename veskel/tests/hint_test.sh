#!/usr/bin/env bash
# The hints veskel writes after an error: each line of hints/cases.txt runs
# alone with -e and VESKEL_HINTS=1, and everything it writes on standard
# error, after a "> " line naming the case, must be hints/cases.err. Without
# the variable (standard error is no terminal here) or with it 0, only the
# message is written.
set -u
veskel=$1
dir=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$(dirname "$0")/expect.sh"
actual=$(while IFS= read -r case; do
  printf '> %s\n' "$case"
  VESKEL_HINTS=1 "$veskel" -e "$case" 2>&1 >/dev/null
done <"$dir/cases.txt")
if [ "$actual" = "$(cat "$dir/cases.err")" ]; then passed=$((passed + 1)); else
  echo "FAIL hints differ from $dir/cases.err:"; diff <(echo "$actual") "$dir/cases.err"; failures=$((failures + 1)); fi
unset VESKEL_HINTS
expect "no hint on a pipe" 1 "" "invalid float: forwrad at line 1" -- "$veskel" -e forwrad
expect "no hint when switched off" 1 "" "invalid float: forwrad at line 1" -- env VESKEL_HINTS=0 "$veskel" -e forwrad
# A line of an included file is not the script's: no guess from the wrong line.
cd "$work" || exit 1
printf '[ 50 fd ] =side\n' >inc.fs
expect "included line" 1 "" "Stack underflow at line 1 of inc.fs" -- env VESKEL_HINTS=1 "$veskel" -e "'inc.fs included [ ] ."
echo "$passed passed, $failures failed"
[ $failures = 0 ]
