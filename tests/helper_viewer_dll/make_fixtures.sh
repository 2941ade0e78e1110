#!/bin/sh
# The attachment viewer's test files, made afresh in DIR by ImageMagick:
#   quadrant.png   200 x 260 white, its top left quadrant red; its sidecar
#                  quadrant.png.ann marks a blue box in the white bottom right
#   photo.jpg      a JPEG
#   fax.tif        a 1728 x 2200 Group 4 fax page, black band at the top
#   pages.tif      three pages: red, green, blue
#   truncated.png  the first 300 bytes of a PNG
#   notes.tvxdoc   a text file of a type only the system's program knows
#   folder/        a folder (opening it for reading is refused)
#   big.tif        5 GB of nothing (sparse): its size needs 64 bits
set -eu
dir=$1
rm -rf "$dir"
mkdir -p "$dir/folder"
convert -size 200x260 xc:white -fill red -draw "rectangle 0,0 99,129" "$dir/quadrant.png"
convert -size 160x120 gradient:yellow-blue "$dir/photo.jpg"
convert -size 1728x2200 xc:white -fill black -draw "rectangle 0,0 1727,549" -monochrome -compress Group4 "$dir/fax.tif"
convert -size 100x130 xc:red xc:lime xc:blue -depth 8 -type TrueColor -compress none "$dir/pages.tif"
convert -size 400x400 plasma:fractal "$dir/whole.png"
head -c 300 "$dir/whole.png" > "$dir/truncated.png"
rm "$dir/whole.png"
printf 'Attachment notes\r\n' > "$dir/notes.tvxdoc"
truncate -s 5G "$dir/big.tif"
printf 'page 1\nrect 120 160 60 80 0000FF\n' > "$dir/quadrant.png.ann"
cp "$dir/quadrant.png" "$dir/shown.tvximg"  # an image under a name only the test's system program claims

# The host's attachment lists for the end-to-end session (scripts/viewer.host):
# ESC M N lines naming the files by their Windows paths, 0xFE before the
# description.
win=$(cd "$dir" && pwd | sed 's|/|\\|g')
entry() { printf '\033MNZ:%s\\%s\376%s\n' "$win" "$1" "$2"; }
{ entry quadrant.png "Red quadrant"; entry pages.tif "Three pages"; entry missing.tif "Not there"; } > "$dir/three.host-bytes"
entry quadrant.png "Opens by itself" > "$dir/one.host-bytes"
