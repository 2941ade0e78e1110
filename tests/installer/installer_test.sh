#!/usr/bin/env bash
# The installer end to end, in a Wine prefix of its own made for the run:
#   installer_test.sh WINE_RUN SETUP_EXE HOSTSIM PROBE_EXE WORK_DIR
# 1. tavix-setup.exe /S /D=C:\Tavix installs the deliverables, the fonts and
#    their licence, the Start-menu entries, the uninstaller and HKLM STARTUP;
# 2. the installed tavix.exe, started from its shortcut's folder, connects to
#    the host simulator and shows the demo host's first screen;
# 3. roster_probe.exe loads the installed Roster.dll, which finds the
#    installed helper.dll through STARTUP;
# 4. uninstall.exe /S removes everything of ours but the user's settings.
set -u
wine_run=$1 setup=$2 hostsim=$3 probe=$4 work=$5
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
prefix=$work/prefix
drive=$prefix/drive_c
install_dir='C:\Tavix'
installed=$drive/Tavix
menu="$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/Tavix"
terminal_key='HKLM\SOFTWARE\Corvane\Corvane Terminal Emulator'
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tavix'

host_pid= term_pid=
cleanup() {
  [ -n "$term_pid" ] && kill "$term_pid" 2>/dev/null
  [ -n "$host_pid" ] && kill "$host_pid" 2>/dev/null
  "$wine_run" --prefix "$prefix" --kill
}
trap cleanup EXIT
failures=0
fail() { echo "installer_test: FAIL: $*"; failures=$((failures + 1)); }
step() { echo "installer_test: $* ($(( $(date +%s) - start )) s)"; }
start=$(date +%s)

rm -rf "$work"
mkdir -p "$work"
"$wine_run" --prefix "$prefix" --init >"$work/init.log" 2>&1 || { cat "$work/init.log"; exit 1; }
step "fresh prefix ready"
reg_query() { "$wine_run" --prefix "$prefix" reg.exe query "$@" 2>/dev/null | tr -d '\r'; }

# 1. Install, silently, into the folder given.
"$wine_run" --prefix "$prefix" "$setup" /S "/D=$install_dir" || fail "the installer ended with status $?"
step "installed"
for f in tavix.exe helper.dll MoxelTester.dll Roster.dll uninstall.exe fonts/OFL.txt fonts/Corvane.ttf \
         fonts/DOS10x18.fon fonts/DOS7x12.fon fonts/Full8x19.fon fonts/Full10x24.fon fonts/Full12x30.fon \
         fonts/Full14x34.fon fonts/Full16x40.fon fonts/Full20x48.fon; do
  [ -s "$installed/$f" ] || fail "$install_dir\\$f was not installed"
done
cmp -s "$installed/fonts/OFL.txt" "$root/resources/fonts/OFL.txt" || fail "the installed OFL.txt is not the fonts' licence"
[ -s "$menu/Tavix.lnk" ] || fail "no Start-menu entry for Tavix"
# The shortcut names the installed terminal (its path is stored as text).
LC_ALL=C grep -aqi 'C:\\Tavix\\tavix.exe' "$menu/Tavix.lnk" || fail "the Start-menu entry does not start C:\Tavix\tavix.exe"
[ -s "$menu/Uninstall Tavix.lnk" ] || fail "no Start-menu entry for the uninstaller"
reg_query "$terminal_key" /v STARTUP | grep -q "STARTUP *REG_SZ *C:\\\\Tavix\$" ||
  fail "HKLM STARTUP is not the installation folder: $(reg_query "$terminal_key" /v STARTUP)"
reg_query "$uninstall_key" /v UninstallString | grep -qi 'C:\\Tavix\\uninstall.exe' || fail "no uninstall entry"

# 2. The installed terminal against the host simulator's demo host. Its
#    configuration is the user's own: started in the installation folder, it
#    keeps it in %USERPROFILE%\Corvane.
"$hostsim" --port 0 --port-file "$work/port" --log "$work/host.log" "$root/tools/hostsim/scripts/demo.host" \
  </dev/null >"$work/host.out" 2>&1 &
host_pid=$!
for _ in $(seq 100); do [ -s "$work/port" ] && break; sleep 0.05; done
port=$(cat "$work/port" 2>/dev/null) || { fail "the host simulator did not start"; exit 1; }
user_dir=$drive/users/$(id -un)
mkdir -p "$user_dir/Corvane"
printf '[Config]\r\nmode=9\r\nhost=127.0.0.1\r\nProxy port=%s\r\nAutoconnect=1\r\nuserid=demo\r\n[Font]\r\nmode=0\r\n' \
  "$port" >"$user_dir/Corvane/corvane.ini"
(cd "$installed" && exec "$wine_run" --prefix "$prefix" "$installed/tavix.exe") </dev/null >"$work/tavix.out" 2>&1 &
term_pid=$!
shown=0
for _ in $(seq 600); do
  grep -q "screen matches" "$work/host.log" 2>/dev/null && { shown=1; break; }
  kill -0 "$term_pid" 2>/dev/null || break
  sleep 0.1
done
[ $shown = 1 ] || fail "the installed terminal did not show the demo host's first screen"
step "terminal connected"

# 3. Roster finds the helper library through the registry (beside the
#    running terminal, as a Java program on the same machine would).
probe_out=$("$wine_run" --prefix "$prefix" "$probe" "$install_dir")
probe_status=$?
echo "$probe_out" | tr -d '\r'
[ $probe_status -eq 0 ] || fail "the roster probe failed (status $probe_status)"

kill "$term_pid" 2>/dev/null
wait "$term_pid" 2>/dev/null
term_pid=
kill "$host_pid" 2>/dev/null
wait "$host_pid" 2>/dev/null
host_pid=
step "terminal closed"

# 4. Uninstall. The uninstaller runs from a copy of itself and returns at
#    once: wait for the folder to go.
"$wine_run" --prefix "$prefix" "$installed/uninstall.exe" /S || fail "the uninstaller ended with status $?"
for _ in $(seq 300); do [ -e "$installed" ] || break; sleep 0.1; done
step "uninstalled"
[ -e "$installed" ] && fail "the installation folder is still there: $(cd "$installed" && find . | head)"
[ -e "$menu" ] && fail "the Start-menu folder is still there"
left=$(find "$drive" \( -iname tavix.exe -o -iname helper.dll -o -iname MoxelTester.dll -o -iname Roster.dll \
       -o -iname '*.fon' -o -iname Corvane.ttf \) -print 2>/dev/null)
[ -z "$left" ] || fail "files of ours are left: $left"
reg_query "$terminal_key" /v STARTUP | grep -q STARTUP && fail "HKLM STARTUP is still there"
reg_query "$uninstall_key" | grep -q DisplayName && fail "the uninstall entry is still there"
# The user's own settings stay.
[ -s "$user_dir/Corvane/corvane.ini" ] || fail "the user's settings went with the program"
grep -q "Proxy port=$port" "$user_dir/Corvane/corvane.ini" || fail "the user's settings were changed"

step "done, $failures failure(s)"
[ $failures -eq 0 ]
