# An error nobody catches while the screen is open: the terminal is given
# back in its normal mode first, so the message lands on the normal screen.
source "$(dirname "$0")/../tmux_lib.sh" "$1"
run fatal.js
wait_for "screen is open"
keys z
expect_exit 134
expect_sane_terminal
wait_for "Fatal error; uncaught: 'boom while drawing'"
screen | grep -qF "screen is open" && fail "the curses screen is still showing"
echo ok
