#!/usr/bin/env bash
# Draws the sample title's menu picture, examples/disc1/splash.bmp (320 x 256, 8-bit palette BMP), with ImageMagick.
# The picture is committed; run this again only to change it.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
font=/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf
convert -size 320x256 gradient:'#16324f-#3f7cac' \
    -fill '#f4d35e' -draw 'circle 250,70 250,40' \
    -fill '#0b1f33' -draw 'polygon 0,256 0,190 70,150 140,195 210,140 320,200 320,256' \
    -font "$font" -fill white -pointsize 34 -gravity north -annotate +0+88 'サンプルゲーム' \
    -pointsize 14 -annotate +0+136 'SAMPLE GAME  ―  Disc 1 / 2' \
    -type Palette -colors 64 -compress None "BMP3:$here/disc1/splash.bmp"
