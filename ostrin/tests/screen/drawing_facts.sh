# Colours, attributes, truncated and clipped text, scrolling; the host
# restores the terminal for a script that never calls endwin.
source "$(dirname "$0")/../tmux_lib.sh" "$1"
run facts.js
wait_for "RESULT"
screen | grep -qF "RESULT ok" || fail "some facts do not hold"
screen -e | grep -qF $'\e[31mred text' || fail "red text not red"
screen -e | grep -qF $'\e[7mreverse text' || fail "reverse text not reversed"
screen | grep -qE '^abc( |$)' || fail "mvaddnstr did not stop after 3 characters"
screen | grep -qE '^uv( |$)' || fail "addnstr did not stop after 2 characters"
screen | grep -qE '^@' || fail "move() did not go to the top-left corner"
keys q
expect_exit 0
expect_sane_terminal
echo ok
