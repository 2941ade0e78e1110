#!/usr/bin/env bash
# Runs a command against Debian's telnet server on a free loopback port:
#   with_telnetd.sh -- COMMAND [ARGS...]
# The server (telnetd under socat, as inetd would run it) logs in the test
# user "tavixtest" (password "Secret-42", created when missing: needs root),
# whose login writes /tmp/tavix-telnetd/logged-in. The command gets the port
# as TAVIX_TELNETD_PORT and the marker's path as TAVIX_LOGIN_MARKER.
set -u
shift
telnetd=/usr/sbin/telnetd
if [ ! -x "$telnetd" ] || ! command -v socat >/dev/null; then
  echo "with_telnetd: telnetd or socat is missing (tools/setup.sh installs them)"; exit 1
fi
if [ "$(id -u)" != 0 ]; then
  echo "with_telnetd: needs root to create the test user"; exit 1
fi
if ! id tavixtest >/dev/null 2>&1; then
  useradd -m -s /bin/sh tavixtest || exit 1
fi
echo 'tavixtest:Secret-42' | chpasswd || exit 1
marker_dir=/tmp/tavix-telnetd
mkdir -p "$marker_dir" && chmod 1777 "$marker_dir"
rm -f "$marker_dir/logged-in"
home=$(getent passwd tavixtest | cut -d: -f6)
cat >"$home/.profile" <<'PROFILE'
echo "logged in" > /tmp/tavix-telnetd/logged-in
PROFILE
chown tavixtest "$home/.profile"
# A free high port: one nobody answers on.
port=
for _ in $(seq 50); do
  candidate=$((20000 + RANDOM % 30000))
  if ! (exec 3<>"/dev/tcp/127.0.0.1/$candidate") 2>/dev/null; then port=$candidate; break; fi
done
[ -n "$port" ] || { echo "with_telnetd: no free port"; exit 1; }
socat "TCP-LISTEN:$port,bind=127.0.0.1,reuseaddr,fork" "EXEC:$telnetd -h,nofork" </dev/null >/dev/null 2>&1 &
pid=$!
trap 'kill "$pid" 2>/dev/null; pkill -u tavixtest 2>/dev/null' EXIT
for _ in $(seq 100); do
  (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null && break
  sleep 0.05
done
export TAVIX_TELNETD_PORT=$port
export TAVIX_LOGIN_MARKER=$marker_dir/logged-in
"$@"
