#!/usr/bin/env bash
# Plays a few turns in a real terminal (a tmux pane) and checks that the
# terminal is raw only while a key is awaited: output after every key starts
# at column 0 (so output processing was back on), the settings after the
# program ends, normally or by SIGTERM, equal those before it started, and a
# stop and fg in the middle of a key read leave that read raw.
set -u
program=$(realpath "$1")
socket="verdigrove-test-$$-$RANDOM"
scratch=$(mktemp -d)
failures=0
tmx() { tmux -L "$socket" -f /dev/null "$@"; }
source "$(dirname "$0")/../../testing/poll.sh"
cleanup() { tmx kill-server 2>/dev/null; rm -rf "$scratch"; }
trap cleanup EXIT

check() {
    if [ "$2" -ne 0 ]; then
        echo "FAIL: $1"
        failures=$((failures + 1))
        tmx capture-pane -p -t game 2>/dev/null | sed 's/^/  | /'
    else
        echo "ok: $1"
    fi
}

screen() { tmx capture-pane -p -t game; }

# Waits for a line matching the pattern on the pane.
pane_matches() { screen | grep -qE "$1"; }
wait_for() { poll_until "a line matching $1" pane_matches "$1"; }

# The settings of the pane's terminal, seen from outside.
settings() { stty -g -F "$tty"; }

# Waits until the program holds the terminal in raw mode, awaiting a key.
raw_mode() { stty -a -F "$tty" | grep -q -- '-icanon'; }
wait_raw() { poll_until "the terminal in raw mode" raw_mode; }

key() { tmx send-keys -t game "$@"; }

tmx new-session -d -s game -x 100 -y 60 "bash --norc --noprofile --noediting"
tty=$(tmx display -p -t game '#{pane_tty}')
wait_for '\$ ?$|#' >/dev/null || true
before=$(settings)

tmx send-keys -t game -l "$program; echo EXIT=\$?"
key Enter
wait_for '^5\) Quit' && wait_raw; check "title screen awaits a key in raw mode" $?

key 1
wait_for '^2\) Get some rest' && wait_raw; check "play: the first turn's menu starts at column 0" $?
key 1
wait_for '^\(press any key\)' && wait_raw; check "march: the outcome and prompt start at column 0" $?
screen | grep -q '^> 1$'; check "the key is echoed after the prompt" $?
screen | grep -q '^You advance quickly for now\.\.\.$'; check "march outcome on its own line" $?

key k
wait_for 'Time: 1h\.' && wait_raw; check "next turn drawn" $?

# Whatever the second turn brings, Escape in its menu interrupts the game.
key Escape
wait_for '^Game interrupted\.$' && wait_raw; check "escape interrupts the game" $?

key k
wait_for '^5\) Quit' && wait_raw; check "back on the title screen" $?
key 2
wait_for 'Time: 1h\.' && wait_raw; check "resume continues after the first hour" $?
key Escape
wait_for '^Game interrupted\.$' && wait_raw; check "escape interrupts the resumed game" $?

key k
wait_for '^5\) Quit' && wait_raw; check "back on the title screen again" $?
key 5
wait_for '^EXIT=0$'; check "quit ends with status 0" $?
[ "$(settings)" = "$before" ]; check "terminal settings restored after quitting" $?

# SIGTERM while the program awaits a key in raw mode.
tmx send-keys -t game -l "clear; $program; echo EXIT=\$?"
key Enter
wait_for '^5\) Quit' && wait_raw; check "second run awaits a key in raw mode" $?
shell=$(tmx display -p -t game '#{pane_pid}')
pid=$(ps -o pid= --ppid "$shell" | tr -d ' ')
[ -n "$pid" ] && kill -TERM "$pid"
wait_for '^EXIT=143$'; check "SIGTERM ends the program" $?
[ "$(settings)" = "$before" ]; check "terminal settings restored after SIGTERM" $?

# Stopped while it awaits a key, then brought back with fg: the key read
# goes on in raw mode, so the next key is taken at once, without Enter.
tmx send-keys -t game -l "clear; $program; echo EXIT=\$?"
key Enter
wait_for '^5\) Quit' && wait_raw; check "third run awaits a key in raw mode" $?
pid=$(ps -o pid= --ppid "$shell" | tr -d ' ')
[ -n "$pid" ] && kill -TSTP "$pid"
wait_for 'Stopped'; check "SIGTSTP stops the program" $?
[ "$(settings)" = "$before" ]; check "the stopped program leaves the terminal as it was" $?
# The shell goes on with the line after the stop; fg reports the exit status.
tmx send-keys -t game -l "clear; fg; echo EXIT=\$?"
key Enter
wait_raw; check "fg: the key read is raw again" $?
key 4
wait_for '^How to play$'; check "fg: a key is taken without Enter" $?
key k
wait_for '^5\) Quit' && wait_raw; check "back on the title screen after the help" $?
key 5
wait_for '^EXIT=0$'; check "quit after a stop ends with status 0" $?
[ "$(settings)" = "$before" ]; check "terminal settings restored after a stop and resume" $?

[ "$failures" -eq 0 ]
