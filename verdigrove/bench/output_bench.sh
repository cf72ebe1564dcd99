#!/usr/bin/env bash
# How verdigrove's output reaches its reader: the write calls per key and
# the time for many keys piped in, output piped on to cat.  Every key is
# "1", which plays game after game (Play, the first choice of each menu,
# any key at each prompt) until the keys run out.  Not a test: run it by
# hand, e.g.
#   output_bench.sh build/verdigrove/verdigrove 1000000 [OTHER_PROGRAM...]
# Each program named is measured the same way in this one run, so a build
# of an earlier commit can be put side by side with this one; the last row
# is the floor, dd reading the same keys one byte at a time.
set -u
programs=("$1")
count=${2:-1000000}
programs+=("${@:3}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

head -c "$count" /dev/zero | tr '\0' 1 >"$work/keys"

# calls NAME FILE: the calls of one system call in an strace -c summary
# (columns: % time, seconds, usecs/call, calls, errors, syscall).
calls() { awk -v name="$1" '$NF == name { print $4 + 0; found = 1 } END { if (!found) print 0 }' "$2"; }

printf '%-48s %9s %7s %8s %8s %8s\n' program writes writev "per key" "wall s" "CPU s"
for program in "${programs[@]}"; do
    program=$(realpath "$program")
    # Played to the end of the keys, so the status is 1 ("EOF reached").
    strace -f -c -o "$work/summary" -e trace=write,writev "$program" <"$work/keys" 2>/dev/null | cat >/dev/null
    writes=$(calls write "$work/summary")
    writevs=$(calls writev "$work/summary")
    # The program alone (not the two cats around it), keys and output piped;
    # CPU time (user + system) moves less than wall time on a busy machine.
    TIMEFORMAT='%R %U %S'
    cat "$work/keys" | { time "$program" 2>/dev/null; } 2>"$work/time" | cat >/dev/null
    read -r wall user system <"$work/time"
    printf '%-48s %9d %7d %8.3f %8.2f %8.2f\n' "$program" "$writes" "$writevs" \
        "$(awk -v w="$writes" -v v="$writevs" -v n="$count" 'BEGIN { print (w + v) / n }')" "$wall" \
        "$(awk -v u="$user" -v s="$system" 'BEGIN { print u + s }')"
done
TIMEFORMAT='%R %U %S'
cat "$work/keys" | { time dd bs=1 of=/dev/null status=none; } 2>"$work/time"
read -r wall user system <"$work/time"
printf '%-48s %9s %7s %8s %8.2f %8.2f\n' "dd bs=1 (reads only)" - - - "$wall" \
    "$(awk -v u="$user" -v s="$system" 'BEGIN { print u + s }')"
