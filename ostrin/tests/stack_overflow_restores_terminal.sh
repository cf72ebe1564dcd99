# A stack overflow while the screen is raw: the fault leaves no room on the
# stack, so only a handler on a stack of its own can put the terminal back
# before the process ends by SIGSEGV. $1 is the stack_overflow helper.
source "$(dirname "$0")/tmux_lib.sh" "$1"
run
wait_for "waiting for a key"
[ "$(tm display -p -t t '#{alternate_on}')" = 1 ] || fail "not on the alternate screen"
keys x
expect_exit 139
expect_sane_terminal
[ "$(tm display -p -t t '#{alternate_on}')" = 0 ] || fail "left on the alternate screen"
echo ok
