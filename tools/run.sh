#!/usr/bin/env bash
# The README's run command: installs what is missing, builds what is not built (build/native)
# and shows the sample host stream through the engine with the replay tool: the screen the
# host's bytes leave, its attribute classes and the cursor.
#
#   tools/run.sh [STREAM]     default STREAM: tests/streams/demo.host
set -eu

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$ROOT"
STREAM=${1:-tests/streams/demo.host}
REPLAY=build/native/tools/replay/tavix-replay

"$ROOT/tools/setup.sh"

if [ ! -f "$STREAM" ]; then
  echo "run: the host stream $STREAM is not there" >&2
  exit 1
fi

# Build (or bring up to date) the replay tool; the output goes to a log unless it fails.
mkdir -p build/logs
log=build/logs/run-build.log
if ! "$ROOT/tools/build.sh" native tavix-replay </dev/null >"$log" 2>&1; then
  tail -n 40 "$log" >&2
  echo "run: building the replay tool failed (full output: $log)" >&2
  exit 1
fi
if [ ! -x "$REPLAY" ]; then
  echo "run: the build made no $REPLAY" >&2
  exit 1
fi

echo "Host stream $STREAM through the engine (screen, attribute classes, cursor):"
exec "$REPLAY" --attrs --cursor "$STREAM"
