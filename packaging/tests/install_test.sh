#!/usr/bin/env bash
# The suite as a user gets it from "cmake --install": installed into a
# staging folder (DESTDIR), then its files, programs, desktop entry and
# metainfo checked from outside the source and build trees. Needs an X
# server (run under xvfb-run); starts its own headless Wayland compositor.
#
#   install_test.sh BUILD_DIR SOURCE_DIR IMAGE_PROBE
#
# The installed files must be those listed in packaging/tests/installed-files
# (paths below the prefix); with UPDATE_GOLDEN=1 the list is written instead.
set -u
build=$1
source=$2
probe=$3
expected_files=$source/packaging/tests/installed-files
work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null; done
  rm -rf "$work"
}
trap cleanup EXIT
source "$source/veskel/tests/expect.sh"
export NO_AT_BRIDGE=1 # no accessibility bus on the test server

# The prefix is /usr, like the package's, moved into the staging folder: the
# programs must find what they need relative to themselves.
DESTDIR=$work/stage cmake --install "$build" --prefix /usr >"$work/install.log" 2>&1
check "cmake --install" $? "$(tail -5 "$work/install.log")"
prefix=$work/stage/usr
mkdir -p "$work/elsewhere"
cd "$work/elsewhere" || exit 1

# Layout: the exact list of installed files.
(cd "$prefix" && find . -type f -o -type l) | sed 's|^\./||' | LC_ALL=C sort >"$work/files"
if [ "${UPDATE_GOLDEN:-}" = 1 ]; then cp "$work/files" "$expected_files"; fi
diff -u "$expected_files" "$work/files" >"$work/files.diff"
check "installed files" $? "$(cat "$work/files.diff")"
grep -rlF -e "$source" -e "$build" "$prefix" >"$work/leaks"
check "nothing names the source or build tree" $((! $?)) "$(cat "$work/leaks")"

# veskel, installed: its help, and an installed example drawn and saved
# exactly as its reference picture, run from the installed documentation.
"$prefix/bin/veskel" --help >"$work/help"
check "veskel --help" $? "status $?"
grep -q '^Usage: veskel' "$work/help"
check "veskel --help shows the usage" $? "$(head -3 "$work/help")"
"$source/veskel/tests/run_golden.sh" "$prefix/bin/veskel" \
  "$prefix/share/doc/pintaro-suite/examples/stars.fs" "$probe" >"$work/golden" 2>&1
check "installed veskel draws the installed example" $? "$(cat "$work/golden")"
# Every relative link in the installed documentation leads to an installed
# file: a reader who follows the README from /usr/share/doc finds the tour.
doc=$prefix/share/doc/pintaro-suite
: >"$work/dangling"
while IFS= read -r page; do
  grep -o '](\([^)#]*\)' "$page" | sed 's/^](//' | grep -v '^[a-z]*:' |
    while IFS= read -r target; do
      [ -z "$target" ] || [ -e "$(dirname "$page")/$target" ] ||
        echo "${page#"$doc"/} -> $target" >>"$work/dangling"
    done
done < <(find "$doc" -name '*.md')
[ ! -s "$work/dangling" ] && [ -f "$doc/docs/tour.md" ]
check "the installed documentation's links resolve" $? "$(cat "$work/dangling")"
# The installed paths the manual pages and the documents name are those the
# install rules made (the prefix is /usr here, as in the package).
{
  # roff's escapes out: the zero-width "\&" and the font changes.
  for page in "$prefix"/share/man/man*/*.gz; do gzip -dc "$page" | sed 's/\\&//g; s/\\f[BIRP]//g'; done
  cat "$doc"/*.md "$doc"/docs/*.md
} | grep -o '/usr/share/doc/pintaro-suite/[^] )*`"\\]*' | sed 's/[.,;:]*$//' | LC_ALL=C sort -u >"$work/named"
while IFS= read -r path; do [ -e "$work/stage$path" ] || echo "$path"; done <"$work/named" >"$work/unnamed"
[ -s "$work/named" ] && [ ! -s "$work/unnamed" ]
check "the installed paths the pages name exist" $? "missing: $(cat "$work/unnamed"); named: $(cat "$work/named")"
MANPATH=$prefix/share/man man -w veskel >/dev/null 2>&1
check "man finds veskel(1) below the prefix" $? "man -w veskel failed"

# The bash completion, as bash-completion loads it: options, the files each
# option takes, and script files.
mkdir -p comp/folder && touch comp/a.png comp/b.fs comp/c.jpg comp/d.txt comp/e.svg comp/f.webp
complete_line() {
  (cd comp && bash -c '
    source /usr/share/bash-completion/bash_completion
    source "$1"
    shift
    COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1))
    COMP_LINE="$*"; COMP_POINT=${#COMP_LINE}
    _veskel veskel "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
    printf "%s: %s\n" "$*" "$(printf "%s\n" "${COMPREPLY[@]}" | LC_ALL=C sort | paste -sd " ")"
  ' completion "$prefix/share/bash-completion/completions/veskel" veskel "$@")
}
{
  complete_line --s
  complete_line ''
  complete_line -o ''
  complete_line --save=c
  complete_line --size 8
  complete_line --animate ''
  complete_line --fr
  complete_line --replay ''
  complete_line -e ''
  complete_line -- --x ''
} >"$work/completions"
diff -u - "$work/completions" >"$work/completions.diff" <<'EOF'
veskel --s: --save --script-of --size
veskel : b.fs folder
veskel -o : a.png c.jpg e.svg folder
veskel --save=c: c.jpg
veskel --size 8: 800x600
veskel --animate : f.webp folder
veskel --fr: --frame-every
veskel --replay : a.png folder
veskel -e : 
veskel -- --x : b.fs folder
EOF
check "bash completion" $? "$(cat "$work/completions.diff")"

# Desktop entry and metainfo: valid, and naming what was installed.
desktop=$(echo "$prefix"/share/applications/*.desktop)
app_id=$(basename "$desktop" .desktop)
desktop-file-validate "$desktop" >"$work/validate" 2>&1
! grep -E 'error|warning' "$work/validate"
check "desktop-file-validate: no error or warning" $? "$(cat "$work/validate")"
appstreamcli validate --no-net "$prefix/share/metainfo/$app_id.metainfo.xml" >"$work/validate" 2>&1 &&
  appstreamcli validate-tree --no-net "$prefix" >>"$work/validate" 2>&1 &&
  ! grep -E '^[EW]:' "$work/validate"
check "appstreamcli validate: no error or warning" $? "$(cat "$work/validate")"
entry() { sed -n "s/^$1=//p" "$desktop"; }
[ "$(entry Exec)" = "pintaro %f" ] && [ -x "$prefix/bin/pintaro" ]
check "Exec names the installed program, taking one file" $? "Exec=$(entry Exec)"
# The file types the entry offers to open: the pictures, and the script
# type the package itself registers, which update-mime-database then knows
# by its extension.
mime_xml=$prefix/share/mime/packages/$app_id.xml
script_type=$(sed -n 's/.*<mime-type type="\([^"]*\)".*/\1/p' "$mime_xml")
[ "$(entry MimeType)" = "image/png;image/bmp;image/jpeg;$script_type;" ] && [ -n "$script_type" ]
check "MimeType: PNG, BMP, JPEG and the registered script type" $? "MimeType=$(entry MimeType), registered '$script_type'"
mkdir -p "$work/mime/packages" && cp "$mime_xml" "$work/mime/packages/"
update-mime-database "$work/mime" >"$work/mime.log" 2>&1 && grep -qx "50:$script_type:\*\.fs" "$work/mime/globs2"
check "the script type is known by *.fs" $? "$(cat "$work/mime.log"; cat "$work/mime/globs2" 2>/dev/null)"
for size in 16 24 32 48 64 128 256; do
  [ -f "$prefix/share/icons/hicolor/${size}x$size/apps/$(entry Icon).png" ] || echo "no ${size}x$size"
done >"$work/icons"
check "Icon names the installed icon at each size" $(($(wc -c <"$work/icons") > 0)) "$(cat "$work/icons")"
[ "$(entry StartupWMClass)" = "$app_id" ]
check "StartupWMClass is the application id" $? "StartupWMClass=$(entry StartupWMClass), id $app_id"

# pintaro on X11: its window shows the installed icon and the class the
# desktop entry names.
"$prefix/bin/pintaro" >"$work/x11.log" 2>&1 &
pintaro=$!
pids+=("$pintaro")
window_of() { xdotool search --onlyvisible --pid "$1" 2>/dev/null | head -1 | grep .; }
poll_until "pintaro's window on X11" window_of "$pintaro"
check "pintaro shows its window on X11" $? "no window; $(cat "$work/x11.log")"
window=$(window_of "$pintaro")
if [ -n "$window" ]; then
  wm_class=$(xprop -id "$window" WM_CLASS)
  [ "$wm_class" = "WM_CLASS(STRING) = \"$app_id\", \"$app_id\"" ]
  check "WM_CLASS is the desktop entry's StartupWMClass" $? "$wm_class"
  icon=$(xprop -id "$window" _NET_WM_ICON | head -1)
  [[ $icon == *"Icon (128 x 128)"* ]]
  check "the window has the installed icon" $? "$icon"
fi
kill "$pintaro"
# A picture named on the command line opens, as the file manager passes it.
"$prefix/bin/pintaro" "$doc/examples/stars.png" >"$work/file.log" 2>&1 &
pintaro=$!
pids+=("$pintaro")
window_named() { xdotool search --onlyvisible --name "$1" 2>/dev/null | grep -q .; }
poll_until "the window titled after the picture" window_named '^stars\.png \| Pintaro$'
check "pintaro FILE opens the picture" $? "$(cat "$work/file.log")"
kill "$pintaro"

# pintaro on Wayland (a headless weston): the window is shown and tells the
# compositor the application id, which names the desktop entry.
export XDG_RUNTIME_DIR=$work/xdg
mkdir -m 700 "$XDG_RUNTIME_DIR"
weston --backend=headless-backend.so --socket=wayland-test --idle-time=0 >"$work/weston.log" 2>&1 &
pids+=("$!")
poll_until "weston's socket" test -S "$XDG_RUNTIME_DIR/wayland-test"
check "weston starts" $? "$(cat "$work/weston.log")"
env -u DISPLAY GDK_BACKEND=wayland WAYLAND_DISPLAY=wayland-test WAYLAND_DEBUG=client \
  "$prefix/bin/pintaro" >"$work/wayland.log" 2>&1 &
pintaro=$!
pids+=("$pintaro")
# Shown: after the surface's first configure a picture was attached, and
# the compositor then reported that frame done (so it was on screen and the
# program was still answering events).
shown() {
  sed -n '/xdg_surface@[0-9]*\.ack_configure/,$p' "$work/wayland.log" |
    sed -n '/wl_surface@[0-9]*\.attach/,$p' | grep -q '^\[[0-9. ]*\] wl_callback@[0-9]*\.done'
}
poll_until "pintaro's first frame on Wayland" shown
check "pintaro shows its window on Wayland" $? "$(grep -v '^\[' "$work/wayland.log" | tail -5)"
grep -qF "xdg_toplevel@" "$work/wayland.log" && grep -q "set_app_id(\"$app_id\")" "$work/wayland.log"
check "the Wayland app id is the desktop entry's name" $? "$(grep -o 'set_app_id([^)]*)' "$work/wayland.log")"
kill -0 "$pintaro" 2>/dev/null
check "pintaro keeps running on Wayland" $? "it ended: $(grep -v '^\[' "$work/wayland.log" | tail -5)"

echo "$passed passed, $failures failed"
[ "$failures" = 0 ]
