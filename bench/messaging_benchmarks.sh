#!/usr/bin/env bash
# PC messaging of the real terminal under Wine against the host simulator:
# the pickup latency of 20 files renamed into "FromPC" one by one while the
# host waits in an input field of the second form (from the rename to the
# last byte at the simulator), and a 1 MB outbox file, with the longest time
# the window took to answer meanwhile. Prints figures; not a test.
#   bench/messaging_benchmarks.sh [NATIVE_BUILD] [WIN64_BUILD]
set -u
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
native=${1:-$root/build/native}
win64=${2:-$root/build/win64}
cmake --build "$native" --target tavix-hostsim -j2 >/dev/null || exit 1
cmake --build "$win64" --target bench_messaging_terminal -j2 >/dev/null || exit 1
source "$root/bench/wine_display.sh"
"$root/tools/wine-run" --prefix "$win64/wineprefix" --init >/dev/null 2>&1
hostsim=$native/tools/hostsim/tavix-hostsim

export TAVIX_MSG_DIR=$work/msg
mkdir -p "$TAVIX_MSG_DIR/stage"
script=$work/messaging.host
{
  echo "timeout 20000"
  echo "telnet-negotiate"
  echo "expect-telnet WONT 24"
  echo "expect-telnet WONT 31"
  echo "clear"
  echo "wait 2000"
  for n in $(seq -w 1 20); do
    printf 'file %s\nof the pickup benchmark\n' "$n" >"$TAVIX_MSG_DIR/stage/p$n.txt"
    echo "send \\ei{10}{2}{20}{0}{0}{0}\\n"
    echo "move-file \$TAVIX_MSG_DIR/stage/p$n.txt \$TAVIX_MSG_DIR/FromPC/p$n.txt"
    echo "expect-exact p$n.txt\\xFEfile $n\\xFDof the pickup benchmark\\xFD\\xFE\\xBA\\s\\s\\s\\n"
    echo "clock-print pickup p$n"
    echo "ready"
  done
  # 1 MB of lines of printable text.
  awk 'BEGIN { line = "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"; for (i = 0; i < 16384; i++) print line }' \
    >"$TAVIX_MSG_DIR/stage/big.txt"
  echo "send \\ei{10}{2}{20}{0}{0}{0}\\n"
  echo "move-file \$TAVIX_MSG_DIR/stage/big.txt \$TAVIX_MSG_DIR/FromPC/big.txt"
  echo "read-until \\xBA"
  echo "clock-print one megabyte"
  echo "expect-exact \\s\\s\\s\\n"
  echo "close"
} >"$script"
out=$work/out
WITH_HOST_SHOW=1 "$root/tests/e2e/with_host.sh" "$hostsim" "$script" -- \
  "$root/tools/wine-run" --prefix "$win64/wineprefix" "$win64/bench/bench_messaging_terminal.exe" \
  "$(sed 's|/|\\|g; s|^|Z:|' <<<"$TAVIX_MSG_DIR")" >"$out" 2>&1
status=$?
grep -h "^pickup\|^one megabyte\|^terminal:" "$out"
grep -h "^pickup" "$out" | sed 's/.* \([0-9]*\) ms$/\1/' | sort -n |
  awk '{v[NR] = $1} END { if (NR) printf "pickup of %d files: median %d ms, worst %d ms\n", NR, v[int((NR + 1) / 2)], v[NR] }'
[ $status -eq 0 ] || { echo "the session failed:"; cat "$out"; }
exit $status
