# Every signal that ends the process, arriving while a script waits for a
# key on the curses screen: the terminal is back in its normal mode on the
# main screen, and the process ended by that very signal (the shell's
# status is 128 + its number), not by an exit.
source "$(dirname "$0")/../tmux_lib.sh" "$1"
for sig in HUP INT QUIT ILL ABRT BUS FPE SEGV USR1 USR2 PIPE ALRM TERM \
           XCPU XFSZ VTALRM PROF IO PWR SYS RTMIN RTMAX; do
  run wait_key.js
  wait_for "waiting for a key"
  [ "$(tm display -p -t t '#{alternate_on}')" = 1 ] || fail "$sig: the script is not on the alternate screen"
  pid=$(pgrep -P "$(tm display -p -t t '#{pane_pid}')")
  kill -s "$sig" "$pid"
  expect_exit $((128 + $(kill -l "$sig")))
  expect_sane_terminal
  [ "$(tm display -p -t t '#{alternate_on}')" = 0 ] || fail "$sig: left on the alternate screen"
  # Killing the last session would end the server while the next run may
  # already be talking to it; a finished run's session is moved aside instead.
  tm rename-session -t t "after-$sig"
done

# A terminal type whose strings carry padding ("$<2>" in vt100's sgr0): the
# handler cannot pad, so the padding must not reach the screen as text.
run_env=TERM=vt100 run wait_key.js
wait_for "waiting for a key"
kill -s TERM "$(pgrep -P "$(tm display -p -t t '#{pane_pid}')")"
expect_exit 143
expect_sane_terminal
screen | grep -qF '$<' && fail "padding written as text"
echo ok
