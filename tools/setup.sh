#!/usr/bin/env bash
# Installs the Debian packages that building and testing tavix need. Run as root; safe to
# run again: when everything is there it asks apt nothing and prints nothing.
#   tools/setup.sh            install what is missing
#   tools/setup.sh --check    only list what is missing (exit status 1 if anything is)
set -eu

# One package a line, with why. Add what your tests need here.
PACKAGES="
cmake                        # build
ninja-build                  # build (faster than make; make is used when it is missing)
g++                          # native build: engine library, unit tests, tools
googletest                   # GoogleTest sources, built for the Windows targets
libgtest-dev                 # GoogleTest for the native build
clang                        # libFuzzer build
libclang-rt-14-dev           # libFuzzer, AddressSanitizer and UBSan runtimes for clang
g++-mingw-w64-x86-64-posix   # 64-bit Windows target (posix threads: std::thread, GoogleTest)
g++-mingw-w64-i686-posix     # 32-bit Windows target
wine64                       # runs the 64-bit Windows test programs (this kernel cannot run 32-bit code)
xvfb                         # headless X display for Windows programs with windows
xauth                        # xvfb-run and Xvfb authorisation
x11-apps                     # xwd: screenshots of the Xvfb display
x11-utils                    # xdpyinfo, xwininfo: waiting for and finding windows
imagemagick                  # import/convert: screenshots to PNG
xclip                        # reading the X clipboard in end-to-end tests
socat                        # serial-line tests: pseudo-terminal pairs; runs telnetd for the e2e tests
inetutils-telnetd            # a real telnet server for the end-to-end auto-login test
passwd                       # useradd/chpasswd for that test's user
fonts-liberation             # Wine's fixed-pitch fallback font
xfonts-terminus              # code page 437 friendly bitmap fonts
fonts-terminus
time                         # /usr/bin/time: the replay tool's constant-memory test
libvterm-dev                 # benchmark peer of the replay tool (bench/), never linked into the product
cups-daemon                  # a private print server for the printing end-to-end tests
cups-client                  # lpstat/lpadmin for that server; Wine's printing reaches it through libcups
libtiff-tools                # tiffdump/tiffinfo read the terminal's TIFF screen images
libtiff-dev                  # native tests decode the TIFF writer's rows with libtiff
openjdk-17-jdk-headless      # jni.h for the roster library; javac -h checks its export names
nsis                         # makensis: the Windows installer (tavix-setup.exe)
python3                      # bench/image_benchmarks.sh writes its 12000 x 16000 test page
"

wanted() { sed -e 's/#.*//' <<<"$PACKAGES" | tr -s ' \n' '\n' | sed '/^$/d'; }

missing=()
for pkg in $(wanted); do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$pkg" 2>/dev/null || true)
  [ "$status" = installed ] || missing+=("$pkg")
done

if [ "${1:-}" = --check ]; then
  [ ${#missing[@]} -eq 0 ] && exit 0
  echo "missing packages: ${missing[*]}"
  exit 1
fi

[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "setup: missing packages: ${missing[*]}" >&2
  echo "setup: run as root (sudo tools/setup.sh) to install them" >&2
  exit 1
fi

echo "setup: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt_get() { apt-get -q -y -o Dpkg::Use-Pty=0 -o Dpkg::Options::=--force-confold "$@" </dev/null; }
log=$(mktemp /tmp/tavix-setup.XXXXXX.log)
if ! { apt_get update && apt_get install "${missing[@]}"; } >"$log" 2>&1; then
  echo "setup: apt-get failed; its output:" >&2
  tail -n 40 "$log" >&2
  exit 1
fi
apt-get clean >/dev/null 2>&1 || true
rm -f "$log"

# Check the install really brought what the build calls.
for tool in cmake x86_64-w64-mingw32-g++-posix i686-w64-mingw32-g++-posix clang++ /usr/lib/wine/wine64 Xvfb; do
  command -v "$tool" >/dev/null 2>&1 || { echo "setup: $tool is still missing after the install" >&2; exit 1; }
done
echo "setup: done"
