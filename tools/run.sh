#!/usr/bin/env bash
# The README's run command: installs what is missing, builds what is not
# built, and runs the terminal under Wine against the demo host (the host
# simulator playing tools/hostsim/scripts/demo.host). On the user's display
# the demo runs until the terminal is closed; without a display it runs on a
# private Xvfb and writes a screenshot to build/demo/screenshot.png.
#
#   tools/run.sh            the terminal and the demo host
#   tools/run.sh --replay [STREAM]
#                           only the engine: a host stream (default
#                           tests/streams/demo.host) through the replay tool
set -eu

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$ROOT"
"$ROOT/tools/setup.sh"

if [ "${1:-}" != --replay ]; then
  exec "$ROOT/tools/demo.sh"
fi

STREAM=${2:-tests/streams/demo.host}
REPLAY=build/native/tools/replay/tavix-replay
if [ ! -f "$STREAM" ]; then
  echo "run: the host stream $STREAM is not there" >&2
  exit 1
fi
mkdir -p build/logs
log=build/logs/run-build.log
if ! "$ROOT/tools/build.sh" native tavix-replay </dev/null >"$log" 2>&1; then
  tail -n 40 "$log" >&2
  echo "run: building the replay tool failed (full output: $log)" >&2
  exit 1
fi
echo "Host stream $STREAM through the engine (screen, attribute classes, cursor):"
exec "$REPLAY" --attrs --cursor "$STREAM"
