#!/usr/bin/env bash
# veskel draws: the turtle's words, the start image and its size, and the
# image files written after a run, read back pixel by pixel; and it does so
# with cairo, pango and gdk-pixbuf alone.
set -u
veskel=$1
probe=$2
refs=$3  # pictures rendered before veskel stopped loading GTK
data=$4  # the raster layer's test images
refusal="veskel: $("$5" fill '{veskel-refusal}')"  # made from the save formats by make_reference
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$(dirname "$0")/expect.sh"
cd "$work" || exit 1

# Nothing here may need a display: drawing is off screen.
unset DISPLAY WAYLAND_DISPLAY

# probe_is NAME WANT FILE ARGS...: image_probe's output must equal WANT.
probe_is() {
  local name=$1 want=$2
  shift 2
  local got
  got=$("$probe" "$@" 2>&1)
  check "$name" "$([ "$got" = "$want" ]; echo $?)" "probe gave [$got], want [$want]"
}

# no_file NAME PATH: the run must not have created PATH.
no_file() {
  check "$1" "$([ ! -e "$2" ]; echo $?)" "$2 was written"
}

# --- The turtle's words are there (their order: turtle_words_test) ---------
expect "aliases and the # sigil" 0 "255.0 0.0 0.0
" "" -- "$veskel" -e "#red setpc pc .s"
expect "labels draw" 0 "" "" -- "$veskel" -e "'Hi label" -o label.png
box=$("$probe" label.png box | tail -n 1)
read -r x0 y0 _ _ <<<"$box"
check "label pixels start at the turtle" "$([ "$box" != none ] && [ "$x0" -ge 320 ] && [ "$y0" -ge 200 ]; echo $?)" "box [$box]"

# Very wide text is measured whole: 1.4 million W's measured 0 once.
hundred=$(head -c 100 /dev/zero | tr '\0' W)
head -c 1400000 /dev/zero | tr '\0' W | sed "s/^/( /; s/\$/ ) labelsize drop .s/" > wide.fs
w100=$("$veskel" -e "( $hundred ) labelsize drop .s")
wide=$("$veskel" wide.fs)
check "1.4 million W's are 14,000 times as wide as 100" "$([ "${wide%.0}" = $(( 14000 * ${w100%.0} )) ]; echo $?)" \
  "100: $w100, 1.4 million: $wide"

# --- The start image: 640 x 400 black, turtle home --------------------------
expect "start position" 0 "320.0 200.0
" "" -- "$veskel" -e "pos .s"
expect "saves the untouched start image" 0 "" "" -- "$veskel" -e "" -o start.png
probe_is "start image is 640 x 400 opaque black" "640 400
none" start.png box

# --- Lines read back from the saved file ------------------------------------
expect "walk up" 0 "" "" -- "$veskel" -e "100 fd" -o up.png
# A 1-pixel line on whole coordinates spreads over the two columns beside it.
probe_is "100 fd draws from row 100 to 200 at column 320" "640 400
319 100 320 199
128 128 128 255
0 0 0 255
0 0 0 255" up.png box 320,150 322,150 320,99
expect "walk up then right" 0 "" "" -- "$veskel" -e "100 fd 90 rt 100 fd" -o corner.png
probe_is "90 rt 100 fd goes right" "640 400
319 99 419 199
128 128 128 255" corner.png box 370,100
expect "pen up draws nothing" 0 "" "" -- "$veskel" -e "pu 100 fd 90 rt 100 fd" -o blank.png
probe_is "pen up leaves the image black" "640 400
none" blank.png box
expect "pen colour" 0 "" "" -- "$veskel" -e "#red setpc 100 fd" -o red.png
probe_is "a red pen draws red" "640 400
128 0 0 255" red.png 320,150

# --- Formats by extension ----------------------------------------------------
"$veskel" -e "100 fd" -o a.bmp --save b.JPG --save=c.jpeg -od.Png 2>"$work/err"
check "four formats in one run" $? "$(cat "$work/err")"
check "BMP written as BMP" "$([ "$(head -c2 a.bmp)" = BM ]; echo $?)" "header $(head -c2 a.bmp | od -c)"
check "PNG written as PNG" "$([ "$(head -c4 d.Png | tail -c3)" = PNG ]; echo $?)" "header $(head -c4 d.Png | od -c)"
for f in b.JPG c.jpeg; do
  check "$f written as JPEG" "$([ "$(od -An -tx1 -N3 "$f" | tr -d ' ')" = ffd8ff ]; echo $?)" \
    "header $(od -An -tx1 -N3 "$f")"
done
probe_is "BMP keeps the pixels" "640 400
319 100 320 199" a.bmp box
if command -v identify >/dev/null; then
  q=$(identify -format %Q b.JPG 2>&1)
  check "JPEG quality 80" "$([ "$q" = 80 ]; echo $?)" "quality $q"
fi
# JPEG is lossy: the line stays bright and the far corner stays dark.
px=$("$probe" c.jpeg 320,150 0,0 | tail -n 2 | tr '\n' ' ')
read -r r1 _ _ _ r2 _ _ _ <<<"$px"
check "JPEG keeps the picture" "$([ "$r1" -gt 64 ] && [ "$r2" -lt 16 ]; echo $?)" "pixels $px"

# --- Names that are no save format are refused before anything runs --------
for name in picture.gif picture .png picture. picture.png. dir/pic.tiff; do
  expect "refuses '$name'" 2 "" "$refusal" -- "$veskel" -e "'ran .." -o "$name"
  no_file "nothing written for '$name'" "$name"
done
expect "refuses before reading a script" 2 "" "$refusal" -- \
  "$veskel" nofile.fs --save out.gif
expect "-o needs a file name" 2 "" "veskel: option -o needs a value
Try 'veskel --help' for more information." -- "$veskel" -e "1" -o
expect "--save= needs a file name" 2 "" "veskel: option --save needs a file name
Try 'veskel --help' for more information." -- "$veskel" --save=

# --- A failed run writes no file ---------------------------------------------
expect "error after drawing" 1 "" "Stack underflow at line 1" -- "$veskel" -e "100 fd fd" -o failed.png
no_file "failed run writes nothing" failed.png
printf 'old' > kept.png
expect "error keeps an existing file" 1 "" "key not found: pink at line 1" -- "$veskel" -e "#pink" -o kept.png
check "existing file untouched" "$([ "$(cat kept.png)" = old ]; echo $?)" "kept.png was changed"
out=$(printf '100 fd\nnope\n' | "$veskel" -o piped.png 2>"$work/err"); status=$?
check "failed script on standard input" "$([ $status = 1 ] && [ "$(cat "$work/err")" = "invalid float: nope at line 2" ]; echo $?)" \
  "status $status, err [$(cat "$work/err")]"
no_file "failed piped script writes nothing" piped.png
printf '100 fd\n' | "$veskel" -o piped.png 2>"$work/err"
check "clean script on standard input saves" $? "$(cat "$work/err")"
probe_is "piped script drew" "640 400
319 100 320 199" piped.png box

if [ -w /dev/full ]; then
  "$veskel" -e "1 . cr" -o lost.png >/dev/full 2>"$work/err"; status=$?
  check "lost standard output is a failed run" "$([ $status = 1 ]; echo $?)" "status $status"
  no_file "lost standard output writes no image" lost.png
fi

# --- A file that cannot be written -------------------------------------------
# What clearly cannot be written is refused before anything runs; a write
# that fails late (a full disk) is reported after the run.
expect "missing folder" 2 "" "veskel: cannot write no/such/dir.png: No such file or directory" -- \
  "$veskel" -e "1 ." -o no/such/dir.png
ln -s no/such/target.png dangling.png
expect "a dangling link into a missing folder" 2 "" \
  "veskel: cannot write dangling.png: No such file or directory" -- "$veskel" -e "1 . cr" -o dangling.png
mkdir folder.png
expect "folder in the way" 2 "" "veskel: cannot write folder.png: Is a directory" -- \
  "$veskel" -e "1 ." -o after.png -o folder.png
no_file "nothing written before a refusal" after.png
if [ -w /dev/full ]; then
  ln -s /dev/full full.png
  "$veskel" -e "1 fd" -o full.png -o after.png 2>"$work/err"; status=$?
  err=$(cat "$work/err")
  check "a full disk: status 1 and the library's message" \
    "$([ $status = 1 ] && [[ "$err" == *full.png* ]]; echo $?)" "status $status, err [$err]"
  check "a failed file does not stop the next one" "$([ -s after.png ]; echo $?)" "after.png missing"
fi

# --- Saves replace a file whole or not at all ---------------------------------
# Ended by a signal during a save, veskel leaves no temporary file and ends by
# that signal. It is stopped once the temporary file shows, and signalled and
# continued, so that the signal lands inside the save. (A job of this shell
# starts with SIGINT ignored: env gives it the default action back.)
temporary() { compgen -G ".signalled.png.*~" >/dev/null; }
for sig in INT TERM HUP; do
  env --default-signal=INT "$veskel" --size 4000x4000 -e "1000 fd" -o signalled.png &
  pid=$!
  poll_until "the save to begin" temporary
  kill -STOP $pid
  if ! temporary; then
    echo "note: the save ended before SIG$sig could be sent; not counted"
    kill -CONT $pid
    wait $pid
    rm -f signalled.png
    continue
  fi
  kill -$sig $pid
  kill -CONT $pid
  wait $pid
  status=$?
  check "SIG$sig during a save ends veskel by it" "$([ $status = $((128 + $(kill -l $sig))) ]; echo $?)" "status $status"
  check "SIG$sig during a save leaves no temporary file" "$(temporary; [ $? = 1 ]; echo $?)" "$(ls -a)"
  no_file "SIG$sig during a save leaves no picture" signalled.png
  rm -f .signalled.png.*~ signalled.png
done

# A link is followed: its target gets the picture, the link stays a link.
"$veskel" -e "" -o linked.png
chmod 640 linked.png
ln -s linked.png link.png
expect "save through a link" 0 "" "" -- "$veskel" -e "100 fd" -o link.png
check "the link stays a link to the same file" "$([ "$(readlink link.png)" = linked.png ]; echo $?)" "$(ls -l link.png)"
probe_is "the link's target holds the new picture" "640 400
319 100 320 199" linked.png box
check "the replaced file keeps its permission bits" "$([ "$(stat -c %a linked.png)" = 640 ]; echo $?)" \
  "mode $(stat -c %a linked.png)"
check "no temporary file is left" "$([ -z "$(ls -A | grep '~$')" ]; echo $?)" "$(ls -A)"
# A device cannot be replaced: it is written in place, and its error reported.
for f in device.png device.jpg device.bmp; do
  ln -s /dev/full "$f"
  expect "save into a full device ($f)" 1 "" "Failed to write “$f”: No space left on device" -- \
    "$veskel" -e "1 fd" -o "$f"
  check "the link to the device stays ($f)" "$([ "$(readlink "$f")" = /dev/full ]; echo $?)" "$(ls -l "$f")"
done
check "the device stays a device" "$([ -c /dev/full ]; echo $?)" "$(ls -l /dev/full)"
# On a full file system the old files stay byte for byte. Mounting a small
# tmpfs needs root (in a private mount namespace); elsewhere this is skipped.
full_fs_check() {
  mkdir small && mount -t tmpfs -o size=256k tmpfs small || exit 77
  cd small || exit 1
  "$veskel" --size 120x100 -e "[ 100 fd 91 rt ] 100 times" -o pic.png -o pic.bmp -o pic.jpg -o pic.svg \
    --animate pic.webp || exit 1
  mkdir keep && cp -p pic.* keep/
  head -c 1M /dev/zero > filler 2>/dev/null
  "$veskel" --size 120x100 -e "ht [ 3 fd 7 rt \$i 0.1 * 1 + setpensize ] 2000 times" \
    -o pic.bmp -o pic.png -o pic.jpg -o pic.svg --animate pic.webp 2>../err
  echo "status $?"
  sort ../err
  for f in pic.png pic.bmp pic.jpg pic.svg pic.webp; do cmp -s "$f" "keep/$f" && echo "kept $f"; done
  ls -A | grep '~$'
}
if [ "$(id -u)" = 0 ] && command -v unshare >/dev/null; then
  export veskel
  export -f full_fs_check
  got=$(unshare -m bash -c full_fs_check 2>/dev/null); status=$?
  if [ $status = 77 ]; then
    echo "SKIP full file system: cannot mount a tmpfs here"
  else
    check "a full file system keeps every old file" "$([ "$got" = "status 1
Failed to write “pic.bmp”: No space left on device
Failed to write “pic.jpg”: No space left on device
Failed to write “pic.png”: No space left on device
Failed to write “pic.svg”: No space left on device
Failed to write “pic.webp”: No space left on device
kept pic.png
kept pic.bmp
kept pic.jpg
kept pic.svg
kept pic.webp" ]; echo $?)" "got [$got]"
  fi
else
  echo "SKIP full file system: needs root to mount a tmpfs"
fi

# --- Start size ----------------------------------------------------------------
expect "--size 100x50 puts the turtle home" 0 "50.0 25.0
" "" -- "$veskel" --size 100x50 -e "pos .s"
expect "odd size: home truncates" 0 "50.0 25.0
" "" -- "$veskel" --size=101X51 -e "pos .s"
expect "clearscreen goes home on the sized image" 0 "3.0 1.0
" "" -- "$veskel" --size 7x3 -e "9 fd cs pos .s"
expect "sized image saved" 0 "" "" -- "$veskel" --size 100x50 -e "10 fd" -o small.png
probe_is "sized image keeps its size and is black around the line" "100 50
49 15 50 24" small.png box
expect "last --size counts" 0 "2.0 2.0
" "" -- "$veskel" --size 9x9 --size 4x4 -e "pos .s"
expect "1x1 is a size" 0 "0.0 0.0
" "" -- "$veskel" --size 1x1 -e "pos .s"

for size in 0x5 5x0 0x0 00x7; do
  expect "size $size refused" 2 "" "veskel: invalid size '$size': width and height must be at least 1
Try 'veskel --help' for more information." -- "$veskel" --size "$size" -e "'ran .."
done
for size in 100 100x x100 -1x5 5x-1 ax5 5xb 1.5x2 " 5x5" 5x5x5 +5x5; do
  expect "size '$size' malformed" 2 "" "veskel: invalid size '$size': expected WIDTHxHEIGHT, such as 640x400
Try 'veskel --help' for more information." -- "$veskel" --size "$size" -e "'ran .."
done
for size in 2147483648x1 1x99999999999999999999999; do
  expect "size $size overflows" 2 "" "veskel: invalid size '$size': width and height must be at most 2147483647
Try 'veskel --help' for more information." -- "$veskel" --size "$size" -e "'ran .."
done
expect "--size needs a value" 2 "" "veskel: option --size needs a value
Try 'veskel --help' for more information." -- "$veskel" --size
expect "size too large to allocate" 1 "" "veskel: Cannot create an image of 40000 x 10 pixels." -- \
  "$veskel" --size 40000x10 -e "'ran .." -o big.png
no_file "no file for an image that could not be made" big.png
# At most 2^28 pixels: 16384 x 16384 is the largest square.
expect "more pixels than the limit" 1 "" "veskel: Image is too large: 16385 x 16384 is more than 268435456 pixels." -- \
  "$veskel" --size 16385x16384 -e "'ran .." -o big.png
no_file "no file for an image over the limit" big.png
expect "largest int is refused by the image, not the parser" 1 "" \
  "veskel: Image is too large: 2147483647 x 2147483647 is more than 268435456 pixels." -- \
  "$veskel" --size 2147483647x2147483647 -e "'ran .."

# --- Starting from a picture: the drawing program's Open ---------------------
"$veskel" --size 100x50 -e "pu 10 10 setxy pd 90 rt 20 fd" -o base.png
expect "--open starts from the picture, the turtle at its centre" 0 "50.0 25.0
" "" -- "$veskel" --open base.png -e "pos .s 20 fd" -o base.png
probe_is "annotated in place: the old line and the new one, the same size" "100 50
10 5 50 24" base.png box
expect "--open= form" 0 "50.0 25.0
" "" -- "$veskel" --open=base.png -e "pos .s"
printf 'not a picture\n' > words.png
expect "a file that is no picture" 1 "" \
  "veskel: Failed to load image “words.png”: Fatal error in PNG image file: Not a PNG file" -- \
  "$veskel" --open words.png -e "'ran .." -o from-words.png
no_file "nothing saved after a failed open" from-words.png
expect "a missing file" 1 "" "veskel: Failed to open file “missing.png”: No such file or directory" -- \
  "$veskel" --open missing.png -e "'ran .."
for f in huge_header.png huge_header.jpg; do
  expect "a header declaring 30000 x 30000 ($f)" 1 "" \
    "veskel: Image is too large: 30000 x 30000 is more than 268435456 pixels." -- "$veskel" --open "$data/$f" -e "'ran .."
done
expect "--open and --size together" 2 "" "veskel: --open and --size cannot be used together
Try 'veskel --help' for more information." -- "$veskel" --size 10x10 --open base.png

# --- With a display that cannot be reached nothing changes -----------------
DISPLAY=:9999 WAYLAND_DISPLAY=nowhere "$veskel" -e "100 fd pos .s" -o unreachable.png >"$work/out" 2>"$work/err"
check "unreachable display is never opened" "$([ $? = 0 ] && [ "$(cat "$work/out")" = "320.0 100.0" ] && [ ! -s "$work/err" ]; echo $?)" \
  "out [$(cat "$work/out")], err [$(cat "$work/err")]"

# --- The interactive prompt saves when the session ends ---------------------
if command -v script >/dev/null; then
  out=$(printf '100 fd\ndrop\n' | script -qec "'$veskel' -o $work/session.png" /dev/null | tr -d '\r')
  check "errors at the prompt do not stop the save" "$([ -s session.png ]; echo $?)" "no file; screen [$out]"
  [ -s session.png ] && probe_is "session drawing saved" "640 400
319 100 320 199" session.png box
fi

# --- Help names the drawing options -------------------------------------------
help=$("$veskel" --help)
check "help mentions -o, --save and --size" \
  "$([[ "$help" == *"-o, --save PATH"* && "$help" == *"--size WxH"* ]]; echo $?)" "help [$help]"

# --- Only the raster libraries, and the same pixels as with GTK --------------
# veskel loads no GTK, GDK or Wayland library (nor their ATK, D-Bus and EGL
# companions). Debian's cairo is built with its Xlib backend, so libX11 and
# libxcb come in as cairo's own dependencies: only as needed by cairo or by
# each other, never by veskel or a toolkit library.
LD_DEBUG=files "$veskel" -e '[ 100 fd 144 rt ] 5 times' -o star.png 2>loads.txt >/dev/null
check "the star run succeeds" "$?" "veskel failed: $(grep -v 'file=\|^ *[0-9]*: *$' loads.txt | head -3)"

# Every "file=NAME [0];  needed by WHO" line of the loader's trace.
needs=$(grep -o 'file=[^ ]* \[[0-9]*\]; *needed by [^ ]*' loads.txt | sed 's/file=\([^ ]*\) .*needed by \([^ ]*\)/\1 \2/')
check "the trace lists cairo" "$([[ "$needs" == *libcairo.so.2* ]]; echo $?)" "no libcairo in the trace"
# Every library loaded, by file name, whether opened by name or needed.
loaded=$(grep -o 'file=[^ ]*' loads.txt | sed 's/file=//; s#.*/##' | sort -u)
toolkit=$(grep -E '^lib(gtk-3|gdk-3|wayland|atk|dbus|epoxy)' <<<"$loaded" | tr '\n' ' ')
check "no GTK, GDK, Wayland, ATK, D-Bus or EGL library" "$([ -z "$toolkit" ]; echo $?)" "loaded: $toolkit"
x11_users=$(grep -E '^lib(X|xcb)' <<<"$needs" | awk '{print $2}' | grep -vE '/lib(cairo\.so|X[a-z]*\.so|xcb[-a-z]*\.so)' | sort -u | tr '\n' ' ')
check "X11 only as cairo's own dependency" "$([ -z "$x11_users" ]; echo $?)" "X11 needed by: $x11_users"

# probe_same NAME PNG REFERENCE: not one pixel differs from the reference.
probe_same() {
  local got
  got=$("$probe" "$2" same "$3" 2>&1 | tail -n 1)
  check "$1" "$([ "$got" = "same" ]; echo $?)" "$got"
}
probe_same "the star as before" star.png "$refs/star.png"
"$veskel" "$refs/scene.fs" -o scene.png
check "the scene runs" "$?" "veskel failed on scene.fs"
probe_same "lines, ellipses, fills and labels as before" scene.png "$refs/scene.png"


echo "$passed passed, $failures failed"
[ $failures = 0 ]
