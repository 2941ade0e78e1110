#!/usr/bin/env bash
# The terminal under Wine against the demo host: the host simulator plays
# tools/hostsim/scripts/demo.host on a free loopback port, and tavix.exe
# connects to it ("Proxy" mode, auto-connect). On the user's display the demo
# runs until the terminal is closed; without a display it runs on a private
# Xvfb, writes a screenshot to build/demo/screenshot.png once the terminal's
# screen shows the demo's first customer, and ends (status 1 when it never did).
#
# Every run starts with the demo's own settings: the terminal runs in a Wine
# prefix of its own (build/demo/wineprefix, made on first use), whose per-user
# folder (where the terminal keeps its copy of corvane.ini) is emptied first.
#
#   tools/demo.sh [SECONDS]   seconds to wait after the first screen, before the screenshot (default 1)
set -u
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
WAIT=${1:-1}
WIN64=$ROOT/build/win64
TAVIX=$WIN64/shell/main/tavix.exe
HOSTSIM=$WIN64/tools/hostsim/tavix-hostsim
DEMO=$ROOT/build/demo
PREFIX=$DEMO/wineprefix
mkdir -p "$ROOT/build/logs" "$DEMO"
log=$ROOT/build/logs/demo-build.log
if ! "$ROOT/tools/build.sh" win64 tavix tavix_hostsim_host </dev/null >"$log" 2>&1; then
  tail -n 40 "$log" >&2
  echo "demo: building the terminal failed (full output: $log)" >&2
  exit 1
fi

pids=()
xvfb=
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
  "$ROOT/tools/wine-run" --prefix "$PREFIX" --kill >/dev/null 2>&1
}
trap cleanup EXIT

headless=0
if [ -z "${DISPLAY:-}" ]; then
  headless=1
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$DEMO/display" </dev/null >/dev/null 2>&1 &
  xvfb=$!
  for _ in $(seq 100); do [ -s "$DEMO/display" ] && break; sleep 0.05; done
  export DISPLAY=:$(head -n1 "$DEMO/display")
fi

# The simulator appends to its log: a new one, so that an earlier run's
# "screen matches" is not taken for this run's.
rm -f "$DEMO/port" "$DEMO/host.log"
"$HOSTSIM" --port 0 --port-file "$DEMO/port" --log "$DEMO/host.log" \
  "$ROOT/tools/hostsim/scripts/demo.host" </dev/null >"$DEMO/host.out" 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -s "$DEMO/port" ] && break; sleep 0.05; done
port=$(cat "$DEMO/port" 2>/dev/null) || { echo "demo: the host simulator did not start" >&2; exit 1; }

# The terminal's folder: its configuration, and (on Windows NT) its per-user folder below.
run_dir=$DEMO/terminal
rm -rf "$run_dir" "$PREFIX"/drive_c/users/*/Corvane
mkdir -p "$run_dir"
printf '[Config]\r\nmode=9\r\nhost=127.0.0.1\r\nProxy port=%s\r\nAutoconnect=1\r\nuserid=demo\r\n[Font]\r\nmode=0\r\n' \
  "$port" >"$run_dir/corvane.ini"
echo "Demo host on 127.0.0.1:$port; starting tavix.exe under Wine (display $DISPLAY)"
(cd "$run_dir" && exec "$ROOT/tools/wine-run" --prefix "$PREFIX" "$TAVIX") &
term=$!
pids+=($term)
if [ $headless = 1 ]; then
  rm -f "$DEMO/screenshot.png"
  # The host checks the terminal's own screen dump for its first customer.
  shown=0
  for _ in $(seq 600); do
    grep -q "screen matches" "$DEMO/host.log" 2>/dev/null && { shown=1; break; }
    kill -0 "$term" 2>/dev/null || break
    sleep 0.1
  done
  if [ $shown = 0 ]; then
    echo "demo: the terminal did not show the demo's first screen (host log: $DEMO/host.log)" >&2
    exit 1
  fi
  sleep "$WAIT"
  command -v import >/dev/null || exit 0
  # A loaded machine may paint late: shoot again (for up to 10 s) until the
  # customer form's navy window is in the picture.
  for _ in $(seq 20); do
    import -window root "$DEMO/screenshot.png" || break
    navy=$(convert "$DEMO/screenshot.png" -format %c histogram:info:- 2>/dev/null |
           sed -n 's/^ *\([0-9]*\):.*#000080\b.*/\1/p' | head -n1)
    [ "${navy:-0}" -ge 60000 ] && break
    sleep 0.5
  done
  echo "Screenshot: $DEMO/screenshot.png"
  exit 0
fi
wait "$term"
