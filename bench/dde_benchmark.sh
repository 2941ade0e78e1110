#!/usr/bin/env bash
# A 64 KB DDE request through the real terminal under Wine: ddepeer answers
# the request, the terminal uploads it in acknowledged blocks of 127 and the
# host simulator checks every block's checksum and the whole text. Runs the
# helper endpoints' end-to-end session (which also waits out a 30 s launch
# time-out) ROUNDS times (default 3) and prints the figures; not a test.
#   bench/dde_benchmark.sh [NATIVE_BUILD] [WIN64_BUILD]
set -u
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
native=${1:-$root/build/native}
win64=${2:-$root/build/win64}
cmake --build "$native" --target tavix-hostsim -j2 >/dev/null || exit 1
cmake --build "$win64" --target e2e_tests ddepeer argrec tavix -j2 >/dev/null || exit 1
source "$root/bench/wine_display.sh"
"$root/tools/wine-run" --prefix "$win64/wineprefix" --init >/dev/null 2>&1
export TAVIX_DDE_BIG=$work/big.txt
status=0
for round in $(seq "${ROUNDS:-3}"); do
  WITH_HOST_SHOW=1 "$root/tests/e2e/with_host.sh" "$native/tools/hostsim/tavix-hostsim" \
    "$root/tests/e2e/scripts/dde_helpers.host" -- \
    "$root/tools/wine-run" --prefix "$win64/wineprefix" "$win64/tests/e2e/e2e_tests.exe" \
    --gtest_filter=DdeHelpers.* >"$work/out" 2>&1 || status=1
  grep -h "^dde:" "$work/out" | tee -a "$work/all"
done
exit $status
