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

# with_text PNG KEYWORD TEXTFILE OUT: OUT is PNG with a tEXt chunk of KEYWORD
# after its header, holding the file's bytes as they are (ImageMagick would
# read escapes in them). The chunk's checksum is the CRC-32 gzip keeps, least
# significant byte first, of what it compressed.
with_text() {
  local data="$work/chunk-data" size crc
  { printf '%s\0' "$2"; cat "$3"; } >"$data"
  size=$(stat -c %s "$data")
  crc=$({ printf tEXt; cat "$data"; } | gzip -1 -c | tail -c 8 | head -c 4 | od -An -v -tx1)
  read -r c0 c1 c2 c3 <<<"$crc"
  {
    head -c 33 "$1"  # the signature and the header chunk
    printf "\\x$(printf %02x $((size >> 24 & 255)))\\x$(printf %02x $((size >> 16 & 255)))"
    printf "\\x$(printf %02x $((size >> 8 & 255)))\\x$(printf %02x $((size & 255)))"
    printf tEXt
    cat "$data"
    printf "\\x$c3\\x$c2\\x$c1\\x$c0"
    tail -c +34 "$1"
  } >"$4"
}
