#!/bin/sh
# Renders the program icon from its SVG sources into the PNG sizes that the
# window, the desktop's icon theme and the Windows icon use, then packs the
# Windows icon. The 16 px image has a source of its own, drawn on the pixel
# grid, because the large drawing's outline swamps the cross at that size.
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

# Windows keeps the small images as 32-bit bitmaps with alpha and the 256 px
# one as PNG.
set --
for size in $sizes; do
    if [ "$size" -eq 256 ]; then
        set -- "$@" --raw="$icons/vorlen-$size.png"
    else
        set -- "$@" "$icons/vorlen-$size.png"
    fi
done
icotool --create --bit-depth=32 --output="$root/app/vorlen.ico" "$@"

echo "Rendered $icons/vorlen-{$(echo "$sizes" | tr ' ' ',')}.png and $root/app/vorlen.ico"
