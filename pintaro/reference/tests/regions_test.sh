#!/usr/bin/env bash
# Generated regions refilled from the save formats: each form in its own
# markup, the text around them kept byte for byte, a second refill
# changing nothing, and a region that cannot be filled refused with its line.
#   regions_test.sh MAKE_REFERENCE
set -u
make_reference=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$(dirname "$0")/../../../veskel/tests/expect.sh"
cd "$work" || exit 1

printf '%s\n' '| a | b <!-- generated: {vector-names} -->stale<!-- end --> c |' \
  'two <!-- generated: {raster-extensions} -->x<!-- end --> and <!-- generated: ({quality}) -->y<!-- end -->' \
  'no region here: {extensions}' >in.md
expect "Markdown, inline" 0 '| a | b <!-- generated: {vector-names} -->SVG or PDF<!-- end --> c |
two <!-- generated: {raster-extensions} -->`.bmp`, `.png`, `.jpg` or `.jpeg`<!-- end --> and <!-- generated: ({quality}) -->(JPG at quality 80)<!-- end -->
no region here: {extensions}
' "" -- "$make_reference" regions in.md
printf '\t; generated: {vector-extensions}, "{pintaro-refusal}"\n\told\nkept\n' >in.scd
expect "scdoc, the next line, indented" 0 '	; generated: {vector-extensions}, "{pintaro-refusal}"
	*.svg* or *.pdf*, "Please save as BMP, PNG or JPG."
kept
' "" -- "$make_reference" regions in.scd
printf "  # generated: _filedir '@({extensions})'\n  old\n#generated: no space, no region\nx" >in.bash
expect "shell, and no line feed at the end" 0 "  # generated: _filedir '@({extensions})'
  _filedir '@(bmp|png|jpg|jpeg|svg|pdf)'
#generated: no space, no region
x" "" -- "$make_reference" regions in.bash
"$make_reference" regions in.md >once.md && "$make_reference" regions once.md >twice.md
check "a second refill changes nothing" "$(cmp -s once.md twice.md; echo $?)" "$(diff once.md twice.md)"

printf 'a\n<!-- generated: {colours} -->x<!-- end -->\n' >unknown.md
"$make_reference" regions unknown.md 2>err >/dev/null; status=$?
[ $status = 1 ] && [[ "$(cat err)" == "make_reference: unknown.md, line 2: unknown field {colours}; the fields are {extensions}, "* ]]
check "unknown field, named with the known ones" $? "status $status, err [$(cat err)]"
printf '<!-- generated: {quality} -->x\n<!-- end -->\n' >open.md
expect "region left open on its line" 1 "" "make_reference: open.md, line 1: a generated region without <!-- end --> on its line" -- \
  "$make_reference" regions open.md
printf 'a\n; generated: {quality\nb\n' >brace.scd
expect "unclosed brace" 1 "" "make_reference: brace.scd, line 2: a { without its } in a generated region" -- \
  "$make_reference" regions brace.scd
printf 'a\n# generated: {quality}\n' >last.bash
expect "marker on the last line" 1 "" "make_reference: last.bash, line 2: a generated line is missing after its marker" -- \
  "$make_reference" regions last.bash
expect "missing file" 1 "" "make_reference: cannot read nothere.md" -- "$make_reference" regions nothere.md
echo "$passed passed, $failures failed"
[ $failures = 0 ]
