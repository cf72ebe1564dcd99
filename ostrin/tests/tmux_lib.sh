# Helpers for driving ostrin inside a private tmux server. Source it with
# the ostrin binary as $1; the server and the scratch folder go at exit.
set -u
ostrin=$(realpath "$1")
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/../../testing/poll.sh"
work=$(mktemp -d)
sock="ostrin-test-$$-$RANDOM"

tm() { tmux -L "$sock" -f "$work/tmux.conf" "$@"; }
cleanup() { tm kill-server 2> /dev/null; rm -rf "$work"; }
trap cleanup EXIT

# The pane stays readable after ostrin ends; its terminal type is one
# every ncurses install knows.
cat > "$work/tmux.conf" <<'CONF'
set -g remain-on-exit on
set -g default-terminal screen
set -g status off
CONF

fail() {
  echo "FAIL: $*"
  echo "--- screen ---"; tm capture-pane -p -t t
  echo "--- bytes written to the terminal ---"; cat -v "$work/pane.log"; echo
  exit 1
}

# Runs ostrin with the given script files (relative to the screen folder) in
# an 80x24 pane, with the variables in $run_env (e.g. TERM=vt100) added.
# After it ends, its exit status and the terminal modes it left behind are
# written to the scratch folder.
run() {
  local files=""
  for f in "$@"; do files+=" $(printf '%q' "$here/screen/$f")"; done
  tm new-session -d -s t -x 80 -y 24 \
    "ulimit -c 0; env -u LINES -u COLUMNS LC_ALL=C.UTF-8 ${run_env:-} $(printf '%q' "$ostrin")$files; echo \$? > $work/status; stty -a > $work/stty; echo ostrin-finished"
  tm pipe-pane -t t -o "cat > $work/pane.log"
}

screen() { tm capture-pane -p -t t "$@"; }

# Waits for the text to show on the screen or in the lines scrolled off it.
shows() { screen -S - | grep -qF -- "$1"; }
wait_for() {
  poll_until "the screen to show: $1" shows "$1" || fail "never saw: $1"
}

keys() { tm send-keys -t t "$@"; }

# Waits for ostrin to end and checks its exit status.
expect_exit() {
  wait_for ostrin-finished
  local got; got=$(cat "$work/status")
  [ "$got" = "$1" ] || fail "exit status $got, expected $1"
}

# The terminal must be back in its normal line mode with echo.
expect_sane_terminal() {
  grep -qE '(^| )icanon( |$)' "$work/stty" || fail "terminal left without icanon: $(cat "$work/stty")"
  grep -qE '(^| )echo( |$)' "$work/stty" || fail "terminal left without echo: $(cat "$work/stty")"
}
