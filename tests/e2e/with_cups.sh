#!/usr/bin/env bash
# Runs a command with a private print server:
#   with_cups.sh DIR -- COMMAND [ARGS...]
# A cupsd of its own (config, socket, spool and logs in DIR, which is made
# afresh) with one raw queue, "tavix-raw", as the default printer; job files
# are kept, so job N's bytes stay in DIR/spool/d0000N-001. The command gets
#   CUPS_SERVER        the server's socket (Wine's printing reaches it through libcups)
#   TAVIX_CUPS_SPOOL   the spool folder
#   TAVIX_CUPS_QUEUE   the queue's name
# The server is stopped afterwards; the exit status is the command's. Needs
# cups-daemon and cups-client (tools/setup.sh), and root for cupsd.
set -u
dir=$1
shift 2
rm -rf "$dir"
mkdir -p "$dir"/{etc,spool,tmp,cache,state,log} || exit 1
dir=$(cd "$dir" && pwd)
socket=$dir/cups.sock
cat >"$dir/etc/cupsd.conf" <<CONF
Listen $socket
LogLevel warn
Browsing No
WebInterface No
DefaultAuthType None
PreserveJobFiles Yes
PreserveJobHistory Yes
MaxJobs 0
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  JobPrivateAccess all
  JobPrivateValues none
  SubscriptionPrivateAccess all
  SubscriptionPrivateValues none
  <Limit All>
    Order deny,allow
    Allow all
  </Limit>
</Policy>
CONF
cat >"$dir/etc/cups-files.conf" <<CONF
ServerRoot $dir/etc
RequestRoot $dir/spool
TempDir $dir/tmp
CacheDir $dir/cache
StateDir $dir/state
ErrorLog $dir/log/error_log
AccessLog $dir/log/access_log
PageLog $dir/log/page_log
FileDevice Yes
CONF
/usr/sbin/cupsd -f -c "$dir/etc/cupsd.conf" -s "$dir/etc/cups-files.conf" </dev/null >"$dir/log/cupsd.out" 2>&1 &
pid=$!
trap 'kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null' EXIT
export CUPS_SERVER=$socket TAVIX_CUPS_SPOOL=$dir/spool TAVIX_CUPS_QUEUE=tavix-raw
for _ in $(seq 200); do
  [ -S "$socket" ] && lpstat -r >/dev/null 2>&1 && break
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.05
done
if ! lpstat -r >/dev/null 2>&1; then
  echo "with_cups: the print server did not start"; cat "$dir/log/cupsd.out" "$dir/log/error_log" 2>/dev/null; exit 1
fi
if ! lpadmin -p "$TAVIX_CUPS_QUEUE" -E -v file:/dev/null -m raw >"$dir/log/lpadmin.out" 2>&1 ||
   ! lpadmin -d "$TAVIX_CUPS_QUEUE" >>"$dir/log/lpadmin.out" 2>&1; then
  echo "with_cups: the raw queue could not be made"; cat "$dir/log/lpadmin.out"; exit 1
fi
"$@"
