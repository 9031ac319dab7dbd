#!/bin/sh
# Draws the main window's image list ImageList1 (ui/imagelist1.bmp) with
# ImageMagick: eleven 16 x 16 images side by side on magenta, which the
# image list takes as transparent.
#   0 sort up, 1 sort down, 2 rule, 3 Internet Explorer, 4 Mozilla,
#   5-9 unused, 10 Firefox
set -e
cd "$(dirname "$0")/.."
out=ui/imagelist1.bmp
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cell() { convert -size 16x16 xc:magenta +antialias "$@" "$tmp/$(ls "$tmp" | wc -l | xargs printf %02d).png"; }

cell -fill '#404040' -draw 'polygon 4,10 11,10 7,4 8,4'                  # sort up
cell -fill '#404040' -draw 'polygon 4,5 11,5 8,11 7,11'                  # sort down
cell -fill '#c81e1e' -draw 'circle 7,7 7,0' -fill white -draw 'rectangle 3,6 11,8'   # rule
cell -fill '#1e50c8' -draw 'circle 7,7 7,0' -fill none -stroke '#a0c8ff' \
     -draw 'ellipse 7,7 3,7 0,360' -draw 'line 0,7 14,7'                 # Internet Explorer
cell -fill '#1e8c32' -draw 'circle 7,7 7,0' -fill white \
     -draw 'rectangle 4,4 5,10' -draw 'rectangle 9,4 10,10' -draw 'polygon 5,4 7,7 9,4'  # Mozilla
for i in 5 6 7 8 9; do cell; done
cell -fill '#e8781e' -draw 'circle 7,7 7,0' -fill '#2850a0' -draw 'circle 7,7 7,3'   # Firefox

convert "$tmp"/*.png +append -type Palette -colors 32 BMP3:"$out"
echo "wrote $out ($(wc -c <"$out") bytes)"
