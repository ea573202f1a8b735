#!/bin/sh
# Renders the dedication picture shown by the window's Image1: 260 x 150 px,
# five centred lines in dark blue-violet on the light beige ground
# (red 236, green 233, blue 216). Andika holds every Turkish letter.
# Usage: sh tools/render-dedication.sh   (tools: sh tools/deps.sh assets)
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/assets/images/dedication.png"

font=$(fc-match --format='%{file}' 'Andika:style=Bold')
case "$font" in
    *Andika-Bold*) ;;
    *) echo "Andika Bold is missing (package fonts-sil-andika); fc-match gave: $font" >&2; exit 1 ;;
esac

text="Bu program
çarpım tablosunu
öğrenen bütün
çocuklara
armağandır."

mkdir -p "$(dirname "$out")"
# -strip and the excluded chunks keep the file free of timestamps, so a
# second run gives the same bytes.
convert -size 260x150 'xc:rgb(236,233,216)' \
    -font "$font" -pointsize 19 -interline-spacing -5 \
    -fill 'rgb(58,42,143)' -gravity center -annotate +0+0 "$text" \
    -strip -define png:exclude-chunks=date,time "PNG24:$out"

# The Windows program keeps it as a BMP, which GDI loads and draws by itself:
# 8 bits a pixel hold its few hundred colours without loss at a third of the
# size of 24 bits.
bmp="$root/win32/resources/dedication.bmp"
mkdir -p "$(dirname "$bmp")"
convert "$out" +dither -colors 256 -type Palette -compress None "BMP3:$bmp"

echo "Rendered $out and $bmp"
