# getch returns KEY_RESIZE when the terminal changes size, with LINES and
# COLS already updated.
source "$(dirname "$0")/../tmux_lib.sh" "$1"
run resize.js
wait_for "waiting for a resize"
tm resize-window -t t -x 60 -y 20
wait_for "resized 20x60 20x60"
keys q
expect_exit 0
echo ok
