#!/usr/bin/env bash
# veskel as a program: options, order of steps, exit statuses and streams.
set -u
veskel=$1
make_reference=$2  # fills templates from the table of save formats
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$(dirname "$0")/expect.sh"
cd "$work" || exit 1

printf '1 .\n' > one.fs
printf '2 .\n' > two.fs
printf '$shared .\n' > reads.fs
printf '1 2\n3 4 +\n' > clean.fs

# Options
help=$("$veskel" --help); status=$?
if [ $status != 0 ] || [[ "$help" != Usage:* ]] || [[ "$help" != *--words* ]]; then
  echo "FAIL --help: status $status, output [$help]"; failures=$((failures + 1))
else passed=$((passed + 1)); fi
# The word reference, made from the word tables (docs/reference.md holds
# the same): each word with its aliases, stack effect and help.
words=$("$veskel" --words); status=$?
[ $status = 0 ] && [[ "$words" == "VESKEL FORTH WORDS"* ]] &&
  [[ "$words" == *$'\n  forward, fd       ( d -- )\n      Walk d pixels'* ]] &&
  [[ "$words" == *$'\n  confirm  ( -- n )\n'* ]]
check "--words" $? "status $status, output [$words]"
# --version names the suite's version from its build; --help says where the
# tour and the reference are, beside --words.
version=$(sed -n 's/^project(pintaro_suite VERSION \([0-9.]*\) .*/\1/p' "$(dirname "$0")/../../CMakeLists.txt")
expect "--version" 0 "veskel (Pintaro suite) $version
" "" -- "$veskel" --version
[[ "$help" == *"/docs/tour.md"* && "$help" == *"/docs/reference.md"* ]]
check "--help names the tour and the reference" $? "output [$help]"
# The help lists the save formats from their table at run time.
for ext in $("$make_reference" fill '{extensions}' | sed 's/,\| or / /g'); do
  [[ "$help" == *" $ext"[^a-z]* ]]
  check "--help names $ext" $? "output [$help]"
done
expect "unknown option" 2 "" "veskel: unknown option: --bogus
Try 'veskel --help' for more information." -- "$veskel" --bogus
expect "-e without text" 2 "" "veskel: option -e needs a text
Try 'veskel --help' for more information." -- "$veskel" -e

# Order of steps, one interpreter for all
expect "files and texts in order" 0 "1 x 2 " "" -- "$veskel" one.fs -e "'x .." two.fs
expect "state carries between steps" 0 "5 " "" -- "$veskel" -e "5 =shared" reads.fs
expect "-e is one line" 0 "3 " "" -- "$veskel" -e "1 2
+ ."
expect "-- makes files of the rest" 0 "1 " "" -- "$veskel" -- one.fs

# Clean runs print only what the words print
expect "silent clean run" 0 "" "" -- "$veskel" clean.fs

# A block, text, comment or definition still open at the end is an error at
# the line where it began, and no picture is saved
printf ':sq [ 10 fd 90 rt ] 4 times\nsq\n' > sq.fs
expect "definition without ;" 1 "" "unclosed :sq (no ; before the end of the input) at line 1" -- \
  "$veskel" sq.fs -o sq.png
check "no picture after an unclosed definition" "$([ ! -e sq.png ]; echo $?)" "sq.png written"
for open in "[ 1 2|[|]" "{ 1|{|}" "( a b|(|)" "/* note|/*|*/" ": 1|:|;"; do
  IFS='|' read -r text opener closer <<<"$open"
  expect "unclosed $opener" 1 "" "unclosed $opener (no $closer before the end of the input) at line 1" -- \
    "$veskel" -e "$text"
done
printf '1\n[ 1\n] [\n\n' > reopened.fs
expect "the last opening counts" 1 "" "unclosed [ (no ] before the end of the input) at line 3" -- "$veskel" reopened.fs
printf '\n\n{ 1\n' > opens.inc
expect "opened inside an included file" 1 "" "unclosed { (no } before the end of the input) at line 3 of opens.inc" -- \
  "$veskel" -e "'opens.inc included"
expect "closed by a later step" 0 "2 " "" -- "$veskel" -e "[ 1" -e "] 2 times + ."

# The first error stops the run: message and line to stderr, status 1
expect "error stops later steps" 1 "1 " "invalid float: nope at line 1" -- "$veskel" one.fs -e nope two.fs
expect "missing file" 1 "" "cannot open: nofile.fs at line 1" -- "$veskel" nofile.fs
expect "underflow in -e" 1 "" "Stack underflow at line 1" -- "$veskel" -e "1 +"
expect "division by zero" 1 "" "division by zero at line 1" -- "$veskel" -e "1 0 /mod"
expect "quotient overflow" 1 "" "over- or underflow at line 1" -- "$veskel" -e "-9223372036854775808 -1 /mod"
expect "runaway stack" 1 "" "stack overflow: more than 16777216 values on the stack at line 1" -- "$veskel" -e "[ 1 ] 20000000 times"
expect "directory as script" 1 "" "cannot read: . at line 1" -- "$veskel" .
# Under a small stack limit runaway nesting still ends in the error (below
# about 20 KiB the program itself cannot always start)
printf "'self.fs included\n" > self.fs
for kib in 36 24; do
  (ulimit -s $kib; "$veskel" self.fs 2>"$work/err"); status=$?
  check "self-including file under ulimit -s $kib" "$([ $status = 1 ] && \
    [ "$(cat "$work/err")" = "nesting too deep (runaway recursion?) at line 1 of self.fs" ]; echo $?)" \
    "status $status, err [$(cat "$work/err")]"
done
# Standard input that cannot be read fails the run instead of ending it
"$veskel" -e "10 fd" - -o unread.png </ 2>"$work/err"; status=$?
check "unreadable standard input" "$([ $status = 1 ] && [ ! -e unread.png ] && \
  [ "$(cat "$work/err")" = "cannot read: standard input at line 1" ]; echo $?)" "status $status, err [$(cat "$work/err")]"
"$veskel" </ 2>"$work/err"; status=$?
check "unreadable standard input as the script" "$([ $status = 1 ] && \
  [ "$(cat "$work/err")" = "cannot read: standard input at line 1" ]; echo $?)" "status $status, err [$(cat "$work/err")]"
(ulimit -v 1000000; "$veskel" </dev/zero 2>"$work/err"); status=$?
check "a line beyond memory" "$([ $status = 1 ] && \
  [ "$(cat "$work/err")" = "line too long: more than 67108864 bytes at line 1" ]; echo $?)" "status $status, err [$(cat "$work/err")]"

# Standard input as a script when it is not a terminal
out=$(printf '1 2 + .\n.s\nfoo\n4 .\n' | "$veskel" 2>"$work/err"); status=$?
if [ $status != 1 ] || [ "$out" != "3 " ] || [ "$(cat "$work/err")" != "invalid float: foo at line 3" ]; then
  echo "FAIL stdin script: status $status, out [$out], err [$(cat "$work/err")]"; failures=$((failures + 1))
else passed=$((passed + 1)); fi
out=$(printf '7 .' | "$veskel" 2>&1); status=$?
if [ $status != 0 ] || [ "$out" != "7 " ]; then
  echo "FAIL stdin last line without line end: status $status, out [$out]"; failures=$((failures + 1))
else passed=$((passed + 1)); fi

# On a terminal: a prompt that reports errors and goes on (script gives a pty)
if command -v script >/dev/null; then
  out=$(printf '1 2 + .\ndrop\n[ 1\n2 ] buffer\n4 .\n' | script -qec "$veskel" /dev/null | tr -d '\r'); status=$?
  ok=1
  banner="$("$veskel" -e words | wc -w) words and $("$veskel" -e sigils | wc -w) sigils defined."
  for want in "$banner" "3  ok" "Stack underflow" "... 2 ] buffer" "4  ok"; do
    [[ "$out" == *"$want"* ]] || { echo "FAIL interactive: missing [$want]"; ok=0; }
  done
  [ $status = 0 ] || { echo "FAIL interactive: status $status"; ok=0; }
  if [ $ok = 1 ]; then passed=$((passed + 1)); else echo "$out"; failures=$((failures + 1)); fi
fi

# Output that cannot be written is a failure, not a clean run
if [ -w /dev/full ]; then
  "$veskel" -e "1 . cr" >/dev/full 2>"$work/err"; status=$?
  if [ $status != 1 ] || [ "$(cat "$work/err")" != "veskel: cannot write standard output" ]; then
    echo "FAIL write error: status $status, err [$(cat "$work/err")]"; failures=$((failures + 1))
  else passed=$((passed + 1)); fi
fi

echo "$passed passed, $failures failed"
[ $failures = 0 ]
