#!/usr/bin/env bash
# Renders the pictures in this folder for the resource compiler:
#   every <name>.svg except the icon  ->  OUT/<name>.png  (8-bit RGBA, compressed)
#   lirabo.svg (+ lirabo-16.svg)      ->  OUT/lirabo.ico  (16, 32, 48 px)
# Usage: render.sh OUT [ZOOM]
# ZOOM (default 1.25) multiplies each SVG's own width and height. The buttons
# scale the picture down to fit, so a bitmap a bit larger than the 96-DPI size
# stays sharp on 120 and 144 DPI screens too.
set -euo pipefail
out=${1:?usage: render.sh OUT [ZOOM]}
zoom=${2:-1.25}
here=$(cd "$(dirname "$0")" && pwd)

# ImageMagick's own programs by their full paths, as Debian 12's imagemagick installs
# them: a "convert" found first on the PATH may be a stand-in that is not ImageMagick.
convert=/usr/bin/convert-im6.q16 identify=/usr/bin/identify-im6.q16 compare=/usr/bin/compare-im6.q16
for tool in "$(command -v rsvg-convert)" "$convert" "$identify" "$compare"; do
  [ -x "$tool" ] || { echo "render.sh: ${tool:-rsvg-convert} is missing (librsvg2-bin, imagemagick)" >&2; exit 1; }
done
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# An RGBA PNG (the programs decode it with its transparency) that shows, read back,
# the same pixels, alpha included, as the drawing.
check_png() {
  local png=$1 drawing=$2
  [ -s "$png" ] || { echo "render.sh: $png was not written" >&2; return 1; }
  [ "$("$identify" -format '%[channels] %z' "$png")" = "srgba 8" ] ||
    { echo "render.sh: $png is not an 8-bit RGBA picture" >&2; return 1; }
  local differing; differing=$("$compare" -metric AE "$drawing" "$png" null: 2>&1) || true
  [ "$differing" = 0 ] || { echo "render.sh: $png differs from its drawing ($differing pixels)" >&2; return 1; }
}

for svg in "$here"/*.svg; do
  name=$(basename "$svg" .svg)
  case $name in lirabo*) continue ;; esac
  rsvg-convert --zoom "$zoom" "$svg" -o "$work/$name.drawing.png"
  # PNG32: an opaque drawing too keeps its alpha channel.
  "$convert" "$work/$name.drawing.png" -define png:compression-level=9 "PNG32:$work/$name.png"
  check_png "$work/$name.png" "$work/$name.drawing.png"
  mv -f "$work/$name.png" "$out/$name.png"
done

# The small sizes get their own simpler drawing where one exists.
icon_sizes=()
for size in 16 32 48; do
  svg=$here/lirabo-$size.svg
  [ -f "$svg" ] || svg=$here/lirabo.svg
  rsvg-convert -w "$size" -h "$size" "$svg" -o "$work/icon-$size.png"
  icon_sizes+=("$work/icon-$size.png")
done
"$convert" "${icon_sizes[@]}" "$work/lirabo.ico"
[ "$("$identify" -format '%w ' "$work/lirabo.ico")" = "16 32 48 " ] ||
  { echo "render.sh: lirabo.ico does not hold 16, 32 and 48 px" >&2; exit 1; }
mv -f "$work/lirabo.ico" "$out/lirabo.ico"
