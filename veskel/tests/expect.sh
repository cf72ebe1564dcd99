# Shared by veskel's program tests (and the install test): counters, the
# three-way comparison and the one bounded wait (poll_until, from
# testing/poll.sh). The sourcing script sets $work (a scratch folder) first.
source "$(dirname "${BASH_SOURCE[0]}")/../../testing/poll.sh"
failures=0
passed=0

# expect NAME STATUS STDOUT STDERR -- command...
# Runs the command with no standard input and compares all three results.
expect() {
  local name=$1 want_status=$2 want_out=$3 want_err=$4
  shift 5
  local out err status
  out=$("$@" 2>"$work/err" </dev/null; echo "[$?]")
  status=${out##*[}
  status=${status%]}
  out=${out%[*}
  err=$(cat "$work/err")
  if [ "$status" != "$want_status" ] || [ "$out" != "$want_out" ] || [ "$err" != "$want_err" ]; then
    echo "FAIL $name"
    echo "  status: got $status, want $want_status"
    echo "  stdout: got [$out], want [$want_out]"
    echo "  stderr: got [$err], want [$want_err]"
    failures=$((failures + 1))
  else
    passed=$((passed + 1))
  fi
}

# check NAME CONDITION-STATUS DETAIL: counts a result decided by the caller.
check() {
  if [ "$2" = 0 ]; then passed=$((passed + 1)); else echo "FAIL $1: $3"; failures=$((failures + 1)); fi
}
