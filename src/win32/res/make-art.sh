#!/usr/bin/env bash
# Draws the program's pictures from text with ImageMagick and packs them with pack_images.py:
#   thld.ico    the program icon at 16, 24, 32, 48, 64 and 256 px, each in 32-bit colour with its
#               alpha: the desktop icon's pictures (src/qt/res/icons), and a 24 px one drawn here the
#               same way (kept in packaging/icons for the Linux icon set too)
#   banner.bmp  the banner of the "Please Wait" window, 384x100, 256 colours
#   installer-welcome.bmp  the picture beside the installer's welcome and finish pages, 164x314,
#               24-bit: the icon and the program's name on the banner's blue
# The generated files are kept in the repository; run this again only to change them.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
icons="$here/../../qt/res/icons"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

blue='rgb(33,33,115)'
yellow='rgb(206,206,74)'
font=DejaVu-Sans-Bold

# The icon at 24 px: a yellow "T" with two tally strokes on a raised dark-blue square, on the grid
# of 32 units that src/qt/res/make-icons.sh draws the other sizes on.
size=24
draw=()
for shape in "6 6 25 10" "13 6 18 26" "6 15 8 26" "23 15 25 26"; do
  read -r x0 y0 x1 y1 <<<"$shape"
  draw+=(-draw "rectangle $((x0 * size / 32)),$((y0 * size / 32)) $(((x1 + 1) * size / 32 - 1)),$(((y1 + 1) * size / 32 - 1))")
done
mkdir -p "$here/../../../packaging/icons"
convert -size 24x24 xc:"$blue" -raise 2x2 -fill "$yellow" "${draw[@]}" \
  -strip -define png:exclude-chunks=date,time "PNG32:$here/../../../packaging/icons/tallyhold-24.png"

for size in 16 24 32 48 64 256; do
  png="$icons/tallyhold-$size.png"
  [ "$size" = 24 ] && png="$here/../../../packaging/icons/tallyhold-24.png"
  cp "$png" "$work/icon$size.png"
  convert "$png" -depth 8 "rgba:$work/icon$size.rgba"
  echo "${size}x${size}" >"$work/icon$size.size"
done

# The installer's side picture: the icon large, the name below it in yellow with a dark shadow.
convert -size 164x314 xc:"$blue" \
  \( "$icons/tallyhold-256.png" -resize 112x112 \) -geometry +26+56 -composite \
  -font "$font" -pointsize 26 -gravity north \
  -fill 'rgb(12,12,48)' -annotate +2+192 'Tallyhold' -fill "$yellow" -annotate +0+190 'Tallyhold' \
  -font DejaVu-Sans -pointsize 12 -fill 'rgb(220,220,235)' \
  -annotate +0+232 'for the download cache' -annotate +0+248 'of Unreal Tournament' \
  -type TrueColor -alpha off "BMP3:$here/installer-welcome.bmp"

# The banner: the name and version in yellow, with a dark shadow, on a raised plate.
convert -size 368x84 xc:'rgb(40,40,132)' -raise 5x5 \
  -font "$font" -pointsize 40 -gravity center \
  -fill 'rgb(12,12,48)' -annotate +2+2 'Tallyhold v1.5' \
  -fill "$yellow" -annotate +0+0 'Tallyhold v1.5' "$work/plate.png"
convert -size 384x100 xc:"$blue" "$work/plate.png" -geometry +8+8 -composite \
  -colors 256 -depth 8 "$work/banner.png"

size=$(identify -format '%wx%h' "$work/banner.png")
convert "$work/banner.png" -depth 8 "rgb:$work/banner.rgb"
echo "$size" >"$work/banner.size"
python3 "$here/pack_images.py" "$work" "$here"
