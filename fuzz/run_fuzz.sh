#!/usr/bin/env bash
# Runs one fuzz target from its seed corpus for a number of seconds:
#   run_fuzz.sh <binary> <fuzz folder> <name> <seconds> [libFuzzer options...]
# e.g. a campaign: run_fuzz.sh build-fuzz/fuzz/fuzz_verdigrove_turns fuzz \
#   verdigrove_turns 3600 -runs=1000000
# Inputs found on the way go to a scratch corpus, so the seeds in the
# repository stay as they are; FUZZ_KEEP_CORPUS=<folder> keeps them there
# instead (to resume a campaign or to pick new seeds from). A crash, leak or
# timeout fails the run and leaves its input in fuzz-artifacts/ beside the
# binary.
set -u
binary=$1
dir=$2
name=$3
seconds=$4
shift 4
if [ -n "${FUZZ_KEEP_CORPUS:-}" ]; then
  scratch=$FUZZ_KEEP_CORPUS
  mkdir -p "$scratch"
else
  scratch=$(mktemp -d)
  trap 'rm -rf "$scratch"' EXIT
fi
artifacts=$(dirname "$binary")/fuzz-artifacts
mkdir -p "$artifacts"
dict=()
[ -f "$dir/$name.dict" ] && dict=(-dict="$dir/$name.dict")
ulimit -c 0
# The toolkit's libraries keep some allocations for good (font configuration
# among them); the unit tests' suppressions name only those libraries.
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$(cd "$dir/.." && pwd)/scripts/lsan.supp}
"$binary" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
  -artifact_prefix="$artifacts/$name-" "${dict[@]}" "$@" "$scratch" "$dir/corpus/$name"
