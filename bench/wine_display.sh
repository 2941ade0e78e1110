# Sourced by the Wine benchmark scripts: a scratch folder in $work, a private Xvfb display
# unless DISPLAY is already set, and, on the way out, the display stopped, the prefix's
# wineserver ended and the scratch folder removed. Needs $root and $win64 set first.
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
