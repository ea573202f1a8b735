#!/bin/sh
# Renders the program icon from its SVG sources into the PNG sizes that the
# window and the desktop's icon theme use, then packs the Windows icon. The
# 16 px image has a source of its own, drawn on the pixel grid, because the
# large drawing's outline swamps the cross at that size.
# Usage: sh tools/render-icons.sh   (tools: sh tools/deps.sh assets)
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
icons="$root/assets/icons"
sizes="16 32 48 64 128 256"

for size in $sizes; do
    source="$icons/vorlen.svg"
    [ "$size" -eq 16 ] && source="$icons/vorlen-16.svg"
    rsvg-convert --width "$size" --height "$size" --format png \
        --output "$icons/vorlen-$size.png" "$source"
done

# The web page's icons (web/vorlen.webmanifest): 192 and 512 px, and a
# maskable 512 px one on a full ground, drawn small enough to survive the
# round or squircle mask a tablet's launcher cuts out of it.
for size in 192 512; do
    rsvg-convert --width "$size" --height "$size" --format png \
        --output "$icons/vorlen-$size.png" "$icons/vorlen.svg"
done
rsvg-convert --width 512 --height 512 --format png \
    --output "$icons/vorlen-maskable-512.png" "$icons/vorlen-maskable.svg"

# The Windows icon (win32/resources/vorlen.ico): the 16 and 32 px images in
# 16 colours and in 256 colours, for displays and programs that ask for those,
# then 32-bit images with alpha at 16, 24, 32, 48 px and a PNG-compressed 256 px
# one. The palette images have a 1-bit mask (alpha cut at one half); the
# 16-colour ones keep to the standard palette's blues, greys, black and white,
# because the nearest standard colour to the cross's blue is teal.
ico="$root/win32/resources/vorlen.ico"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
convert -size 1x1 xc:'#000000' xc:'#000080' xc:'#0000ff' xc:'#808080' xc:'#c0c0c0' xc:'#ffffff' \
    +append "$work/palette16.png"
rsvg-convert --width 24 --height 24 --format png --output "$work/vorlen-24.png" "$icons/vorlen.svg"
for size in 16 32; do
    convert "$icons/vorlen-$size.png" -alpha extract -threshold 50% "$work/mask.png"
    convert "$icons/vorlen-$size.png" -alpha off -dither None -remap "$work/palette16.png" "$work/rgb.png"
    convert "$work/rgb.png" "$work/mask.png" -alpha off -compose CopyOpacity -composite \
        -background black -alpha background "PNG32:$work/4bit-$size.png"
    convert "$icons/vorlen-$size.png" -alpha off +dither -colors 255 "$work/rgb.png"
    convert "$work/rgb.png" "$work/mask.png" -alpha off -compose CopyOpacity -composite \
        -background black -alpha background "PNG32:$work/8bit-$size.png"
done
icotool --create --output="$ico" \
    --bit-depth=4 "$work/4bit-16.png" "$work/4bit-32.png" \
    --bit-depth=8 "$work/8bit-16.png" "$work/8bit-32.png" \
    --bit-depth=32 "$icons/vorlen-16.png" "$work/vorlen-24.png" "$icons/vorlen-32.png" \
    "$icons/vorlen-48.png" --raw="$icons/vorlen-256.png"

echo "Rendered $icons/vorlen-{$(echo "$sizes" | tr ' ' ','),192,512,maskable-512}.png and $ico"
