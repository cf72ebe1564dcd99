#!/usr/bin/env bash
# veskel draws with cairo, pango and gdk-pixbuf alone: it loads no GTK, GDK
# or Wayland library (nor their ATK, D-Bus and EGL companions), and what it
# draws is, pixel for pixel, what it drew when it still loaded GTK (the
# references in reference/ were rendered then).
#
# Debian's cairo is built with its Xlib backend, so libX11 and libxcb come
# in as cairo's own dependencies; they may appear, but only as needed by
# cairo or by each other, never by veskel or a toolkit library.
set -u
veskel=$1
probe=$2
refs=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$(dirname "$0")/expect.sh"
cd "$work" || exit 1
unset DISPLAY WAYLAND_DISPLAY

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

# probe_same NAME PNG REFERENCE: not one pixel differs.
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
