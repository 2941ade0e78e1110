#!/usr/bin/env bash
# Runs a command against the host simulator playing one script:
#   with_host.sh HOSTSIM SCRIPT -- COMMAND [ARGS...]
# The simulator listens on a free loopback port, given to the command as
# TAVIX_HOST_PORT (or in the variable WITH_HOST_VAR names, so that a second
# simulator can be nested inside). Passes when both the command and the
# script's checks pass.
set -u
hostsim=$1 script=$2
port_var=${WITH_HOST_VAR:-TAVIX_HOST_PORT}
unset WITH_HOST_VAR
shift 3
work=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT
"$hostsim" --port 0 --port-file "$work/port" --once --accept-timeout 60000 --log "$work/log" "$script" \
  </dev/null >"$work/out" 2>&1 &
pid=$!
for _ in $(seq 200); do
  [ -s "$work/port" ] && break
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.05
done
if [ ! -s "$work/port" ]; then
  echo "with_host: the host simulator did not start"; cat "$work/out"; exit 1
fi
export "$port_var=$(cat "$work/port")"
"$@"
rc=$?
# The session ends when the terminal goes; give the simulator a moment.
for _ in $(seq 200); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
kill "$pid" 2>/dev/null
wait "$pid"
hs=$?
[ -n "${WITH_HOST_SHOW:-}" ] && cat "$work/out"
if [ $rc -ne 0 ] || [ $hs -ne 0 ]; then
  echo "with_host: command exit $rc, host simulator exit $hs"
  echo "--- simulator output"; cat "$work/out"
  echo "--- session log"; tail -c 4000 "$work/log"
fi
[ $rc -eq 0 ] && [ $hs -eq 0 ]
