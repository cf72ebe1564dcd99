#!/usr/bin/env bash
# Renders a manual page as man does (UTF-8 text, tables) and fails on any
# warning from groff (every warning is switched on), and on a NAME line that
# does not start with the page's name (an empty or garbled page).
#   check_man_page.sh GROFF PAGE NAME
set -u
groff=$1
page=$2
name=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Without naming an encoding, as a plain "groff -ww" or lintian reads it:
# the page must be ASCII, every other character one of groff's escapes.
"$groff" -t -man -Tutf8 -ww "$page" >"$work/text" 2>"$work/warnings"
status=$?
ok=1
if [ "$status" != 0 ]; then echo "groff exit status $status"; ok=0; fi
if [ -s "$work/warnings" ]; then echo "groff warns:"; cat "$work/warnings"; ok=0; fi
# The line after the NAME heading, without groff's bold and underlining.
name_line=$(sed 's/.\x08//g' "$work/text" | grep -A1 '^NAME' | tail -n 1)
case $name_line in
  *"$name - "*) ;;
  *) echo "the NAME section reads [$name_line], want \"$name - ...\""; ok=0 ;;
esac
[ $ok = 1 ]
