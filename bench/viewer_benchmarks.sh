#!/usr/bin/env bash
# The attachment viewer with 200 attachments as thumbnails under Wine: 1700 x
# 2200 pages as PNG, Group 4 TIFF and JPEG (a third each). Prints figures;
# not a test.
#   bench/viewer_benchmarks.sh [WIN64_BUILD]
set -u
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
win64=${1:-$root/build/win64}
cmake --build "$win64" --target bench_viewer_list helper -j2 >/dev/null || exit 1
source "$root/bench/wine_display.sh"
# One page like a scanned letter: a heading band, lines of "text", a box.
lines=
for y in $(seq 400 60 2000); do lines="$lines rectangle 150,$y $((900 + (y * 7) % 650)),$((y + 22))"; done
convert -size 1700x2200 xc:white -fill black -draw "rectangle 150,150 1550,260 $lines" \
  -fill gray60 -draw "rectangle 1100,1700 1550,2050" "$work/page.png" || exit 1
convert "$work/page.png" -monochrome -compress Group4 "$work/page.tif"
convert "$work/page.png" -quality 85 "$work/page.jpg"
mkdir "$work/attachments"
for i in $(seq -w 1 200); do
  case $((10#$i % 3)) in
    0) cp "$work/page.png" "$work/attachments/a$i.png" ;;
    1) cp "$work/page.tif" "$work/attachments/a$i.tif" ;;
    2) cp "$work/page.jpg" "$work/attachments/a$i.jpg" ;;
  esac
done
win=$(cd "$work/attachments" && pwd | sed 's|/|\\|g')
"$root/tools/wine-run" --prefix "$win64/wineprefix" "$win64/bench/bench_viewer_list.exe" \
  "Z:$(echo "$win64/shell/main/helper.dll" | sed 's|/|\\|g')" "Z:$win"
