#!/usr/bin/env bash
# Runs the four GUI suites N times in a row and reports the failures of
# each, to show that they pass however fast or busy the machine is.
# Usage: scripts/soak-gui.sh [--load] N [build-dir]
#   --load  keeps every core busy meanwhile (one busy loop per core), as
#           a parallel build beside the tests would.
# Needs a finished build (bash scripts/setup.sh). Logs of failed runs are
# kept in <build-dir>/soak-logs.
set -uo pipefail
cd "$(dirname "$0")/.."

load=0
if [ "${1:-}" = "--load" ]; then load=1; shift; fi
runs=${1:?usage: scripts/soak-gui.sh [--load] N [build-dir]}
build=${2:-build}
suites=(widget_gui_tests pintaro_gui_tests console_gui_tests history_gui_tests)

logs="$build/soak-logs"
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
  for _ in $(seq "$(nproc)"); do
    (while :; do :; done) &
    busy+=($!)
  done
fi

load_average() { cut -d' ' -f1-3 /proc/loadavg; }
echo "$(date -u '+%Y-%m-%d %H:%M') $(nproc) cores, $runs runs$([ $load = 1 ] && echo ', cores kept busy')," \
  "load average at start: $(load_average)"

declare -A failed seconds
for s in "${suites[@]}"; do failed[$s]=0; seconds[$s]=0; done
for run in $(seq "$runs"); do
  line="run $run:"
  for s in "${suites[@]}"; do
    start=$SECONDS
    if ctest --test-dir "$build" -R "^${s}\$" --output-on-failure >"$logs/$s.$run.log" 2>&1; then
      rm -f "$logs/$s.$run.log"
      line+=" $s ok"
    else
      failed[$s]=$((failed[$s] + 1))
      line+=" $s FAILED"
    fi
    seconds[$s]=$((seconds[$s] + SECONDS - start))
  done
  echo "$line ($(load_average))"
done
stop_load

echo "load average at end: $(load_average)"
total=0
for s in "${suites[@]}"; do
  echo "$s: ${failed[$s]} of $runs failed, $((seconds[$s] / runs)) s a run"
  total=$((total + failed[$s]))
done
[ $total -eq 0 ] || echo "logs of the failed runs: $logs"
[ $total -eq 0 ]
