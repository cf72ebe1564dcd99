#!/usr/bin/env bash
# The tests leave the user's files alone. ctest gives every test a home and
# XDG folders inside the build tree (test_home.cmake) and starts this test
# after the others it runs; by then the user's veskel history must be as
# it was when the run began. veskel's prompt, started here as the veskel
# tests start it, shows where a test's history really goes.
# Usage: home_test.sh VESKEL
set -u
veskel=$1
failures=0
fail() { echo "FAIL $*"; failures=$((failures + 1)); }

root=${SUITE_TEST_HOME:-}
if [ -z "$root" ]; then
  fail "no test home: ctest did not read test_home.cmake"
  exit 1
fi
for variable in HOME XDG_CONFIG_HOME XDG_STATE_HOME XDG_DATA_HOME XDG_CACHE_HOME XDG_RUNTIME_DIR; do
  value=${!variable:-}
  case $value in
    "$root"/*) [ -d "$value" ] || fail "$variable=$value is no folder" ;;
    *) fail "$variable=$value is outside the test home $root" ;;
  esac
done
[ "$(stat -c %a "$XDG_RUNTIME_DIR")" = 700 ] || fail "XDG_RUNTIME_DIR may be read by others"

sum_of() { if [ -e "$1" ]; then sha256sum "$1" | cut -d' ' -f1; else echo absent; fi; }
user_history=$SUITE_USER_VESKEL_HISTORY
before=$SUITE_USER_VESKEL_HISTORY_SHA256
if command -v script >/dev/null; then
  printf '3 4 + .\n' | script -qec "'$veskel'" /dev/null >/dev/null
  grep -qxF '3 4 + .' "$XDG_STATE_HOME/veskel/history" ||
    fail "the prompt's line is not in the test home's history"
fi
[ "$(sum_of "$user_history")" = "$before" ] ||
  fail "the user's veskel history $user_history changed during the run (sha256 $before before)"

[ $failures = 0 ] && echo "the tests left $user_history as it was ($before)"
[ $failures = 0 ]
