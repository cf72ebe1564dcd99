#!/usr/bin/env bash
# veskel's vector files and animations: SVG and PDF rasterised by other
# programs hold the same picture as the PNG of the same run; an animation
# decoded again has the frames, sizes and timing it should, its first and
# last frames equal to pictures drawn with the turtle's words; and every
# output that cannot be made is refused before anything runs.
set -u
veskel=$1
probe=$2
frames=$3
scripts=$4    # veskel/tests/output
examples=$5   # the gallery's scripts, more drawings to compare
rasterise=$6  # how other programs draw an SVG or PDF file
refusal="veskel: $("$7" fill '{veskel-refusal}')"  # made from the save formats by make_reference
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$(dirname "$0")/expect.sh"
cd "$work" || exit 1
unset DISPLAY WAYLAND_DISPLAY

# same_picture NAME SCRIPT...: the run's SVG and PDF, rasterised by
# rsvg-convert and pdftoppm, match its PNG in at least 99.5 % of the pixels
# within a small tolerance for antialiasing: 16 of 255 for SVG, 32 for PDF,
# where many crossing lines add up their edges a little differently.
same_picture() {
  local name=$1 got
  shift
  "$veskel" "$@" -o p.png -o p.svg -o p.PDF 2>"$work/err"
  check "$name: runs" $? "$(cat "$work/err")"
  "$rasterise" p.svg svg.png && "$rasterise" p.PDF pdf.png
  got=$("$probe" svg.png near p.png 16 0.995 2>&1 | tail -n 1)
  check "$name: SVG as the PNG" "$([ "$got" = near ]; echo $?)" "$got"
  got=$("$probe" pdf.png near p.png 32 0.995 2>&1 | tail -n 1)
  check "$name: PDF as the PNG" "$([ "$got" = near ]; echo $?)" "$got"
}

# --- Vector files ----------------------------------------------------------------
same_picture "widths, ellipses, labels, palette" "$scripts/scene.fs"
check "the start image is a rectangle, not an embedded picture" "$(! grep -q '<image' p.svg; echo $?)" \
  "p.svg embeds a picture"
check "the PDF is a PDF" "$([ "$(head -c5 p.PDF)" = %PDF- ]; echo $?)" "header $(head -c5 p.PDF)"
same_picture "a sized picture" --size 200x120 -e "#blue setbg clean 3 setpensize [ 50 fd 150 rt ] 12 times"
for example in "$examples"/*.fs; do
  same_picture "$(basename "$example" .fs)" "$example"
done

# --- Animations ----------------------------------------------------------------------
# One frame per drawing operation here (61 of them), the start frame first.
"$veskel" "$scripts/walk.fs" --animate walk.webp 2>"$work/err"
check "the walk animates" $? "$(cat "$work/err")"
expect "frames, size and timing" 0 "640 400
62 frames
40*61 2000
" "" -- "$frames" walk.webp
"$frames" walk.webp 0 first.png >/dev/null
"$veskel" "$scripts/sprite.fs" -o first_ref.png
expect "the first frame: the start image and the turtle" 0 "640 400
same
" "" -- "$probe" first.png same first_ref.png
"$frames" walk.webp -1 last.png >/dev/null
"$veskel" "$scripts/walk.fs" "$scripts/sprite.fs" -o last_ref.png
expect "the last frame: the drawing and the turtle where it stopped" 0 "640 400
same
" "" -- "$probe" last.png same last_ref.png
"$veskel" "$scripts/walk.fs" --frame-every 7 --animate=every7.webp --animate Again.WEBP
expect "--frame-every 7: the start, 8 frames of 7 operations, the end" 0 "640 400
10 frames
40*9 2000
" "" -- "$frames" every7.webp
check "each --animate file is written" "$(cmp -s every7.webp Again.WEBP; echo $?)" "the two differ"
"$veskel" -e "[ 1 fd 4 rt ] 1000 times" --size 100x60 --animate long.webp
expect "1000 operations: 4 a frame keeps it within 300" 0 "100 60
251 frames
40*250 2000
" "" -- "$frames" long.webp
"$veskel" -e "ht 1 2 + ." --animate still.webp >/dev/null
# One frame is a still picture: it has no duration.
expect "no drawing: one frame" 0 "640 400
1 frames
0
" "" -- "$frames" still.webp
"$frames" still.webp 0 still.png >/dev/null
"$veskel" -e "" -o still_ref.png
expect "a hidden turtle is not drawn" 0 "640 400
same
" "" -- "$probe" still.png same still_ref.png
expect "a failed run animates nothing" 1 "" "Stack underflow at line 1" -- "$veskel" -e "10 fd fd" --animate failed.webp
check "no animation after a failed run" "$([ ! -e failed.webp ]; echo $?)" "failed.webp was written"

# --- Refused before anything runs: the script would print "ran" -------------------
refused() {
  local name=$1 message=$2
  shift 2
  expect "$name" 2 "" "$message" -- "$veskel" -e "'ran .." "$@"
}
hint="Try 'veskel --help' for more information."
refused "-o picture.gif" "$refusal" -o picture.png -o picture.gif
refused "-o with no extension" "$refusal" -o svg
refused "--animate a.gif" "veskel: cannot animate as 'a.gif': the name must end in .webp" --animate a.gif
for n in 0 -3 x 1.5 "" 2147483648; do
  case $n in
    0) why="it must be at least 1" ;;
    2147483648) why="it must be at most 2147483647" ;;
    *) why="expected a number of drawing operations, such as 10" ;;
  esac
  refused "--frame-every '$n'" "veskel: invalid frame interval '$n': $why
$hint" --animate a.webp --frame-every "$n"
done
refused "--frame-every alone" "veskel: option --frame-every needs --animate
$hint" --frame-every 3
mkdir folder.svg
touch file
refused "-o into a missing folder" "veskel: cannot write no/such/p.svg: No such file or directory" -o no/such/p.svg
refused "-o onto a folder" "veskel: cannot write folder.svg: Is a directory" -o folder.svg
refused "--animate under a file" "veskel: cannot write file/a.webp: Not a directory" --animate file/a.webp
refused "a PNG into a missing folder" "veskel: cannot write no/p.png: No such file or directory" -o q.png -o no/p.png
check "nothing written before a refusal" "$([ ! -e q.png ] && [ ! -e a.webp ] && [ ! -e a.gif ]; echo $?)" \
  "a file was written"

# --- A write that fails late is reported after the run ----------------------------
if [ -w /dev/full ]; then
  ln -s /dev/full full.svg
  ln -s /dev/full full.webp
  "$veskel" -e "10 fd" -o full.svg -o after.pdf --animate full.webp 2>"$work/err"; status=$?
  err=$(cat "$work/err")
  check "a full disk: status 1, each file named" \
    "$([ $status = 1 ] && [[ "$err" == *"Failed to write “full.svg”: No space left on device"* && \
       "$err" == *"Failed to write “full.webp”: No space left on device"* ]]; echo $?)" \
    "status $status, err [$err]"
  check "the next file is still written" "$([ -s after.pdf ]; echo $?)" "after.pdf missing"
fi

echo "$passed passed, $failures failed"
[ $failures = 0 ]
