#!/usr/bin/env bash
# The image window on a 12000 x 16000 Group 4 page under Wine: open to
# pixels complete, loop stalls and memory, against the plain decode.
# Prints figures; not a test.
#   bench/image_benchmarks.sh [WIN64_BUILD]
set -u
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
win64=${1:-$root/build/win64}
cmake --build "$win64" --target bench_big_page -j2 >/dev/null || exit 1
source "$root/bench/wine_display.sh"
# A bilevel page of text-like lines and a black band, written plainly and
# coded Group 4 by tiffcp (ImageMagick's pixel cache is capped below this size).
python3 - "$work/plain.tif" <<'PY' || exit 1
import random, struct, sys
w, h = 12000, 16000
row_bytes = (w + 7) // 8
white = b"\x00" * row_bytes                        # MinIsWhite: 0 is white
random.seed(14)
def text_row():
    # Runs of 2 to 24 pixels, like the strokes of printed text.
    bits = bytearray(row_bytes)
    x = random.randint(200, 400)
    while x < w - 400:
        run = random.randint(2, 24)
        if random.random() < 0.45:
            for i in range(x, min(x + run, w)):
                bits[i >> 3] |= 0x80 >> (i & 7)
        x += run
    return bytes(bits)
glyph_rows = [text_row() for _ in range(240)]
block = b"\xff" * (row_bytes // 3) + b"\x00" * (row_bytes - row_bytes // 3)
rows = []
for y in range(h):
    if 2000 <= y < 3000:
        rows.append(block)                        # a black band, like a letterhead
    elif (y % 60) < 36:
        rows.append(glyph_rows[(y // 60 * 7 + y % 60) % 240])  # a line of text
    else:
        rows.append(white)
data = b"".join(rows)
entries = [(256, 4, w), (257, 4, h), (258, 3, 1), (259, 3, 1), (262, 3, 0),
           (273, 4, 8), (277, 3, 1), (278, 4, h), (279, 4, len(data))]
ifd_offset = 8 + len(data)
with open(sys.argv[1], "wb") as f:
    f.write(b"II" + struct.pack("<HI", 42, ifd_offset))
    f.write(data)
    f.write(struct.pack("<H", len(entries)))
    for tag, kind, value in entries:
        f.write(struct.pack("<HHI", tag, kind, 1) + (struct.pack("<HH", value, 0) if kind == 3 else struct.pack("<I", value)))
    f.write(struct.pack("<I", 0))
PY
tiffcp -c g4 "$work/plain.tif" "$work/big_page.tif" || exit 1
rm -f "$work/plain.tif"
ls -l "$work/big_page.tif" | awk '{print "page file: " $5 " bytes"}'
"$root/tools/wine-run" --prefix "$win64/wineprefix" --init >/dev/null 2>&1
echo "== 12000 x 16000 Group 4 page"
for quality in 0 1 2; do
  echo "quality $quality:"
  "$root/tools/wine-run" --prefix "$win64/wineprefix" "$win64/bench/bench_big_page.exe" "Z:${work//\//\\}\\big_page.tif" $quality
done
