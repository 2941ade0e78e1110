#!/usr/bin/env bash
# Benchmarks of the real terminal under Wine: start to first paint, and a
# 10 MB telnet flood from the host simulator until its end marker shows in the
# terminal's screen dump, and a 20,000-line text block sent back whole on the
# host's 0x01; the edit window's repaints and Replace All in a 20,000-line
# program. Prints figures; not a test.
#   bench/wine_benchmarks.sh [NATIVE_BUILD] [WIN64_BUILD]
set -u
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
native=${1:-$root/build/native}
win64=${2:-$root/build/win64}
cmake --build "$native" --target bench_engine tavix-hostsim -j2 >/dev/null || exit 1
cmake --build "$win64" --target bench_first_paint bench_flood_terminal bench_edit_resend_terminal bench_edit_window bench_edit_paint -j2 >/dev/null || exit 1
source "$root/bench/wine_display.sh"
run() { "$root/tools/wine-run" --prefix "$win64/wineprefix" "$@"; }
run --init >/dev/null 2>&1

echo "== start to first paint (warm prefix)"
run "$win64/bench/bench_first_paint.exe" 5

echo "== telnet flood"
"$native/bench/bench_engine" --write "$work/flood.bin" 10 || exit 1
cp "$root/bench/flood.host" "$work/flood.host"
WITH_HOST_SHOW=1 "$root/tests/e2e/with_host.sh" "$native/tools/hostsim/tavix-hostsim" "$work/flood.host" -- \
  "$root/tools/wine-run" --prefix "$win64/wineprefix" "$win64/bench/bench_flood_terminal.exe" >"$work/flood.out" 2>&1
status=$?
grep -h "flood of" "$work"/flood.out 2>/dev/null || cat "$work/flood.out"

echo "== text block resend"
for i in $(seq 1 20000); do printf '%05d   LET TOTAL = TOTAL + PRICE(%d) * QUANTITY  ! line %d\n' $((i * 10)) $((i % 97)) "$i"; done >"$work/resend.txt"
cp "$root/bench/edit_resend.host" "$work/edit_resend.host"
WITH_HOST_SHOW=1 "$root/tests/e2e/with_host.sh" "$native/tools/hostsim/tavix-hostsim" "$work/edit_resend.host" -- \
  "$root/tools/wine-run" --prefix "$win64/wineprefix" "$win64/bench/bench_edit_resend_terminal.exe" >"$work/resend.out" 2>&1
resend=$?
grep -h "lines" "$work"/resend.out 2>/dev/null || cat "$work/resend.out"
[ $status -eq 0 ] && status=$resend

echo "== edit window"
# A 20,000-line program (about 1 MB) for the edit window.
awk 'BEGIN { for (i = 1; i <= 20000; ++i) printf "%05d   PRINT \"LINE %d OF THE BENCHMARK PROGRAM\" ; X = X + %d\r\n", i * 10, i, i; printf "\003\n" }' \
  >"$work/program.txt"
cp "$root/bench/edit_window.host" "$work/edit_window.host"
WITH_HOST_SHOW=1 "$root/tests/e2e/with_host.sh" "$native/tools/hostsim/tavix-hostsim" "$work/edit_window.host" -- \
  "$root/tools/wine-run" --prefix "$win64/wineprefix" "$win64/bench/bench_edit_window.exe" >"$work/edit.out" 2>&1
edit=$?
grep -h "edit window\|polled in" "$work"/edit.out 2>/dev/null || cat "$work/edit.out"
[ $status -eq 0 ] && status=$edit

echo "== edit window repaints and Replace All (in process)"
run "$win64/bench/bench_edit_paint.exe"
paint=$?
[ $status -eq 0 ] && status=$paint
exit $status
