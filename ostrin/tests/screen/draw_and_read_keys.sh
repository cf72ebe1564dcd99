# A script draws on the screen an earlier one opened, reads plain and
# special keys, and ends the screen cleanly.
source "$(dirname "$0")/../tmux_lib.sh" "$1"
run open.js draw.js
wait_for "hello from ostrin bold"
wait_for "size 24x80 max 24x80"
wait_for "café €5"
screen -e | grep -qF $'\e[1m bold' || fail "bold text not drawn in bold"
keys q
wait_for "key 113"
keys Up
wait_for "key 259 up true"
keys x
expect_exit 0
expect_sane_terminal
echo ok
