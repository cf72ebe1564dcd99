#!/usr/bin/env bash
# The program's options: --help and --version, refused options, --seed (the
# same seed and keys give the same bytes; each game's reported seed plays it
# again), --plain, and NO_COLOR.
set -u
program=$1
version=$2
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

esc=$'\033'

# --help and --version answer and exit: no game, no control sequence.
printf 5 | "$program" --help >"$scratch/out" 2>"$scratch/err"
check "--help exits with status 0" $?
head -1 "$scratch/out" | grep -q '^Usage: verdigrove '; check "--help shows the usage" $?
grep -q -- '--seed N' "$scratch/out" && grep -q -- '--plain' "$scratch/out"; check "--help names the options" $?
! grep -q "$esc" "$scratch/out" && [ ! -s "$scratch/err" ]; check "--help writes no control sequence and no error" $?
[ "$("$program" --version)" = "verdigrove (Pintaro suite) $version" ]; check "--version names the suite's version" $?
"$program" --help >/dev/full 2>"$scratch/err"
[ $? -eq 1 ] && grep -q 'No space left on device' "$scratch/err"; check "--help into a full disk fails with the reason" $?

# A mistyped option is refused before anything is shown.
refused() {  # expected message, arguments...
    local message=$1
    shift
    printf 5 | "$program" "$@" >"$scratch/out" 2>"$scratch/err"
    [ $? -eq 2 ] && [ ! -s "$scratch/out" ] && grep -qF "verdigrove: $message" "$scratch/err" &&
        grep -q "Try 'verdigrove --help'" "$scratch/err"
}
refused "unrecognized option '--seeed'" --seeed 4; check "an unknown option is refused with status 2" $?
refused "invalid seed 'x'" --seed x; check "a seed that is no number is refused" $?
refused "invalid seed '18446744073709551616'" --seed 18446744073709551616; check "a seed beyond 64 bits is refused" $?
refused "option '--seed' needs a number" --seed; check "a missing seed is refused" $?

# Every key is "1": game after game until the keys run out.
head -c 400 /dev/zero | tr '\0' 1 >"$scratch/keys"
play() { "$program" "$@" <"$scratch/keys" 2>/dev/null; }

play --seed 42 >"$scratch/a"
play --seed=42 >"$scratch/b"
cmp -s "$scratch/a" "$scratch/b"; check "the same seed and keys give the same bytes" $?
grep -q '^Seed: 42 (verdigrove --seed 42 plays this game again)$' "$scratch/a" &&
    grep -q '^Seed: 43 ' "$scratch/a"; check "the reports name consecutive seeds" $?
play --seed 43 >"$scratch/c"
! cmp -s "$scratch/a" "$scratch/c"; check "another seed gives another game" $?

# The second game of a run, from its title menu to its seed, is the first
# game of a run started with that seed.
play --plain --seed 42 >"$scratch/a"
play --plain --seed 43 >"$scratch/c"
sed -n '/^Seed: 42 /,/^Seed: 43 /p' "$scratch/a" | sed '1,/^5) Quit$/d' >"$scratch/second"
sed -n '1,/^Seed: 43 /p' "$scratch/c" | sed '1,/^5) Quit$/d' >"$scratch/replayed"
[ -s "$scratch/second" ] && cmp -s "$scratch/second" "$scratch/replayed"; check "a game's reported seed plays it again" $?

# Plain text: not one control byte, the attribute reset at the end included,
# and the introduction once however many games are played.
! grep -q "$esc" "$scratch/a"; check "--plain writes no control sequence" $?
[ "$(grep -c '^You survived the plane crash\.$' "$scratch/a")" -eq 1 ] &&
    [ "$(grep -c '^5) Quit$' "$scratch/a")" -gt 2 ]; check "--plain shows the introduction once" $?

# NO_COLOR keeps the colours off when Color is chosen; empty, it does not.
colours="$esc\\[(3|4|9|10)[0-9]m"
printf '3155' | NO_COLOR=1 "$program" >"$scratch/out" 2>/dev/null
! grep -qE "$colours" "$scratch/out" && grep -q "$esc\\[1m" "$scratch/out"; check "NO_COLOR: no colour, bright text stays" $?
printf '3155' | NO_COLOR= "$program" >"$scratch/out" 2>/dev/null
grep -qE "$colours" "$scratch/out"; check "an empty NO_COLOR leaves Color working" $?

[ "$failures" -eq 0 ]
