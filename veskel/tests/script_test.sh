#!/usr/bin/env bash
# The script a PNG keeps: what veskel writes into the picture, reads back
# with --script-of, and runs again with --replay; and that other programs
# reading or writing the PNG do not mind it.
set -u
veskel=$1
probe=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$(dirname "$0")/expect.sh"
cd "$work" || exit 1
unset DISPLAY WAYLAND_DISPLAY

# keep_script PICTURE SCRIPTFILE OUT: OUT is PICTURE keeping SCRIPTFILE as
# its script, written by ImageMagick (which reads backslashes as escapes).
keep_script() {
  convert "$1" -set "Veskel script" "$(sed 's/\\/\\\\/g' "$2")" "$3"
}

# probe_is NAME WANT ARGS...: image_probe's output must equal WANT.
probe_is() {
  local got
  got=$("$probe" "${@:3}" 2>&1)
  check "$1" "$([ "$got" = "$2" ]; echo $?)" "probe gave [$got], want [$2]"
}

printf ':side 60 fd 90 rt ;\n#red setpc side side\n' > square.fs
printf 'side side\n' > more.fs

# --- What a saved PNG keeps: how it started, then every line that ran ---------
printf "'Hi label\n" | "$veskel" --size 200x150 square.fs -e "1 2
+ drop 10 bk" - more.fs -o drawn.png -o drawn.bmp -o drawn.jpg
expect "the script of the PNG" 0 "\\ Drawing started from the start image: 200 x 150 pixels, black.
:side 60 fd 90 rt ;
#red setpc side side
1 2 + drop 10 bk
'Hi label
side side
" "" -- "$veskel" --script-of drawn.png
expect "a BMP keeps none" 1 "" "veskel: drawn.bmp keeps no Veskel script" -- "$veskel" --script-of drawn.bmp
expect "a JPEG keeps none" 1 "" "veskel: drawn.jpg keeps no Veskel script" -- "$veskel" --script-of=drawn.jpg
expect "a file that is no picture" 1 "" "veskel: Failed to open file “none.png”: No such file or directory" \
  -- "$veskel" --script-of none.png

"$veskel" --open drawn.png -e "5 fd" -o annotated.png
expect "a picture begun with --open names it, as pintaro's Open does" 0 "\\ Drawing started from the opened picture drawn.png: 200 x 150 pixels, not in this script.
5 fd
" "" -- "$veskel" --script-of annotated.png

# --- Replay: the same picture, pixel for pixel, keeping the same script --------
expect "replay" 0 "" "" -- "$veskel" --replay drawn.png -o again.png
probe_same=$("$probe" again.png same drawn.png | tail -n 1)
check "replay draws the same pixels" "$([ "$probe_same" = same ]; echo $?)" "$probe_same"
check "replay keeps the same script" "$(cmp -s <("$veskel" --script-of drawn.png) <("$veskel" --script-of again.png); echo $?)" \
  "the scripts differ"

# --- Other programs: ImageMagick reads the chunk as text and keeps it ----------
props=$(identify -verbose drawn.png 2>&1)
check "identify sees the script" "$([[ "$props" == *"Veskel script: \\ Drawing started"* ]]; echo $?)" "$props"
check "identify has no complaint" "$([[ "$props" != *arning* && "$props" != *rror* ]]; echo $?)" "$props"
convert drawn.png -flop -flop rewritten.png
expect "replay of a picture another program wrote" 0 "" "" -- "$veskel" --replay rewritten.png -o again2.png
probe_same=$("$probe" again2.png same drawn.png | tail -n 1)
check "and the same pixels" "$([ "$probe_same" = same ]; echo $?)" "$probe_same"

# --- A script from pintaro: New, an error that did not stop it, a Resize -------
cat > session.txt <<'EOF'
\ Drawing started with New: 100 x 80 pixels, transparent.
3 setpensize
20 fd
foo 10 fd
\ Resized to 120 x 100 pixels.
90 rt 30 fd
EOF
keep_script drawn.png session.txt session.png
expect "replay goes on after an error, as the drawing did" 0 "" "invalid float: foo at line 4" \
  -- "$veskel" --replay session.png -o session-again.png
# New left the untouched pixels transparent; the Resize painted them black
# around the old picture, 10 pixels from each side.
# Pen size 3 drew the first line, 1 (after the Resize) the last, which the
# turtle drew where it stood, not shifted with the picture.
probe_is "New, then the Resize, in the script's order" "120 100
0 0 0 255
0 0 0 255
255 255 255 255
128 128 128 255" session-again.png 5,5 60,62 60,36 70,20

cat > opened.txt <<'EOF'
\ Drawing started from the opened picture tree: 2.png: 30 x 20 pixels, not in this script.
pu 3 4 setxy pd
pos .s
EOF
keep_script drawn.png opened.txt opened.png
expect "an opened picture is not in the script" 0 "3.0 4.0
" \
  "veskel: the drawing started from the opened picture tree: 2.png, which its script cannot bring back; replaying it on black" \
  -- "$veskel" --replay opened.png -o opened-again.png
probe_is "replayed on black of its size" "30 20
none" opened-again.png box

# An error inside an included file names the file; the lines after it are the
# script's own again.
printf '1 drop\nbogus\n' > bad.fs
printf '%s\n' "\\ Drawing started from the start image: 40 x 30 pixels, black." "'$work/bad.fs included" \
  nosuchword "10 fd" also_bad > includes.txt
keep_script drawn.png includes.txt includes.png
expect "errors after an included file's are at the script's lines" 0 "" "invalid float: bogus at line 2 of $work/bad.fs
invalid float: nosuchword at line 3
invalid float: also_bad at line 5" -- "$veskel" --replay includes.png

# --- The chunk is read without decoding the picture ----------------------------
data=$(dirname "$0")/../../pintaro/raster/tests/data
printf '%s\n' "\\ Drawing started from the start image: 40 x 30 pixels, black." "10 fd" > small.txt
with_text "$data/huge_header.png" "Veskel script" small.txt huge.png
expect "a picture too large to decode still shows its script" 0 "$(cat small.txt)"$'\n' "" -- "$veskel" --script-of huge.png
expect "and replays it" 0 "" "" -- "$veskel" --replay huge.png -o huge-again.png
probe_is "at the script's size" "40 30" huge-again.png
printf '<svg xmlns="http://www.w3.org/2000/svg" width="30000" height="30000"><filter id="b"><feGaussianBlur stdDeviation="900"/></filter><rect width="30000" height="30000" filter="url(#b)"/></svg>\n' > blur.svg
expect "an SVG is no PNG, and is not rendered to say so" 1 "" "veskel: blur.svg keeps no Veskel script" \
  -- "$veskel" --script-of blur.svg
expect "nor for a replay" 1 "" "veskel: blur.svg keeps no Veskel script" -- "$veskel" --replay blur.svg
{ head -n 1 small.txt; head -c 9000000 /dev/zero | tr '\0' ' '; } > big.txt
with_text drawn.png "Veskel script" big.txt big.png
expect "a script too big to read is named as such" 1 "" \
  "veskel: big.png keeps a Veskel script too big to read (more than 8388608 bytes)" -- "$veskel" --script-of big.png

# --- On a terminal, nothing in the script acts on it --------------------------
printf '%s\n' "\\ Drawing started from the start image: 40 x 30 pixels, black." \
  $'\'/dev/null included\r\e[2K10 fd 90 rt 10 fd' > hiding.txt
with_text drawn.png "Veskel script" hiding.txt hiding.png
"$veskel" --script-of hiding.png > hiding.out
check "into a file the script goes byte for byte" "$(cmp -s hiding.txt hiding.out; echo $?)" "$(od -c hiding.out | head)"
sock="veskel-script-$$-$RANDOM"
tmux -L "$sock" -f /dev/null new-session -d -x 120 -y 10 "$veskel --script-of hiding.png; read"
shown() { tmux -L "$sock" capture-pane -p | grep -qF "$1"; }
poll_until "the script on the terminal" shown "10 fd 90 rt 10 fd"
check "on a terminal the hidden part shows" \
  "$(shown "'/dev/null included^M^[[2K10 fd 90 rt 10 fd"; echo $?)" "$(tmux -L "$sock" capture-pane -p)"
tmux -L "$sock" kill-server

# --- What cannot be replayed ----------------------------------------------------
printf '100 fd\n' > headless.txt
keep_script drawn.png headless.txt headless.png
expect "a script that does not say how it started" 1 "" \
  "veskel: headless.png: the script does not say how its drawing started" -- "$veskel" --replay headless.png
printf "'caf\xe9 label\n" > latin1.fs
"$veskel" latin1.fs -o latin1.png 2>/dev/null  # pango warns about the text
expect "a script that is not UTF-8 is not kept" 0 "\\ Drawing started from the start image: 640 x 400 pixels, black.
\\ Not kept: the script is not UTF-8 text.
" "" -- "$veskel" --script-of latin1.png
expect "and not replayed" 1 "" "veskel: latin1.png: the picture keeps only the start of its script" \
  -- "$veskel" --replay latin1.png
# Past the length a picture keeps, it keeps the note alone, which still
# tells whether every line, the last included, was UTF-8 text; and a
# failing command line after a long file still gets the hint on its text.
yes '1 drop' | head -n 200000 > long.fs
"$veskel" long.fs -o long.png
expect "a long script is not kept" 0 "\\ Drawing started from the start image: 640 x 400 pixels, black.
\\ Not kept: the script is longer than 1048576 bytes.
" "" -- "$veskel" --script-of long.png
"$veskel" long.fs latin1.fs -o long.png 2>/dev/null
expect "nor a long one whose last line is not UTF-8" 0 "\\ Drawing started from the start image: 640 x 400 pixels, black.
\\ Not kept: the script is not UTF-8 text.
" "" -- "$veskel" --script-of long.png
expect "the hint after a long run is about its last line" 1 "" 'invalid float: sq at line 1
hint: ": sq" defined a word with no name: write :sq, without the space.' \
  -- env VESKEL_HINTS=1 "$veskel" long.fs -e ": sq dup * ; 3 sq ."
expect "replay runs the picture's script only" 2 "" "veskel: --replay takes its script and size from the picture: give no script, --size or --open
Try 'veskel --help' for more information." -- "$veskel" --replay drawn.png -e "1 fd"
expect "nor takes a size" 2 "" "veskel: --replay takes its script and size from the picture: give no script, --size or --open
Try 'veskel --help' for more information." -- "$veskel" --size 10x10 --replay drawn.png
expect "nor starts from another picture" 2 "" "veskel: --replay takes its script and size from the picture: give no script, --size or --open
Try 'veskel --help' for more information." -- "$veskel" --open drawn.png --replay drawn.png
expect "--script-of does nothing else" 2 "" "veskel: --script-of takes no other option or script
Try 'veskel --help' for more information." -- "$veskel" --script-of drawn.png -o x.png

echo "$passed passed, $failures failed"
[ "$failures" = 0 ]
