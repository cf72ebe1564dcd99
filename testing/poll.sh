# The one bounded wait of the shell tests (poll.h is the C++ one): runs a
# command again and again until it succeeds, or gives up after a fixed time
# and says what it waited for and what the command printed last.
# Usage: source this file, then  poll_until "what is awaited" command args...
# No test sleeps a fixed time anywhere else.

# Every wait gives up after this many seconds (poll.h's kTimeout). A wait
# ends as soon as its state is seen, so only a failing one costs this much.
poll_timeout=20

poll_until() {
  local what=$1 seen
  shift
  local deadline=$((SECONDS + poll_timeout))
  while :; do
    seen=$("$@" 2>&1) && return 0
    if [ "$SECONDS" -ge "$deadline" ]; then
      echo "waited ${poll_timeout} s for ${what}${seen:+; last saw:}"
      [ -n "$seen" ] && printf '%s\n' "$seen"
      return 1
    fi
    sleep 0.01
  done
}
