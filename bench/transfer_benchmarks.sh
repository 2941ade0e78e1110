#!/usr/bin/env bash
# Transfers of the real terminal under Wine against the host simulator on
# loopback telnet, beside a minimal Windows receiver and sender moving the
# same bytes: a 4 MB download (blocks of 1020), a 1 MB upload (blocks of 127,
# each acknowledged), a 4 MB transparent print onto a private print server,
# and a screen image with the 25 trace pages. Prints figures; not a test.
#   bench/transfer_benchmarks.sh [NATIVE_BUILD] [WIN64_BUILD]
set -u
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
native=${1:-$root/build/native}
win64=${2:-$root/build/win64}
cmake --build "$native" --target tavix-hostsim -j2 >/dev/null || exit 1
cmake --build "$win64" --target bench_transfer_terminal bench_transfer_reference -j2 >/dev/null || exit 1
source "$root/bench/wine_display.sh"
run() { "$root/tools/wine-run" --prefix "$win64/wineprefix" "$@"; }
run --init >/dev/null 2>&1
hostsim=$native/tools/hostsim/tavix-hostsim
win() { sed 's|/|\\|g; s|^|Z:|' <<<"$1"; }

head -c 4194304 /dev/urandom >"$work/down.bin"
head -c 1048576 /dev/urandom >"$work/up.bin"
# The print stream: anything but NUL (telnet drops it), EOT (the terminal takes it) and DC4 (the end).
head -c 4400000 /dev/urandom | tr -d '\000\004\024' | head -c 4194304 >"$work/print.bin"
export BENCH_DOWN=$work/down.bin BENCH_UP=$work/up.bin BENCH_PRINT=$work/print.bin

# The machine may be shared: the reference and the terminal take turns,
# ROUNDS times (default 3), and the medians are compared.
rounds=${ROUNDS:-3}
reference() {
  WITH_HOST_SHOW=1 "$root/tests/e2e/with_host.sh" "$hostsim" "$root/bench/transfer_reference.host" -- \
    bash -c 'exec "$0" "$1" "$TAVIX_HOST_PORT" "$2" "$3"' "$root/tools/wine-run" "$win64/bench/bench_transfer_reference.exe" \
    "$(win "$work/ref-down.bin")" "$(win "$work/up.bin")" 2>&1 | grep -h "^reference:" | sort -u
}
terminal() {
  WITH_HOST_SHOW=1 "$root/tests/e2e/with_cups.sh" "$work/cups" -- \
    "$root/tests/e2e/with_host.sh" "$hostsim" "$root/bench/transfers.host" -- \
    "$root/tools/wine-run" --prefix "$win64/wineprefix" "$win64/bench/bench_transfer_terminal.exe" \
    "$(win "$work/down.bin")" "$(win "$work/up.bin")" >"$work/terminal.out" 2>&1
  local status=$?
  grep -h "^terminal:" "$work/terminal.out" | sort -u
  if cmp -s "$work/cups/spool/d00001-001" "$work/print.bin"; then
    echo "terminal: the print job holds the stream"
  else
    echo "terminal: the print job DIFFERS from the stream"
  fi
  return $status
}
status=0
for round in $(seq "$rounds"); do
  echo "== round $round"
  reference | tee -a "$work/all.out"
  terminal | tee -a "$work/all.out" || status=1
done
median() { grep -h "^$1:.*$2" "$work/all.out" | sed 's/.* \([0-9]*\) ms$/\1/' | sort -n | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'; }
echo "== medians of $rounds rounds"
for what in download upload; do
  r=$(median reference "$what of"); t=$(median terminal "$what of")
  awk -v w="$what" -v r="$r" -v t="$t" 'BEGIN { printf "%s: reference %d ms, terminal %d ms: the terminal runs at %.0f%% of the reference\n", w, r, t, 100 * r / t }'
done
p=$(median terminal "transparent print")
awk -v p="$p" 'BEGIN { printf "transparent print of 4 MB: %d ms, %.1f MB/s\n", p, 4 * 1000 / p }'
image=$(grep -h "^terminal: screen image" "$work/all.out" | sed 's/.* in \([0-9]*\) ms.*/\1/' | sort -n | awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}')
echo "screen image with the 25 trace pages: $image ms from the save dialog's OK"
exit $status
