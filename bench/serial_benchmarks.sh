#!/usr/bin/env bash
# Benchmarks of the real terminal on a serial line under Wine: a pseudo-terminal
# pair mapped as COM1, bench_serial_host on its far end. A 1 MB flood until its
# end marker shows in the terminal's screen dump, and ten seconds paced at
# 57600 baud with every row checked and the last one timed. Prints figures;
# not a test.
#   bench/serial_benchmarks.sh [RELEASE_BUILD] [WIN64_BUILD]
set -u
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
release=${1:-$root/build/release}
win64=${2:-$root/build/win64}
cmake --build "$release" --target bench_engine bench_serial_host -j2 >/dev/null || exit 1
cmake --build "$win64" --target bench_flood_terminal -j2 >/dev/null || exit 1
work=$(mktemp -d)
xvfb= socat_pid= mapped=0
run() { "$root/tools/wine-run" --prefix "$win64/wineprefix" "$@"; }
cleanup() {
  [ -n "$socat_pid" ] && kill "$socat_pid" 2>/dev/null
  if [ $mapped = 1 ]; then
    run reg delete 'HKLM\Software\Wine\Ports' /v COM1 /f </dev/null >/dev/null 2>&1
    case $(readlink "$win64/wineprefix/dosdevices/com1") in "$work"/*) rm -f "$win64/wineprefix/dosdevices/com1" ;; esac
  fi
  run --kill >/dev/null 2>&1
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
if [ -z "${DISPLAY:-}" ]; then
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" </dev/null >/dev/null 2>&1 &
  xvfb=$!
  for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
  export DISPLAY=:$(head -n1 "$work/display")
fi
"$release/bench/bench_engine" --write "$work/flood.bin" 1 || exit 1
socat pty,raw,echo=0,link="$work/com1" pty,raw,echo=0,link="$work/far" </dev/null >/dev/null 2>&1 &
socat_pid=$!
for _ in $(seq 100); do [ -e "$work/com1" ] && [ -e "$work/far" ] && break; sleep 0.05; done
run --init >/dev/null 2>&1
mapped=1
run reg add 'HKLM\Software\Wine\Ports' /v COM1 /d "$work/com1" /f </dev/null >/dev/null 2>&1
run --init >/dev/null 2>&1

echo "== serial line (COM1 on a pseudo-terminal)"
"$release/bench/bench_serial_host" "$work/far" "$work/flood.bin" &
host=$!
run "$win64/bench/bench_flood_terminal.exe" serial >"$work/terminal.out" 2>&1 &
terminal=$!
wait "$host"
status=$?
# The line goes: the terminal offers to reconnect, the benchmark declines and closes it.
kill "$socat_pid" 2>/dev/null
socat_pid=
wait "$terminal" || cat "$work/terminal.out"
exit $status
