#!/usr/bin/env bash
# Runs a Windows test against serial lines:
#   with_serial.sh HOSTSIM COM1SCRIPT COM2SCRIPT POOLSCRIPT -- WINE-RUN PROGRAM [ARGS...]
# Two pseudo-terminal pairs (socat pty,raw,echo=0) are mapped as the terminal's
# COM1 and COM2; COM3-COM7 are mapped to a path that does not exist, so no
# test ever opens a real device. The host simulator plays COM1SCRIPT raw on
# the far end of COM1 (the modem, then the host), COM2SCRIPT on COM2 (the
# auxiliary device) and POOLSCRIPT over telnet (a modem pool; its port is
# TAVIX_POOL_PORT). Once `stty` sees COM1 at 19200 baud the file
# "$TAVIX_SERIAL_DIR/speed-19200" appears.
# The mappings live in the Wine prefix's registry: the wineserver is restarted
# to take them up, and again once they are removed, so no other test sees them.
# Passes when the command and every script pass.
set -u
hostsim=$1 com1_script=$2 com2_script=$3 pool_script=$4
shift 5
wine_run=$1
work=$(mktemp -d)
pids=()
holders_open=0
ports_mapped=0

cleanup() {
  if [ $holders_open = 1 ]; then exec 7>&- 8>&-; fi
  if [ $ports_mapped = 1 ]; then
    for n in 1 2 3 4 5 6 7; do
      "$wine_run" reg delete 'HKLM\Software\Wine\Ports' /v "COM$n" /f </dev/null >/dev/null 2>&1
    done
    # The device links Wine made from the mappings go too; it makes its own again.
    local prefix link
    prefix=$("$wine_run" --print-prefix)
    for link in "$prefix"/dosdevices/com*; do
      case $(readlink "$link") in "$work"/*) rm -f "$link" ;; esac
    done
    "$wine_run" --init </dev/null >/dev/null 2>&1
  fi
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
  rm -rf "$work"
}
trap cleanup EXIT

# A simulator on a free loopback port; its port in $work/NAME.port.
start_sim() {
  local name=$1 script=$2
  shift 2
  "$hostsim" --port 0 --port-file "$work/$name.port" --once --accept-timeout 120000 --log "$work/$name.log" "$@" \
    "$script" </dev/null >"$work/$name.out" 2>&1 &
  pids+=($!)
  eval "${name}_pid=$!"
  for _ in $(seq 200); do
    [ -s "$work/$name.port" ] && return 0
    sleep 0.05
  done
  echo "with_serial: the $name simulator did not start"; cat "$work/$name.out"; exit 1
}

start_sim com1 "$com1_script" --raw
start_sim com2 "$com2_script" --raw
start_sim pool "$pool_script"

# The far end of each line is the simulator; the near end is the terminal's port.
socats=()
for n in 1 2; do
  socat -d -d "pty,raw,echo=0,link=$work/com$n" "tcp:127.0.0.1:$(cat "$work/com$n.port")" \
    </dev/null >"$work/socat$n.log" 2>&1 &
  socats+=($!)
  pids+=($!)
done
for _ in $(seq 200); do
  [ -e "$work/com1" ] && [ -e "$work/com2" ] && break
  sleep 0.05
done
[ -e "$work/com1" ] && [ -e "$work/com2" ] || { echo "with_serial: no pseudo-terminals"; cat "$work"/socat*.log; exit 1; }
# Held open here as well, so a line outlives the terminal's close and reopen.
exec 7<>"$work/com1" 8<>"$work/com2"
holders_open=1

ports_mapped=1
"$wine_run" reg add 'HKLM\Software\Wine\Ports' /v COM1 /d "$work/com1" /f </dev/null >/dev/null 2>&1 &&
  "$wine_run" reg add 'HKLM\Software\Wine\Ports' /v COM2 /d "$work/com2" /f </dev/null >/dev/null 2>&1 || {
  echo "with_serial: cannot map the ports"; exit 1; }
for n in 3 4 5 6 7; do
  "$wine_run" reg add 'HKLM\Software\Wine\Ports' /v "COM$n" /d "$work/no-such-device-$n" /f </dev/null >/dev/null 2>&1
done
"$wine_run" --init </dev/null >/dev/null 2>&1 || { echo "with_serial: the wineserver did not restart"; exit 1; }

( for _ in $(seq 1200); do
    if stty -F "$work/com1" 2>/dev/null | grep -q 'speed 19200 baud'; then touch "$work/speed-19200"; exit 0; fi
    sleep 0.1
  done ) &
pids+=($!)

export TAVIX_POOL_PORT=$(cat "$work/pool.port")
export TAVIX_SERIAL_DIR=$work
"$@"
rc=$?

# The lines go: the simulators' sessions end as when a terminal leaves.
for p in "${socats[@]}"; do kill "$p" 2>/dev/null; done
status=0
for name in com1 com2 pool; do
  pid_var=${name}_pid
  for _ in $(seq 100); do kill -0 "${!pid_var}" 2>/dev/null || break; sleep 0.05; done
  kill "${!pid_var}" 2>/dev/null
  wait "${!pid_var}"
  s=$?
  if [ $s -ne 0 ]; then
    status=1
    echo "--- $name simulator (exit $s)"; cat "$work/$name.out"; echo "--- $name log"; tail -c 3000 "$work/$name.log"
  fi
done
[ $rc -ne 0 ] && echo "with_serial: command exit $rc"
[ $rc -eq 0 ] && [ $status -eq 0 ]
