#!/usr/bin/env bash
# An error escaping an event handler: the alert box titled "Error" appears,
# and once it is dismissed the process writes the line and ends with 0.
# Usage (under an X server): unhandled_error_test.sh <probe> [screenshot.png]
source "$(dirname "$0")/../../../testing/poll.sh"
probe=$1
# No accessibility bus on the test server.
export NO_AT_BRIDGE=1
out=$(mktemp)
"$probe" >"$out" 2>/dev/null &
pid=$!
give_up() { kill $pid 2>/dev/null; rm -f "$out"; exit 1; }

alert_shows() { xdotool search --onlyvisible --name '^Error$'; }
poll_until "an alert titled Error" alert_shows || give_up
[ -n "$2" ] && import -window root "$2"
xdotool search --onlyvisible --name '^Error$' windowfocus --sync key Return >/dev/null 2>&1
probe_ended() { ! kill -0 $pid 2>/dev/null; }
poll_until "the probe to end once the alert is dismissed" probe_ended || give_up

wait $pid
status=$?
expected=$(printf 'Error: unhandled exception: the handler failed\n\nNo stack traceback available\n\n')
actual=$(cat "$out")
rm -f "$out"
if [ "$status" -ne 0 ]; then echo "exit status $status, expected 0"; exit 1; fi
if [ "$actual" != "$expected" ]; then printf 'stdout was:\n%s\n' "$actual"; exit 1; fi
echo "1 passed, 0 failed"
