# timeout, nodelay, halfdelay, napms, curs_set, the cursor position,
# clrtoeol, clrtobot, beep, flash, COLOR_PAIR and flushinp on a terminal.
source "$(dirname "$0")/../tmux_lib.sh" "$1"
run waiting.js
wait_for "type ahead"
screen | grep -qF "RESULT ok" || fail "some facts do not hold"
screen | grep -qE '^abc( |$)' || fail "clrtoeol left the end of the line"
screen | grep -qE '^be( |$)' || fail "clrtobot left the end of the line"
screen | grep -qF "and more" && fail "clrtobot left the lines below"
screen -e | grep -qE $'\e\\[31m(\e\\[40m)?pair one' || fail "COLOR_PAIR(1) not drawn red"
# One write: the script reads the first key, the rest is type-ahead.
keys gab
wait_for "after flushinp: -1"
keys q
expect_exit 0
expect_sane_terminal
echo ok
