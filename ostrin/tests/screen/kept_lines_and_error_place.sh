# Lines printed while the screen is open come out, in order, once it is
# given back; an uncaught error on a terminal names its file, line and
# calls before the fatal message.
source "$(dirname "$0")/../tmux_lib.sh" "$1"
run kept_lines.js
wait_for "screen is open"
shows "kept 1" && fail "a kept line was written over the screen"
keys x
wait_for "screen again"
shows "kept 3" && fail "a kept line was written over the screen"
keys y
expect_exit 134
expect_sane_terminal
[ "$(tm display -p -t t '#{alternate_on}')" = 0 ] || fail "left on the alternate screen"
want=("kept 1" "direct 2" "kept 3"
      "screen/kept_lines.js:18: TypeError: cannot read property 'x' of null"
      "    at g (" "screen/kept_lines.js:18)"
      "    at f (" "screen/kept_lines.js:21)"
      "    at global (" "Fatal error; uncaught:")
text=$(screen -J -S -)
for w in "${want[@]}"; do
  rest=${text#*"$w"}
  [ "$rest" != "$text" ] || fail "missing or out of order: $w"
  text=$rest
done
echo ok
