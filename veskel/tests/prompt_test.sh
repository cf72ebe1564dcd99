#!/usr/bin/env bash
# veskel's prompt in a real terminal (a private tmux server): Tab completes
# words, aliases and variables; the history outlives the session, capped at
# 1000 lines, and a history that cannot be saved does not stop the prompt;
# Control+C stops a running line.
set -u
veskel=$(realpath "$1")
work=$(mktemp -d)
sock="veskel-prompt-$$-$RANDOM"
failures=0
tm() { tmux -L "$sock" -f "$work/tmux.conf" "$@"; }
trap 'tm kill-server 2>/dev/null; rm -rf "$work"' EXIT
printf 'set -g remain-on-exit on\nset -g status off\n' >"$work/tmux.conf"

fail() {
  echo "FAIL: $1"
  tm capture-pane -p -S - -t "$session" 2>/dev/null | sed 's/^/  | /'
  failures=$((failures + 1))
}

# start NAME STATE_HOME [SHELL_COMMANDS]: a session of veskel with its own
# home folder, after the commands.
start() {
  session=$1
  tm new-session -d -s "$session" -x 100 -y 40 \
    "${3:-} exec env HOME=$work/home XDG_STATE_HOME=$2 INPUTRC=/dev/null $veskel"
  wait_for "End the session with Control+D." || fail "$session: no prompt"
}

# Waits up to ten seconds for the text on the screen or in its scrollback.
wait_for() {
  for _ in $(seq 100); do
    tm capture-pane -p -S - -t "$session" | grep -qF -- "$1" && return 0
    sleep 0.1
  done
  return 1
}

# Waits for a fresh prompt on the last line: readline then holds the
# terminal, so what is typed next goes to it and not to the line driver.
ready() {
  for _ in $(seq 100); do
    [ "$(tm capture-pane -p -t "$session" | grep -v '^$' | tail -n 1)" = ">" ] && return 0
    sleep 0.1
  done
  fail "$session: no fresh prompt"
}

type_text() { tm send-keys -t "$session" -l "$1"; }
key() { tm send-keys -t "$session" "$@"; }

# Ends the session with Control+D and waits until veskel has gone.
finish() {
  ready
  key C-d
  for _ in $(seq 100); do
    [ "$(tm display -p -t "$session" '#{pane_dead}')" = 1 ] && break
    sleep 0.1
  done
  [ "$(tm display -p -t "$session" '#{pane_dead}')" = 1 ] || fail "$session: still running after Control+D"
  tm kill-session -t "$session"
}

# enter KEYS... WANT: at a fresh prompt, types the texts and keys (a key
# name is written <Name>), then Enter, and waits for WANT.
enter() {
  local want=${*: -1}
  ready
  for part in "${@:1:$#-1}"; do
    if [[ $part == \<*\> ]]; then key "${part:1:-1}"; else type_text "$part"; fi
  done
  key Enter
  wait_for "$want" || fail "$session: after [${*:1:$#-1}] never saw [$want]"
}

mkdir -p "$work/home"
state="$work/state"
history="$state/veskel/history"

# Completion; the history file and its folders appear with the first line.
start first "$state"
enter "3 du" "<Tab>" ".s" "3.0 3.0"
ready; type_text "b"; key Tab Tab
wait_for "back        background  bg          bk          buffer" || fail "Tab Tab did not list words and aliases"
key C-u
enter "'swap @trade" " ok"
enter "1 2 tra" "<Tab>" ".s" "2.0 1.0"
enter "9 =length" " ok"
enter '$le' "<Tab>" "." "9  ok"
enter "5 =le" "<Tab>" " ok"
enter '$length .' "5  ok"
enter "42 ." "42  ok"
finish
printf '%s\n' "3 dup .s" "'swap @trade" "1 2 trade .s" "9 =length" '$length .' "5 =length " '$length .' "42 ." >"$work/want"
diff "$work/want" "$history" || fail "history file: the lines of the session, in order"
[ "$(stat -c %a "$state/veskel")" = 700 ] || fail "history folder not private: $(stat -c %a "$state/veskel")"

# The next session reads it back; the file keeps the newest 1000 lines.
seq -f '\ old line %g' 1200 | cat - "$history" >"$work/long" && mv "$work/long" "$history"
start second "$state"
ready; key Up
wait_for "> 42 ." || fail "Up did not recall the last line of the file"
key Enter
wait_for "42  ok" || fail "the recalled line did not run"
finish
[ "$(wc -l <"$history")" = 1000 ] || fail "history file has $(wc -l <"$history") lines, want 1000"
[ "$(tail -n 2 "$history")" = $'42 .\n42 .' ] || fail "history file does not end with the newest lines"

# A history that cannot be written (no file may grow) is noted once; the
# prompt goes on.
start unwritable "$work/state-2" "trap '' XFSZ; ulimit -f 0;"
enter "1 ." "1  ok"
enter "2 ." "2  ok"
notes=$(tm capture-pane -p -S - -t "$session" | grep -c "history of this session is kept in memory only")
[ "$notes" = 1 ] || fail "history failure noted $notes times, want once"
finish

# Control+C stops a running line and the prompt comes back.
start interrupt "$state"
ready; type_text "[ ] 1e15 times"; key Enter
pid=$(tm display -p -t "$session" '#{pane_pid}')
for _ in $(seq 100); do
  [ "$(cut -d' ' -f3 "/proc/$pid/stat" 2>/dev/null)" = R ] && break
  sleep 0.1
done
key C-c
wait_for "Interrupted" || fail "Control+C did not stop the running line"
enter "7 ." "7  ok"
finish

echo "$failures failed"
[ $failures = 0 ]
