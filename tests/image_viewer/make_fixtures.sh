#!/bin/sh
# make_fixtures.sh DIR: the image viewer's test images, made fresh by ImageMagick.
#   red_quadrant.png  200 x 100, white, the top-left 100 x 50 red (one page)
#   photo.jpg         160 x 120, green, the top-right quarter blue
#   three_pages.tif   60 x 40, pages red, green, blue
#   fax.tif           1728 x 2200 bilevel, Group 4, the top-left quarter black
#   truncated.png     the first half of a 400 x 400 PNG
#   notes.tvxdoc      text: no decoder knows it
#   marked.png        100 x 100 white, with marked.png.ann: a blue square on page 1
set -eu
dir=$1
mkdir -p "$dir"
cd "$dir"
convert=convert
[ -x /usr/bin/convert ] && convert=/usr/bin/convert
$convert -size 200x100 xc:white -fill red -draw "rectangle 0,0 99,49" PNG24:red_quadrant.png
$convert -size 160x120 xc:'#00FF00' -fill '#0000FF' -draw "rectangle 80,0 159,59" -quality 95 photo.jpg
$convert -size 60x40 xc:'#FF0000' xc:'#00FF00' xc:'#0000FF' -depth 8 -compress lzw three_pages.tif
$convert -size 1728x2200 xc:white -fill black -draw "rectangle 0,0 863,1099" -monochrome -compress Group4 fax.tif
$convert -size 400x400 gradient:red-blue PNG24:whole.png
size=$(wc -c <whole.png)
head -c $((size / 2)) whole.png >truncated.png
rm -f whole.png
printf 'Not an image\r\n' >notes.tvxdoc
$convert -size 100x100 xc:white PNG24:marked.png
printf 'page 1\nrect 10 10 30 30 0000FF\ntext 50 60 FF0000 Paid\n' >marked.png.ann
touch done
