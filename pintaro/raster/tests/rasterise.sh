#!/usr/bin/env bash
# rasterise.sh FILE.svg|FILE.pdf OUT.png: the picture of a vector file as
# other programs draw it, one pixel per unit, for holding it against the PNG
# of the same drawing.
#
# SVG: rsvg-convert. PDF: pdftoppm at four times the resolution, each 4 x 4
# block then averaged into one pixel. On a render at screen resolution
# poppler moves thin strokes onto whole device pixels ("stroke adjustment"),
# which shifts a 1-pixel line on whole coordinates by half a pixel; at four
# times the resolution that is an eighth of a pixel, and the averaged
# blocks give the coverage cairo computes for the PNG.
set -eu
in=$1
out=$2
case "${in,,}" in
  *.svg) rsvg-convert "$in" -o "$out" ;;
  *.pdf)
    big=$(mktemp --suffix=.png)
    trap 'rm -f "$big"' EXIT
    pdftoppm -r 288 -png -singlefile "$in" "${big%.png}"
    convert "$big" -scale 25% "$out"
    ;;
  *) echo "rasterise.sh: not an SVG or PDF file: $in" >&2; exit 2 ;;
esac
