#!/usr/bin/env bash
# The examples on any terminal size, down to a single cell, with standard
# input at its end: each must draw what fits and end by itself (getch gives
# ERR for ever once input has ended), with status 0 and nothing on stderr.
set -u
ostrin=$1
examples=$2
err=$(mktemp)
trap 'rm -f "$err"' EXIT
ulimit -c 0
fail=0
for size in "1 1" "2 3" "3 12" "24 80"; do
  read -r lines cols <<< "$size"
  for path in "$examples"/*.js; do
    script=$(basename "$path" .js)
    # curses takes LINES and COLUMNS over the terminal's own size.
    env TERM=xterm LINES="$lines" COLUMNS="$cols" timeout 10 \
      "$ostrin" "$examples/$script.js" < /dev/null > /dev/null 2> "$err"
    status=$?
    if [ "$status" != 0 ] || [ -s "$err" ]; then
      echo "FAIL: $script.js on ${lines}x$cols: status $status $(cat "$err")"
      fail=1
    fi
  done
done
[ "$fail" = 0 ] && echo ok
exit $fail
