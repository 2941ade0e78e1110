#!/usr/bin/env bash
# The README's main command as a new user runs it, headless: `tools/run.sh`
# must end well, the demo host must have seen its first customer on the
# terminal's own screen (the session log's "screen matches"), and the
# screenshot must show that screen: the yellow field values and the navy
# window of the customer form.
#   tests/demo/check_demo.sh [LABEL]
set -u
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
label=${1:-demo}
demo=$ROOT/build/demo
if ! env -u DISPLAY "$ROOT/tools/run.sh" </dev/null >"$ROOT/build/logs/$label.log" 2>&1; then
  echo "$label: tools/run.sh failed:"; sed 's/^/  /' "$ROOT/build/logs/$label.log"
  [ -f "$demo/host.log" ] && { echo "  host log:"; tail -n 20 "$demo/host.log" | sed 's/^/    /'; }
  exit 1
fi
if ! grep -q "screen matches at 5 24" "$demo/host.log"; then
  echo "$label: the host never saw its first customer on the terminal's screen"; tail -n 20 "$demo/host.log"; exit 1
fi
[ -f "$demo/screenshot.png" ] || { echo "$label: no screenshot"; exit 1; }
# Pixel counts per colour of the screenshot.
histogram=$(convert "$demo/screenshot.png" -format %c histogram:info:- 2>&1)
count() { sed -n "s/^ *\([0-9]*\):.*#$1\b.*/\1/p" <<<"$histogram" | head -n1; }
yellow=$(count FFFF00) navy=$(count 000080)
yellow=${yellow:-0} navy=${navy:-0}
# The ten field values (about 48 x 10 cells of 10 x 18) and the form's window.
if [ "$yellow" -lt 40000 ] || [ "$navy" -lt 60000 ]; then
  echo "$label: the screenshot does not show the customer screen ($yellow yellow, $navy navy pixels)"
  exit 1
fi
echo "$label: demo screen shown ($yellow yellow, $navy navy pixels)"
