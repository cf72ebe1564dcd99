#!/bin/sh
# An error escaping an event handler: the alert box titled "Error" appears,
# and once it is dismissed the process writes the line and ends with 0.
# Usage (under an X server): unhandled_error_test.sh <probe> [screenshot.png]
probe=$1
# No accessibility bus on the test server.
export NO_AT_BRIDGE=1
out=$(mktemp)
"$probe" >"$out" 2>/dev/null &
pid=$!
found=
for i in $(seq 100); do
  if xdotool search --onlyvisible --name '^Error$' >/dev/null 2>&1; then found=yes; break; fi
  sleep 0.1
done
if [ -z "$found" ]; then echo "no alert titled Error appeared"; kill $pid; rm -f "$out"; exit 1; fi
sleep 0.5
[ -n "$2" ] && import -window root "$2"
for i in $(seq 20); do
  xdotool search --onlyvisible --name '^Error$' windowfocus --sync key Return >/dev/null 2>&1
  kill -0 $pid 2>/dev/null || break
  sleep 0.5
done
wait $pid
status=$?
expected=$(printf 'Error: unhandled exception: the handler failed\n\nNo stack traceback available\n\n')
actual=$(cat "$out")
rm -f "$out"
if [ "$status" -ne 0 ]; then echo "exit status $status, expected 0"; exit 1; fi
if [ "$actual" != "$expected" ]; then printf 'stdout was:\n%s\n' "$actual"; exit 1; fi
echo "1 passed, 0 failed"
