#!/usr/bin/env bash
# The shipped program with keys piped to it: the title screen and Quit, the
# end of input, and keys that are not choices.
set -u
program=$1
expected=$2
failures=0
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

check() {  # name, condition result
    if [ "$2" -ne 0 ]; then
        echo "FAIL: $1"
        failures=$((failures + 1))
    else
        echo "ok: $1"
    fi
}

# Quit from the title screen: the whole output byte for byte, status 0.
printf 5 | "$program" >"$scratch/out" 2>"$scratch/err"
status=$?
check "quit exits with status 0" "$status"
cmp -s "$scratch/out" "$expected/quit.out"; check "quit output matches byte for byte" $?
[ ! -s "$scratch/err" ]; check "quit writes nothing on stderr" $?

# Seven is no choice, Escape leaves.
printf '7\033' | "$program" >"$scratch/out" 2>"$scratch/err"
check "escape exits with status 0" $?
grep -q 'See you around!' "$scratch/out"; check "escape says goodbye" $?
[ "$(grep -c '^> ' "$scratch/out")" -eq 2 ]; check "seven prompts again" $?

# End of input: a message, a failing status, and the attributes reset last.
printf '' | timeout 10 "$program" >"$scratch/out" 2>"$scratch/err"
status=$?
[ "$status" -ne 0 ] && [ "$status" -ne 124 ]; check "end of input fails without hanging (status $status)" $?
[ "$(cat "$scratch/err")" = "EOF reached" ]; check "end of input says EOF reached" $?
[ "$(tail -c 4 "$scratch/out" | od -An -c | tr -d ' ')" = '033[0m' ]; check "end of input resets attributes" $?

# The end of input in the middle of a game ends it too.
printf '1' | timeout 10 "$program" >"$scratch/out" 2>"$scratch/err"
status=$?
[ "$status" -ne 0 ] && [ "$status" -ne 124 ]; check "end of input mid-game fails without hanging" $?
grep -q 'Around you, the jungle looms.' "$scratch/out"; check "a piped game reaches its first turn" $?

# Output that cannot be written stops the program with the reason and a
# failing status, not a game played blind that ends in success.
printf 5 | "$program" >/dev/full 2>"$scratch/err"
status=$?
[ "$status" -eq 1 ]; check "a failed output fails the run (status $status)" $?
[ "$(cat "$scratch/err")" = "Could not write the output: No space left on device" ]; check "a failed output is reported" $?

# Stdin from a file, arguments ignored.
printf '4k5' >"$scratch/keys"
"$program" ignored-argument <"$scratch/keys" >"$scratch/out" 2>"$scratch/err"
check "help and quit from a file exit with status 0" $?
grep -q 'How to play' "$scratch/out"; check "help screen shown" $?

# A closed stdin is end of input, not a crash.
timeout 10 "$program" <&- >"$scratch/out" 2>"$scratch/err"
status=$?
[ "$status" -ne 0 ] && [ "$status" -ne 124 ] && [ "$status" -lt 128 ]; check "closed stdin fails cleanly (status $status)" $?

# Only the system's standard libraries are linked.
if command -v ldd >/dev/null; then
    ! ldd "$program" | grep -vE 'linux-vdso|ld-linux|libc\.so|libm\.so|libstdc\+\+|libgcc_s|libasan|libubsan' | grep -q .
    check "links only standard libraries" $?
fi

[ "$failures" -eq 0 ]
