#!/usr/bin/env bash
# Control+C at veskel's prompt ends whatever the line waits for or does: a
# FIFO with no writer yet, a writer that stays silent, accept with nobody
# typing, a long line of text words. Each stop is timed from the key to the
# report, and must come within 100 ms.
set -u
veskel=$(realpath "$1")
work=$(mktemp -d)
sock="veskel-stop-$$-$RANDOM"
tm() { tmux -L "$sock" -f "$work/tmux.conf" "$@"; }
trap 'exec 3>&-; tm kill-server 2>/dev/null; rm -rf "$work"' EXIT
source "$(dirname "$0")/expect.sh"
printf 'set -g remain-on-exit on\nset -g status off\n' >"$work/tmux.conf"
session=stop
limit_ms=100

screen() { tm capture-pane -p -S - -t "$session"; }
# A fresh prompt on the last line (after a stop the terminal has echoed ^C
# before it; "..." while a text is still open).
at_prompt() { tm capture-pane -p -t "$session" | grep -v '^$' | tail -n 1 | grep -qxE '(\^C)?(>|\.\.\.)'; }
pid() { tm display -p -t "$session" '#{pane_pid}'; }
# The line waits for input: veskel sits in poll(2) (system call 7), not in
# readline's own wait.
waits() { [ "$(cut -d' ' -f1 "/proc/$(pid)/syscall" 2>/dev/null)" = 7 ]; }
busy() { [ "$(cut -d' ' -f3 "/proc/$(pid)/stat" 2>/dev/null)" = R ]; }
reports() { [ "$(grep -c "^$1\$" "$work/err")" -ge "$2" ]; }
now_ms() { echo $(($(date +%s%N) / 1000000)); }

mkdir -p "$work/home"
tm new-session -d -s "$session" -x 100 -y 40 \
  "cd $work && exec env HOME=$work/home XDG_STATE_HOME=$work/state INPUTRC=/dev/null $veskel 2>$work/err"
poll_until "a prompt" at_prompt

mkfifo "$work/nowriter" "$work/silent"
exec 3<>"$work/silent"  # a writer that stays open and writes nothing
# Twenty such lines, so that the run is still going when Control+C comes
# on a busy machine (one line takes about 0.1 s).
python3 -c "print(('( '*200000 + ' )'*200000 + '\\n')*20, end='')" >"$work/parens.fs"

stops=0
# stop NAME LINE STATE: types LINE, waits for STATE, then Control+C; the
# report must be "Interrupted", within the limit.
stop() {
  poll_until "a prompt" at_prompt
  tm send-keys -t "$session" -l "$2"
  tm send-keys -t "$session" Enter
  poll_until "$1: veskel to reach the wait" "$3"
  local start
  start=$(now_ms)
  tm send-keys -t "$session" C-c
  poll_until "$1: Interrupted" reports Interrupted $((stops + 1))
  local took=$(($(now_ms) - start))
  stops=$((stops + 1))
  echo "$1: stopped after $took ms"
  check "$1 stops within $limit_ms ms" "$([ $took -le $limit_ms ]; echo $?)" "took $took ms; $(cat "$work/err")"
}

stop "a FIFO without a writer" "'nowriter included" waits
stop "a FIFO whose writer stays silent" "'silent included" waits
stop "accept" "accept" waits
stop "a line of 200000 ( and ) pairs" "'parens.fs included" busy
check "nothing says EOF or cannot open" "$(! grep -q "EOF reached\|cannot open" "$work/err"; echo $?)" "$(cat "$work/err")"

# The session goes on; the stopped line left its text open, as any error
# in the middle of it would.
poll_until "a prompt" at_prompt
tm send-keys -t "$session" -l ") 7 ."
tm send-keys -t "$session" Enter
poll_until "7 ok" sh -c "tmux -L $sock capture-pane -p -t $session | grep -qF '7  ok'"
check "the prompt works after the stops" $? "$(screen)"

echo "$passed passed, $failures failed"
[ $failures = 0 ]
