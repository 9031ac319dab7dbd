#!/bin/sh
# Draws the main window's image list ImageList1 (ui/imagelist1.bmp) with
# ImageMagick: seventeen 16 x 16 images side by side on magenta, which the
# image list takes as transparent. The browser images are plain glyphs of
# our own: a coloured disc with a letter or shape, no browser's logo.
#   0 sort up, 1 sort down, 2 rule, 3 Internet Explorer, 4 Mozilla,
#   5 Internet Explorer 7/8, 6 SeaMonkey, 7 Netscape, 8 Opera, 9 K-Meleon,
#   10 Firefox, 11 Pale Moon/New Moon, 12 Serpent, 13 Mypal,
#   14 RetroZilla, 15 Google Chrome, 16 Chromium/Supermium
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
cell -fill '#1e50c8' -draw 'circle 7,7 7,0' -fill none -stroke '#ffd040' \
     -draw 'ellipse 7,7 3,7 0,360' -draw 'line 0,7 14,7'                 # Internet Explorer 7/8
cell -fill '#147878' -draw 'circle 7,7 7,0' -fill white \
     -draw 'polygon 3,10 7,3 11,10' -fill '#147878' -draw 'rectangle 6,8 8,10'  # SeaMonkey
cell -fill '#0a3c78' -draw 'circle 7,7 7,0' -fill white \
     -draw 'rectangle 4,3 5,11' -draw 'rectangle 9,3 10,11' -draw 'polygon 5,3 10,11 10,9 5,3'  # Netscape
cell -fill '#c81414' -draw 'circle 7,7 7,0' -fill magenta -draw 'ellipse 7,7 2,5 0,360'   # Opera
cell -fill '#5a5a5a' -draw 'circle 7,7 7,0' -fill '#78dc3c' \
     -draw 'rectangle 4,3 5,11' -draw 'polygon 6,7 10,3 11,4 8,7 11,10 10,11'  # K-Meleon
cell -fill '#e8781e' -draw 'circle 7,7 7,0' -fill '#2850a0' -draw 'circle 7,7 7,3'   # Firefox
cell -fill '#283c78' -draw 'circle 7,7 7,0' -fill '#e6e6f0' -draw 'circle 7,7 7,2' \
     -fill '#283c78' -draw 'circle 9,6 9,1'                              # Pale Moon, New Moon
cell -fill '#3c8c3c' -draw 'circle 7,7 7,0' -fill none -stroke white \
     -draw 'bezier 10,3 3,4 11,10 4,11'                                  # Serpent
cell -fill '#8c3ca0' -draw 'circle 7,7 7,0' -fill white \
     -draw 'rectangle 3,4 4,11' -draw 'rectangle 10,4 11,11' -draw 'polygon 4,4 7,8 10,4'  # Mypal
cell -fill '#a07828' -draw 'circle 7,7 7,0' -fill white \
     -draw 'polygon 4,4 11,4 11,5 6,10 11,10 11,11 4,11 4,10 9,5 4,5'    # RetroZilla
cell -fill '#28a050' -draw 'circle 7,7 7,0' -fill '#f0c828' -draw 'circle 7,7 7,4' \
     -fill '#3c78dc' -draw 'circle 7,7 7,5'                              # Google Chrome
cell -fill '#5078c8' -draw 'circle 7,7 7,0' -fill '#a0c8f0' -draw 'circle 7,7 7,4' \
     -fill '#1e3c8c' -draw 'circle 7,7 7,5'                              # Chromium, Supermium

convert "$tmp"/*.png +append -type Palette -colors 32 BMP3:"$out"
echo "wrote $out ($(wc -c <"$out") bytes)"
