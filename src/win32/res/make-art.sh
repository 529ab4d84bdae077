#!/usr/bin/env bash
# Draws the program's pictures from text with ImageMagick and packs them with pack_images.py:
#   thld.ico    the program icon, 32x32 and 16x16, 16 colours each, and the desktop icon's 48x48 and
#               256x256 pictures (src/qt/res/icons) for large views
#   banner.bmp  the banner of the "Please Wait" window, 384x100, 256 colours
# The generated files are kept in the repository; run this again only to change them.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

blue='rgb(33,33,115)'
yellow='rgb(206,206,74)'
font=DejaVu-Sans-Bold

# The icon: a yellow "T" with two tally strokes on a raised dark-blue square.
convert -size 32x32 xc:"$blue" -raise 3x3 \
  -fill "$yellow" -draw 'rectangle 6,6 25,10' -draw 'rectangle 13,6 18,26' \
  -draw 'rectangle 6,15 8,26' -draw 'rectangle 23,15 25,26' \
  -colors 16 -depth 8 "$work/icon32.png"
convert -size 16x16 xc:"$blue" -raise 1x1 \
  -fill "$yellow" -draw 'rectangle 3,3 12,4' -draw 'rectangle 7,3 8,13' \
  -draw 'rectangle 3,7 3,13' -draw 'rectangle 12,7 12,13' \
  -colors 16 -depth 8 "$work/icon16.png"

# The banner: the name and version in yellow, with a dark shadow, on a raised plate.
convert -size 368x84 xc:'rgb(40,40,132)' -raise 5x5 \
  -font "$font" -pointsize 40 -gravity center \
  -fill 'rgb(12,12,48)' -annotate +2+2 'Tallyhold v1.5' \
  -fill "$yellow" -annotate +0+0 'Tallyhold v1.5' "$work/plate.png"
convert -size 384x100 xc:"$blue" "$work/plate.png" -geometry +8+8 -composite \
  -colors 256 -depth 8 "$work/banner.png"

cp "$here/../../qt/res/icons/tallyhold-48.png" "$work/icon48.png"
cp "$here/../../qt/res/icons/tallyhold-256.png" "$work/icon256.png"

for name in icon32 icon16 banner; do
  size=$(identify -format '%wx%h' "$work/$name.png")
  convert "$work/$name.png" -depth 8 "rgb:$work/$name.rgb"
  echo "$size" >"$work/$name.size"
done
python3 "$here/pack_images.py" "$work" "$here"
