#!/usr/bin/env bash
# Runs one script and compares what it printed, its exit status and the
# picture it drew with the files beside it:
#   NAME.fs      the script (run from its own folder)
#   NAME.out     expected standard output (default: empty)
#   NAME.err     expected standard error (default: empty)
#   NAME.status  expected exit status (default: 0)
#   NAME.in      standard input (default: none)
#   NAME.png     expected picture: the run saves its image with -o and
#                PROBE (image_probe) compares the two pixel by pixel
#   NAME.args    options for PROGRAM before the script, replacing the
#                OPTIONs given here (split at white space)
#
#   run_golden.sh PROGRAM SCRIPT [PROBE [OPTION...]]
#
# PROGRAM is veskel, or anything that takes "[OPTION...] FILE -o PATH" the
# same way. A picture that differs is kept as NAME.actual.png in the folder
# the test started in. With UPDATE_GOLDEN=1 the results of the run become
# the expected files instead (an empty output, an empty error and status 0
# stay implicit), so a changed script is re-recorded with ctest.
set -u
program=$1
script=$2
probe=${3:-}
shift 2
[ $# -gt 0 ] && shift
options=("$@")
started_in=$PWD
dir=$(dirname "$script")
name=$(basename "$script" .fs)
cd "$dir" || exit 1

if [ -f "$name.args" ]; then
  read -r -a options <"$name.args"
fi
expected_status=0
[ -f "$name.status" ] && expected_status=$(cat "$name.status")
input=/dev/null
[ -f "$name.in" ] && input="$name.in"
expected_out=/dev/null
[ -f "$name.out" ] && expected_out="$name.out"
expected_err=/dev/null
[ -f "$name.err" ] && expected_err="$name.err"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
save=()
[ -n "$probe" ] && save=(-o "$work/picture.png")
"$program" "${options[@]}" "$name.fs" "${save[@]}" <"$input" >"$work/out" 2>"$work/err"
status=$?

if [ "${UPDATE_GOLDEN:-}" = 1 ]; then
  if [ -s "$work/out" ] || [ -f "$name.out" ]; then cp "$work/out" "$name.out"; fi
  if [ -s "$work/err" ]; then cp "$work/err" "$name.err"; else rm -f "$name.err"; fi
  if [ "$status" != 0 ]; then echo "$status" >"$name.status"; else rm -f "$name.status"; fi
  if [ -f "$work/picture.png" ]; then
    # Recompressed (often to grey or a palette) to keep the repository
    # light, and kept only when every pixel is still the same.
    if command -v convert >/dev/null &&
       convert "$work/picture.png" -strip -define png:compression-level=9 "$work/small.png" &&
       "$probe" "$work/small.png" same "$work/picture.png" >/dev/null; then
      mv "$work/small.png" "$work/picture.png"
    fi
    cp "$work/picture.png" "$name.png"
  else
    rm -f "$name.png"
  fi
  echo "recorded $dir/$name"
  exit 0
fi

ok=1
if ! diff -u "$expected_out" "$work/out"; then echo "stdout differs"; ok=0; fi
if ! diff -u "$expected_err" "$work/err"; then echo "stderr differs"; ok=0; fi
if [ "$status" != "$expected_status" ]; then
  echo "exit status $status, expected $expected_status"
  ok=0
fi
if [ -f "$name.png" ]; then
  if [ ! -f "$work/picture.png" ]; then
    echo "no picture was saved, expected one like $name.png"
    ok=0
  elif ! "$probe" "$work/picture.png" same "$name.png" >"$work/probe"; then
    echo "picture differs from $name.png: $(tail -n 1 "$work/probe")"
    cp "$work/picture.png" "$started_in/$name.actual.png"
    echo "the picture drawn is in $started_in/$name.actual.png"
    ok=0
  fi
elif [ -f "$work/picture.png" ] && [ -n "$probe" ]; then
  echo "a picture was saved, but there is no $name.png to compare it with"
  ok=0
fi
[ $ok = 1 ]
