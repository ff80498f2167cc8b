#!/usr/bin/env bash
# Renders the pictures in this folder for the resource compiler:
#   every <name>.svg except the icon  ->  OUT/<name>.bmp  (32-bit BGRA, straight alpha)
#   lirabo.svg (+ lirabo-16.svg)      ->  OUT/lirabo.ico  (16, 32, 48 px)
# Usage: render.sh OUT [ZOOM]
# ZOOM (default 1.25) multiplies each SVG's own width and height. The buttons
# scale the picture down to fit, so a bitmap a bit larger than the 96-DPI size
# stays sharp on 120 and 144 DPI screens too.
set -euo pipefail
out=${1:?usage: render.sh OUT [ZOOM]}
zoom=${2:-1.25}
here=$(cd "$(dirname "$0")" && pwd)

for tool in rsvg-convert convert identify compare; do
  command -v "$tool" >/dev/null || { echo "render.sh: $tool is missing (librsvg2-bin, imagemagick)" >&2; exit 1; }
done
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Little-endian header field of a BMP file: offset, byte count.
field() { od -An -tu"$3" -j"$2" -N"$3" "$1" | tr -d ' '; }

# A BITMAPINFOHEADER BMP with 32 bits per pixel: LoadImage(LR_CREATEDIBSECTION)
# keeps the fourth byte, which the form framework reads as alpha. Read back, it
# must give the same pixels, alpha included, as the drawing.
check_bmp() {
  local bmp=$1 png=$2
  [ -s "$bmp" ] || { echo "render.sh: $bmp was not written" >&2; return 1; }
  [ "$(head -c2 "$bmp")" = BM ] || { echo "render.sh: $bmp is not a BMP" >&2; return 1; }
  [ "$(field "$bmp" 14 4)" = 40 ] && [ "$(field "$bmp" 28 2)" = 32 ] && [ "$(field "$bmp" 30 4)" = 0 ] ||
    { echo "render.sh: $bmp is not a 32-bit BI_RGB bitmap" >&2; return 1; }
  local differing; differing=$(compare -metric AE "$png" "$bmp" null: 2>&1) || true
  [ "$differing" = 0 ] || { echo "render.sh: $bmp differs from its drawing ($differing pixels)" >&2; return 1; }
}

for svg in "$here"/*.svg; do
  name=$(basename "$svg" .svg)
  case $name in lirabo*) continue ;; esac
  rsvg-convert --zoom "$zoom" "$svg" -o "$work/$name.png"
  # -alpha set: an opaque drawing too gets its alpha byte (else 24 bits come out).
  convert "$work/$name.png" -alpha set -define bmp3:alpha=true "BMP3:$work/$name.bmp"
  check_bmp "$work/$name.bmp" "$work/$name.png"
  mv -f "$work/$name.bmp" "$out/$name.bmp"
done

# The small sizes get their own simpler drawing where one exists.
icon_sizes=()
for size in 16 32 48; do
  svg=$here/lirabo-$size.svg
  [ -f "$svg" ] || svg=$here/lirabo.svg
  rsvg-convert -w "$size" -h "$size" "$svg" -o "$work/icon-$size.png"
  icon_sizes+=("$work/icon-$size.png")
done
convert "${icon_sizes[@]}" "$work/lirabo.ico"
[ "$(identify -format '%w ' "$work/lirabo.ico")" = "16 32 48 " ] ||
  { echo "render.sh: lirabo.ico does not hold 16, 32 and 48 px" >&2; exit 1; }
mv -f "$work/lirabo.ico" "$out/lirabo.ico"
