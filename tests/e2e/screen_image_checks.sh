#!/usr/bin/env bash
# Runs the screen-image test, then reads its TIFF files with libtiff's tools
# and ImageMagick:
#   screen_image_checks.sh DIR -- COMMAND [ARGS...]
# DIR is made afresh and given to the command as TAVIX_TIFF_DIR; the command
# must leave blank.tif (a near blank screen), blocks.tif (a screen of full
# blocks) and debug.tif (the screen and the 25 receive-trace pages) there.
set -u
dir=$1
shift 2
rm -rf "$dir"
mkdir -p "$dir" || exit 1
export TAVIX_TIFF_DIR=$(cd "$dir" && pwd)
"$@" || exit 1
failed=0
fail() { echo "screen image: $*"; failed=1; }

# Every page's directory: ten entries in tag order with their types and values.
check_directories() {
  local file=$1 pages=$2 dump
  dump=$(tiffdump "$file" 2>&1) || { fail "tiffdump $file: $dump"; return; }
  [ "$(grep -c '^Directory ' <<<"$dump")" -eq "$pages" ] || fail "$file: not $pages pages"
  local expected='ImageWidth (256) SHORT (3) 1<1700>
ImageLength (257) SHORT (3) 1<2156>
Compression (259) SHORT (3) 1<2>
Photometric (262) SHORT (3) 1<0>
StripOffsets (273) LONG (4) 1<N>
RowsPerStrip (278) SHORT (3) 1<2156>
StripByteCounts (279) LONG (4) 1<N>
XResolution (282) RATIONAL (5) 1<200>
YResolution (283) RATIONAL (5) 1<196>
ResolutionUnit (296) SHORT (3) 1<2>'
  local page=0
  while [ $page -lt "$pages" ]; do
    local entries
    entries=$(awk -v want=$page '/^Directory /{d++} d==want+1 && !/^Directory /' <<<"$dump" |
              sed -e 's/^\(Strip[A-Za-z]* ([0-9]*) LONG (4) 1<\)[0-9]*>/\1N>/' -e '/^$/d')
    [ "$entries" = "$expected" ] || { fail "$file page $page:"; echo "$entries"; break; }
    page=$((page + 1))
  done
  grep -q "next 0 (0)" <<<"$(grep '^Directory ' <<<"$dump" | tail -n 1)" || fail "$file: the last page does not end the chain"
}

# The mean of the screen's cells (ImageMagick): 1 is white.
screen_mean() { convert "$1[0]" -crop 1680x1008+10+42 +repage -format '%[fx:mean]' info: 2>&1; }

check_directories "$dir/blank.tif" 1
check_directories "$dir/blocks.tif" 1
check_directories "$dir/debug.tif" 26
for f in blank blocks debug; do
  out=$(tiffinfo -D "$dir/$f.tif" 2>&1 >/dev/null)
  [ -z "$out" ] || fail "tiffinfo -D $f.tif: $out"
done
blank=$(screen_mean "$dir/blank.tif")
blocks=$(screen_mean "$dir/blocks.tif")
awk -v m="$blank" 'BEGIN { exit !(m > 0.98) }' || fail "the blank screen's mean is $blank, not near white"
awk -v m="$blocks" 'BEGIN { exit !(m < 0.1) }' || fail "the screen of blocks has the mean $blocks, not near black"
echo "screen image means: blank $blank, blocks $blocks"
exit $failed
