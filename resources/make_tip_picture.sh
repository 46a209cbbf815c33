#!/bin/bash
# Draws the tip of the day's light bulb (tip_bulb.png, 48 x 56, 8-bit RGBA) with ImageMagick.
cd "$(dirname "$0")"
convert -size 48x56 xc:none \
  -fill '#FFE066' -stroke '#C89B00' -strokewidth 2 -draw "circle 24,20 24,4" \
  -fill '#FFE066' -stroke none -draw "rectangle 17,30 31,38" \
  -fill '#9A9A9A' -stroke '#6E6E6E' -strokewidth 1 -draw "rectangle 16,38 32,48" \
  -stroke '#6E6E6E' -draw "line 16,42 32,42" -draw "line 16,45 32,45" \
  -fill '#6E6E6E' -stroke none -draw "rectangle 20,49 28,52" \
  -fill none -stroke '#FFFFFF' -strokewidth 2 -draw "arc 12,8 30,26 200,260" \
  -depth 8 PNG32:tip_bulb.png
