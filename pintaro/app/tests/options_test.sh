#!/usr/bin/env bash
# pintaro's command line where it needs no window: the help and the
# version print without a display (and without GTK), and a command line it
# cannot follow is refused with status 2 before anything starts.
#
#   options_test.sh PINTARO SOURCE_DIR
set -u
pintaro=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$2/veskel/tests/expect.sh"
nodisplay() { env -u DISPLAY -u WAYLAND_DISPLAY "$@"; }

nodisplay "$pintaro" --help >"$work/help" 2>&1
check "--help: status 0" $? "$(cat "$work/help")"
head -1 "$work/help" | grep -qx 'Usage: pintaro \[FILE\]'
check "--help: the usage line" $? "$(head -3 "$work/help")"
grep -q -- '--version' "$work/help" && grep -q '\.fs' "$work/help"
check "--help: names --version and scripts" $? "$(cat "$work/help")"
expect "-h is --help" 0 "$(cat "$work/help")"$'\n' "" -- nodisplay "$pintaro" -h
expect "--version" 0 "Pintaro version 1.0.2 beta
Copyright (c) 2026 The Pintaro suite developers
Free software under the MIT licence.
" "" -- nodisplay "$pintaro" --version
expect "an unknown option" 2 "" "pintaro: unknown option '--bogus'
Try 'pintaro --help' for more information." -- nodisplay "$pintaro" --bogus a.png
expect "two files" 2 "" "pintaro: only one FILE can be opened, got 'b.png' too
Try 'pintaro --help' for more information." -- nodisplay "$pintaro" a.png b.png
# After --, a name starting with - is the file: the window is wanted, and
# without a display GTK cannot open one (the status is GTK's, not 2).
nodisplay "$pintaro" -- --help >"$work/dash" 2>&1
status=$?
[ "$status" != 0 ] && [ "$status" != 2 ] && ! grep -q '^Usage' "$work/dash"
check "-- ends the options" $? "status $status: $(head -3 "$work/dash")"

echo "$passed passed, $failures failed"
[ "$failures" = 0 ]
