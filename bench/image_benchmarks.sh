#!/usr/bin/env bash
# The image window on a 12000 x 16000 Group 4 page under Wine: open to
# pixels complete, loop stalls and memory, against the plain decode.
# Prints figures; not a test.
#   bench/image_benchmarks.sh [WIN64_BUILD]
set -u
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
win64=${1:-$root/build/win64}
cmake --build "$win64" --target bench_big_page -j2 >/dev/null || exit 1
work=$(mktemp -d)
xvfb=
cleanup() { [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null; "$root/tools/wine-run" --prefix "$win64/wineprefix" --kill >/dev/null 2>&1; rm -rf "$work"; }
trap cleanup EXIT
if [ -z "${DISPLAY:-}" ]; then
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" </dev/null >/dev/null 2>&1 &
  xvfb=$!
  for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
  export DISPLAY=:$(head -n1 "$work/display")
fi
convert=convert
[ -x /usr/bin/convert ] && convert=/usr/bin/convert
# A page of text-like stripes and blocks, so the fax coding has work to do.
$convert -size 12000x16000 xc:white -fill black \
  -draw "rectangle 0,0 5999,7999" -draw "rectangle 6000,8000 11999,15999" \
  -draw "line 0,0 11999,15999" -draw "line 11999,0 0,15999" \
  -monochrome -compress Group4 "$work/big_page.tif" || exit 1
"$root/tools/wine-run" --prefix "$win64/wineprefix" --init >/dev/null 2>&1
echo "== 12000 x 16000 Group 4 page"
"$root/tools/wine-run" --prefix "$win64/wineprefix" "$win64/bench/bench_big_page.exe" "Z:${work//\//\\}\\big_page.tif"
