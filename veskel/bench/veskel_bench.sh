#!/usr/bin/env bash
# What the whole veskel program costs for the turtle walks and a PNG save,
# and for SVG, PDF and animated output of long walks:
# each case runs the binary N times (default 5) and the best CPU time (user +
# system, so waiting for a core on a busy machine does not count) is kept.
# Start-up (loading the raster libraries, the start image, the words) is measured on its own
# and taken off the other cases. Not a test: run it by hand, e.g.
#   veskel_bench.sh build/veskel/veskel 10
set -u
veskel=$(realpath "$1")
runs=${2:-5}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1

# best TEXT ARGS...: best CPU seconds of veskel -e TEXT ARGS...
best() {
  local text=$1 min="" t
  shift
  TIMEFORMAT='%U %S'
  for ((i = 0; i < runs; i++)); do
    t=$({ time "$veskel" -e "$text" "$@" >/dev/null; } 2>&1 | awk '{printf "%.4f", $1 + $2}')
    if [ -z "$min" ] || awk -v a="$t" -v b="$min" 'BEGIN { exit !(a < b) }'; then min=$t; fi
  done
  echo "$min"
}

minus() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", a - b }'; }

start=$(best "")
walk1=$(best "[ 1 fd 1 rt ] 100000 times")
walk100=$(best "[ 100 fd 91 rt ] 10000 times")
save=$(best "" -o out.png)

printf 'start-up (libraries, 640 x 400 image, 96 words)   %.3f s\n' "$start"
printf '[ 1 fd 1 rt ] 100000 times                          %s s beyond start-up (%.3f s in all)\n' "$(minus "$walk1" "$start")" "$walk1"
printf '[ 100 fd 91 rt ] 10000 times                        %s s beyond start-up (%.3f s in all)\n' "$(minus "$walk100" "$start")" "$walk100"
printf 'save the 640 x 400 image as PNG                     %s s beyond start-up\n' "$(minus "$save" "$start")"

# Vector files and animations, where the program can write them: the time
# beyond the same walk without them, and the file's size.
"$veskel" -e "" -o probe.svg 2>/dev/null || exit 0
walk100k="[ 100 fd 91 rt ] 100000 times"
plain=$(best "$walk100k")
for ext in svg pdf; do
  t=$(best "$walk100k" -o "out.$ext")
  printf '%-51s %s s beyond the walk (%.3f s in all), %s bytes\n' "$walk100k -o out.$ext" \
    "$(minus "$t" "$plain")" "$t" "$(stat -c %s "out.$ext")"
done
for walk in "[ 100 fd 91 rt ] 10000 times" "[ 1 fd 1 rt ] 10000 times"; do
  plain=$(best "$walk")
  t=$(best "$walk" --animate out.webp)
  printf '%-51s %s s beyond the walk (%.3f s in all), %s bytes\n' "$walk --animate" "$(minus "$t" "$plain")" "$t" \
    "$(stat -c %s out.webp)"
done
