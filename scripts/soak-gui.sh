#!/usr/bin/env bash
# Runs the GUI suites N times and reports the failures of each, to show that
# they pass however fast or busy the machine is. Each run starts them all
# at once, as the test command does (ctest -j with one job per core), so
# that they load the machine as they load it there.
# Usage: scripts/soak-gui.sh [--load] N [build-dir]
#   --load  keeps twice as many busy loops as there are cores running
#           meanwhile, as a parallel build beside the tests would.
# The GUI suites are the tests labelled gui, less the install tests. Needs
# a finished build (bash scripts/test.sh). The log of a failed run, and the
# screen and pintaro's standard error at each failure, are kept in
# <build-dir>/soak-logs.
set -uo pipefail
cd "$(dirname "$0")/.." || exit

load=0
if [ "${1:-}" = "--load" ]; then load=1; shift; fi
runs=${1:?usage: scripts/soak-gui.sh [--load] N [build-dir]}
build=${2:-build}
cores=$(nproc)
selection=(-L gui -LE install)

mapfile -t suites < <(ctest --test-dir "$build" -N "${selection[@]}" | sed -n 's/^ *Test *#[0-9]*: //p')
if [ ${#suites[@]} -eq 0 ]; then
  echo "no GUI tests in $build: build it first (bash scripts/test.sh)" >&2
  exit 2
fi

# Absolute: the tests run in folders of their own below the build.
logs="$(realpath "$build")/soak-logs"
rm -rf "$logs"
mkdir -p "$logs"

busy=()
stop_load() {
  for pid in "${busy[@]}"; do kill "$pid" 2>/dev/null; done
  for pid in "${busy[@]}"; do wait "$pid" 2>/dev/null; done
  busy=()
}
trap stop_load EXIT
if [ $load = 1 ]; then
  for _ in $(seq $((2 * cores))); do
    (while :; do :; done) &
    busy+=($!)
  done
fi

load_average() { cut -d' ' -f1-3 /proc/loadavg; }
beside=""
[ $load = 1 ] && beside=" beside $((2 * cores)) busy loops"
echo "$(date -u '+%Y-%m-%d %H:%M') $cores cores, $runs runs of ${#suites[@]} GUI suites with -j$cores$beside," \
  "load average at start: $(load_average)"

declare -A failed seconds
for s in "${suites[@]}"; do failed[$s]=0; seconds[$s]=0; done
wall=0
for run in $(seq "$runs"); do
  log="$logs/run$run.log"
  start=$SECONDS
  TEST_EVIDENCE_DIR="$logs/run$run" ctest --test-dir "$build" "${selection[@]}" -j"$cores" \
    --output-on-failure >"$log" 2>&1
  wall=$((wall + SECONDS - start))
  line="run $run ($((SECONDS - start)) s):"
  bad=0
  for s in "${suites[@]}"; do
    # ctest's line for the test: "1/5 Test #12: name ....   Passed    2.10 sec"
    result=$(grep -E "Test +#[0-9]+: $s " "$log" | tail -1)
    time=$(sed -n 's/.* \([0-9.]*\) sec$/\1/p' <<<"$result")
    seconds[$s]=$(awk -v a="${seconds[$s]}" -v b="${time:-0}" 'BEGIN { print a + b }')
    if [[ "$result" == *" Passed "* ]]; then
      line+=" $s ok"
    else
      failed[$s]=$((failed[$s] + 1))
      bad=1
      line+=" $s FAILED"
    fi
  done
  [ $bad = 0 ] && rm -rf "$log" "$logs/run$run"
  echo "$line (load $(load_average))"
done
stop_load

echo "load average at end: $(load_average)"
total=0
for s in "${suites[@]}"; do
  echo "$s: ${failed[$s]} of $runs failed, $(awk -v t="${seconds[$s]}" -v n="$runs" 'BEGIN { printf "%.1f", t / n }') s a run"
  total=$((total + failed[$s]))
done
echo "all suites together: $((wall / runs)) s a run"
[ $total -eq 0 ] || echo "logs, screens and pintaro's standard error of the failed runs: $logs"
[ $total -eq 0 ]
