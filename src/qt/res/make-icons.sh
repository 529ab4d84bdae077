#!/usr/bin/env bash
# Draws the program's icon with ImageMagick at the sizes the desktop and the window use: a yellow
# "T" with two tally strokes on a raised dark-blue square, the picture of THLD.exe's icon, drawn
# again at each size so that it stays sharp. The PNG files are kept in the repository; run this
# again only to change them.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
blue='rgb(33,33,115)'
yellow='rgb(206,206,74)'

# The picture on a grid of 32 units: the bar and stem of the T, and the two strokes.
shapes=("6 6 25 10" "13 6 18 26" "6 15 8 26" "23 15 25 26")

for size in 16 32 48 64 128 256; do
  draw=()
  for shape in "${shapes[@]}"; do
    read -r x0 y0 x1 y1 <<<"$shape"
    # Each unit becomes size/32 pixels; a rectangle keeps its last unit whole.
    draw+=(-draw "rectangle $((x0 * size / 32)),$((y0 * size / 32)) $(((x1 + 1) * size / 32 - 1)),$(((y1 + 1) * size / 32 - 1))")
  done
  edge=$((size * 3 / 32))
  [ "$edge" -lt 1 ] && edge=1
  convert -size "${size}x${size}" xc:"$blue" -raise "${edge}x${edge}" -fill "$yellow" "${draw[@]}" \
    -strip -define png:exclude-chunks=date,time "PNG32:$here/icons/tallyhold-$size.png"
done
ls -l "$here/icons"
