#!/usr/bin/env bash
# The interpreter beside its peers, in one run: start-up (an empty script),
# fib with a block, the star loop, and 1,000,000 definitions, each in veskel
# (one or more builds) and in gforth-fast and python3 where they have a form
# of it. CPU seconds and peak memory from /usr/bin/time, best of three (the
# definitions once: their figure is the memory).
#   peers.sh VESKEL...      e.g. peers.sh /tmp/base/build/veskel/veskel build/veskel/veskel
set -u
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
echo ':fib dup 2 >= [ dup 1- fib swap 2 - fib + ] iftrue ; 30 fib .' >fib.fs
echo ': fib dup 2 >= if dup 1- recurse swap 2 - recurse + then ; 30 fib . bye' >fib.gf
printf 'def fib(n):\n    return fib(n - 1) + fib(n - 2) if n >= 2 else n\nprint(fib(30))\n' >fib.py
echo ':star { 1 drop } 5 times ; [ star ] 3000000 times' >star.fs
: >empty.fs
echo ': star 5 0 do 1 drop loop ; : run 3000000 0 do star loop ; run bye' >star.gf
python3 -c "
with open('defs.fs', 'w') as f:
    for n in range(1, 1000001): f.write(':w%d %d ;\n' % (n, n))"

best() {  # best CPU time of three (of $runs), and its peak memory
  local out=() line
  for _ in $(seq "${runs:-3}"); do
    line=$(/usr/bin/time -f "%U %S %M" "$@" 2>&1 >/dev/null | tail -n 1)
    out+=("$(awk '{printf "%.3f s %d MB\n", $1 + $2, $3 / 1024}' <<<"$line")")
  done
  printf '%s\n' "${out[@]}" | sort -n | head -n 1
}
for v in "$@"; do
  echo "$v: start $(best "$v" empty.fs); fib $(best "$v" fib.fs); star $(best "$v" star.fs); 1M definitions $(runs=1 best "$v" defs.fs)"
done
echo bye >bye.gf
command -v gforth-fast >/dev/null && echo "gforth-fast: start $(best gforth-fast bye.gf); fib $(best gforth-fast fib.gf); star $(best gforth-fast star.gf)"
echo "python3: fib $(best python3 fib.py)"
echo "load: $(cut -d' ' -f1-3 /proc/loadavg)"
