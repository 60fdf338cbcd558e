#!/usr/bin/env bash
# Draws the program's two icons with ImageMagick; the .ico files it writes are committed beside it, so the
# build needs no ImageMagick. Run it again after changing a drawing.
#   Setup.ico   (icon group 111, the window's icon): a disc with a downward arrow
#   Second.ico  (icon group 116, carried): a box with a disc
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"

draw_setup() {
    convert -size 256x256 xc:none \
        -fill '#c8ccd4' -stroke '#505868' -strokewidth 8 -draw 'circle 128,128 128,12' \
        -fill '#9fb8e8' -stroke none -draw 'circle 128,128 128,60' \
        -fill '#ffffff' -stroke '#505868' -strokewidth 6 -draw 'circle 128,128 128,104' \
        -fill '#1e9e3c' -stroke '#0c4a1a' -strokewidth 6 \
        -draw 'polygon 150,120 210,120 210,176 244,176 180,244 116,176 150,176' \
        "$1"
}

draw_second() {
    convert -size 256x256 xc:none \
        -fill '#d9a441' -stroke '#6b4a10' -strokewidth 8 -draw 'rectangle 24,80 232,236' \
        -fill '#f0c674' -draw 'polygon 24,80 64,24 192,24 232,80' \
        -fill '#c8ccd4' -stroke '#505868' -strokewidth 6 -draw 'circle 128,158 128,104' \
        -fill '#ffffff' -draw 'circle 128,158 128,144' \
        "$1"
}

tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
draw_setup "$tmp/setup.png"
draw_second "$tmp/second.png"
for name in setup second; do
    for size in 48 32 16; do
        convert "$tmp/$name.png" -resize ${size}x${size} "$tmp/$name-$size.png"
    done
done
convert "$tmp/setup-48.png" "$tmp/setup-32.png" "$tmp/setup-16.png" Setup.ico
convert "$tmp/second-48.png" "$tmp/second-32.png" "$tmp/second-16.png" Second.ico
