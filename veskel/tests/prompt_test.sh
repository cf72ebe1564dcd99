#!/usr/bin/env bash
# veskel's prompt in a real terminal (a private tmux server): Tab completes
# words, aliases and variables; the history outlives the session, capped at
# 1000 lines, and a history that cannot be saved does not stop the prompt;
# Control+C stops a running line.
set -u
veskel=$(realpath "$1")
work=$(mktemp -d)
sock="veskel-prompt-$$-$RANDOM"
tm() { tmux -L "$sock" -f "$work/tmux.conf" "$@"; }
trap 'tm kill-server 2>/dev/null; rm -rf "$work"' EXIT
source "$(dirname "$0")/expect.sh"
# The server outlives each session: a new session sent to a server that was
# exiting because the last one ended failed with "server exited unexpectedly".
printf 'set -g remain-on-exit on\nset -g status off\nset -g exit-empty off\n' >"$work/tmux.conf"

screen() { tm capture-pane -p -S - -t "$session"; }
shows() { screen | grep -qF -- "$1"; }
# The same for a text that may wrap: lines the terminal wrapped are joined.
shows_long() { tm capture-pane -p -J -S - -t "$session" | grep -qF -- "$1"; }
# A fresh prompt on the last line: readline then holds the terminal, so what
# is typed next goes to it and not to the line driver.
at_prompt() { [ "$(tm capture-pane -p -t "$session" | grep -v '^$' | tail -n 1)" = ">" ]; }
gone() { [ "$(tm display -p -t "$session" '#{pane_dead}')" = 1 ]; }
running() { [ "$(cut -d' ' -f3 "/proc/$1/stat" 2>/dev/null)" = R ]; }

# Counts a result; a failure shows the screen.
result() {
  local ok=$2
  [ "$ok" = 0 ] || screen | sed 's/^/  | /'
  check "$session: $1" "$ok" "see the screen above"
}

# start NAME STATE_HOME [SHELL_COMMANDS [OPTIONS]]: a session of veskel with
# its own home folder, after the commands.
start() {
  session=$1
  tm new-session -d -s "$session" -x 100 -y 40 \
    "${3:-} exec env HOME=$work/home XDG_STATE_HOME=$2 INPUTRC=/dev/null $veskel ${4:-}"
  poll_until "a prompt" at_prompt || result "a prompt" 1
}

type_text() { tm send-keys -t "$session" -l "$1"; }
key() { tm send-keys -t "$session" "$@"; }

# enter PART... WANT: at a fresh prompt, types the parts (a key name written
# <Name>), then Enter, and waits for WANT.
enter() {
  local want=${*: -1}
  poll_until "a prompt" at_prompt
  for part in "${@:1:$#-1}"; do
    if [[ $part == \<*\> ]]; then key "${part:1:-1}"; else type_text "$part"; fi
  done
  key Enter
  poll_until "the screen to show: $want" shows "$want"
  result "[${*:1:$#-1}] shows [$want]" $?
}

# Ends the session with Control+D and waits until veskel has gone.
finish() {
  poll_until "a prompt" at_prompt
  key C-d
  poll_until "veskel to end" gone
  result "Control+D ends the session" $?
  tm kill-session -t "$session"
}

mkdir -p "$work/home"
state="$work/state"
history="$state/veskel/history"

# Completion; the history file and its folders appear with the first line.
start first "$state"
enter "3 du" "<Tab>" ".s" "3.0 3.0"
poll_until "a prompt" at_prompt && type_text "b" && key Tab Tab
poll_until "the list of words" shows "back        background  bg          bk          buffer"
result "Tab Tab lists words and aliases together" $?
key C-u
enter "'swap @trade" " ok"
enter "1 2 tra" "<Tab>" ".s" "2.0 1.0"
enter "9 =length" " ok"
enter '$le' "<Tab>" "." "9  ok"
enter "5 =le" "<Tab>" " ok"
enter '$length .' "5  ok"
enter "42 ." "42  ok"
finish
printf '%s\n' "3 dup .s" "'swap @trade" "1 2 trade .s" "9 =length" '$length .' "5 =length " '$length .' "42 ." |
  diff - "$history"
check "the history file holds the session's lines in order" $? "(diff above)"
[ "$(stat -c %a "$state/veskel")" = 700 ]
check "the history folder is private" $? "mode $(stat -c %a "$state/veskel")"

# The next session reads it back; the file keeps the newest 1000 lines.
seq -f '\ old line %g' 1200 | cat - "$history" >"$work/long" && mv "$work/long" "$history"
start second "$state"
key Up
poll_until "the recalled line" shows "> 42 ."
result "Up recalls the last line of the file" $?
key Enter
poll_until "42 printed" shows "42  ok"
result "the recalled line runs" $?
finish
[ "$(wc -l <"$history")" = 1000 ] && [ "$(tail -n 2 "$history")" = $'42 .\n42 .' ]
check "the history file keeps the newest 1000 lines" $? "$(wc -l <"$history") lines, ending [$(tail -n 2 "$history")]"

# A history that cannot be written (no file may grow) is noted once; the
# prompt goes on.
start unwritable "$work/state-2" "trap '' XFSZ; ulimit -f 0;"
enter "1 ." "1  ok"
enter "2 ." "2  ok"
notes=$(screen | grep -c "history of this session is kept in memory only")
[ "$notes" = 1 ]
result "a history that cannot be written is noted once (noted $notes times)" $?
finish

# A folder where the history file should be is named as such.
mkdir -p "$work/state-3/veskel/history"
start folder "$work/state-3"
poll_until "the note" shows_long "state-3/veskel/history: Is a directory"
result "a history that is a folder is named as one" $?
enter "1 ." "1  ok"
finish

# The words other Forths leave with get the error and how to leave; Control+C
# inside an unfinished definition says what it drops, and the prompt is the
# first one again.
start hints "$state" "" "-o $work/hints.png"
enter "bye" "invalid float: bye"
leave_hints() { [ "$(screen | grep -c "End the session with Control+D.")" = "$1" ]; }
poll_until "the hint beside the banner's" leave_hints 2
result "bye: the error, then how to leave" $?
enter "quit" "invalid float: quit"
poll_until "the hint for quit" leave_hints 3
result "quit: the error, then how to leave" $?
at_more() { [ "$(tm capture-pane -p -t "$session" | grep -v '^$' | tail -n 1)" = "..." ]; }
type_text ":square 4 fd"
key Enter
poll_until "the continuation prompt" at_more
type_text "90 rt"
key Enter
poll_until "the continuation prompt" at_more
type_text "half a li"
key C-c
poll_until "the drop named" shows "unclosed :square dropped with Control+C (no ; was typed)"
result "Control+C names the dropped definition" $?
enter "3 ." "3  ok"
enter "square" "invalid float: square"
finish
# The dropped definition's lines stay in the picture's script as comments.
printf '%s\n' "\\ Drawing started from the start image: 640 x 400 pixels, black." bye quit \
  "\\ Dropped with Control+C: :square 4 fd" "\\ Dropped with Control+C: 90 rt" "3 ." square |
  diff - <("$veskel" --script-of "$work/hints.png")
check "the script keeps a dropped construct as comments" $? "(diff above)"

# Control+C stops a running line and the prompt comes back.
start interrupt "$state"
type_text "[ ] 1e15 times"
key Enter
poll_until "veskel to run the line" running "$(tm display -p -t "$session" '#{pane_pid}')"
key C-c
poll_until "Interrupted" shows "Interrupted"
result "Control+C stops the running line" $?
enter "7 ." "7  ok"
finish

echo "$passed passed, $failures failed"
[ $failures = 0 ]
