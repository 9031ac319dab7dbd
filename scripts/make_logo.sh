#!/bin/sh
# Draws the info window's logo (ui/logo.jpg, 121 x 130) with ImageMagick:
# a blue tile with rounded corners on white, a red disc with a white "Z"
# struck through by the disc's edge, and the name below. Large areas of one
# colour each, so that tests can check decoded colours at known points:
#   (2, 2) white, (12, 60) blue #1e3c8c, (60, 26) red #c81e1e, (60, 38) white.
set -e
cd "$(dirname "$0")/.."
out=ui/logo.jpg
convert -size 121x130 xc:white \
  -fill '#1e3c8c' -draw 'roundrectangle 4,4 116,125 14,14' \
  -fill '#c81e1e' -draw 'circle 60,58 60,18' \
  -fill white -draw 'polygon 36,34 84,34 84,44 52,74 84,74 84,84 36,84 36,74 68,44 36,44' \
  -font Liberation-Sans-Bold -pointsize 15 -fill white -gravity south -annotate +0+12 'ZAPOTRIX' \
  -strip -sampling-factor 4:2:0 -quality 92 "$out"
echo "wrote $out ($(wc -c <"$out") bytes)"
