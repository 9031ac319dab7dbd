#!/bin/sh
# manual.sh SOURCE.ms OUT.pdf WORKDIR SHOTDIR
# Builds the manual with groff. Every ".SHOT name caption" line of the source
# shows SHOTDIR/name.png; a picture that does not exist yet is left out (the
# build says so), so the manual builds before every window has its screenshot.
set -eu
src=$1 out=$2 work=$3 shots=$4
here=$(dirname "$0")
mkdir -p "$work"
defs=$work/shots.ms
: >"$defs"
for name in $(sed -n 's/^\.SHOT  *\([A-Za-z0-9_]*\).*/\1/p' "$src" | sort -u); do
  png=$shots/$name.png
  if [ ! -f "$png" ]; then
    echo "manual: no screenshot $png yet: left out of the manual"
    continue
  fi
  # groff's PDF output takes pictures as PDF only: an RGB copy, wrapped.
  convert "$png" -alpha off -define png:color-type=2 "PNG24:$work/$name.png"
  python3 "$here/png2pdf.py" "$work/$name.png" "$work/$name.pdf"
  # Screen pixels at 96 per inch, shrunk to fit 6 x 4.5 inches.
  identify -format '%w %h\n' "$work/$name.png" | awk -v n="$name" -v f="$work/$name.pdf" '{
    w = $1 * 0.75; h = $2 * 0.75
    if (w > 432) { h = h * 432 / w; w = 432 }
    if (h > 324) { w = w * 324 / h; h = 324 }
    printf ".ds shot-%s %s\n.nr shot-%s-w %dp\n.nr shot-%s-h %dp\n", n, f, n, w, n, h }' >>"$defs"
done
# The PDF's creation date: the last commit's, so that an unchanged source
# gives an unchanged manual.
SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git -C "$(dirname "$src")" log -1 --format=%ct 2>/dev/null || echo 0)}
export SOURCE_DATE_EPOCH
groff -k -ms -Tpdf "$defs" "$src" >"$out.tmp"
mv "$out.tmp" "$out"
