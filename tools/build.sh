#!/usr/bin/env bash
# Configures and builds one of the tree's build configurations, each in its own folder:
#
#   native   build/native   g++, Debug, AddressSanitizer + UBSan, unit tests, tools
#   release  build/release  g++, -O2 (RelWithDebInfo), no sanitizers, no tests: benchmarks
#   fuzz     build/fuzz     clang, libFuzzer + AddressSanitizer + UBSan, no unit tests
#   win64    build/win64    MinGW-w64 x86_64, tests run under 64-bit Wine
#   win32    build/win32    MinGW-w64 i686, tests built but not run (this kernel has no 32-bit)
#
#   tools/build.sh CONFIG [TARGET...]       configure (again) and build all or the targets
#   tools/build.sh --configure-only CONFIG  configure only
#
# Ninja is used when present, with -j2 (the machines have 2 cores; override with JOBS=).
# Extra cmake options for the configure step can go in TAVIX_CMAKE_ARGS; TAVIX_KEEP_GOING=1
# builds on past failures.
set -eu

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
JOBS=${JOBS:-2}

configure_only=0
if [ "${1:-}" = --configure-only ]; then
  configure_only=1
  shift
fi
config=${1:-}
[ -n "$config" ] || { sed -n '2,15p' "$0" | sed 's/^# \{0,1\}//' >&2; exit 2; }
shift

build_dir=$ROOT/build/$config
args=()
case $config in
  native)
    args=(-DCMAKE_BUILD_TYPE=Debug -DCMAKE_C_COMPILER=gcc -DCMAKE_CXX_COMPILER=g++
          -DTAVIX_SANITIZE=ON -DTAVIX_TESTS=ON) ;;
  release)
    args=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=gcc -DCMAKE_CXX_COMPILER=g++
          -DTAVIX_SANITIZE=OFF -DTAVIX_TESTS=OFF) ;;
  fuzz)
    # Coverage instrumentation on every object, so the fuzzer sees inside the engine library;
    # -O1 without NDEBUG keeps the asserts.
    args=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
          "-DCMAKE_C_FLAGS=-fsanitize=fuzzer-no-link" "-DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link"
          "-DCMAKE_C_FLAGS_RELWITHDEBINFO=-O1 -g" "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g"
          -DTAVIX_SANITIZE=ON -DTAVIX_FUZZ=ON -DTAVIX_TESTS=OFF) ;;
  win64)
    args=(--toolchain "$ROOT/cmake/toolchain-win64.cmake" -DCMAKE_BUILD_TYPE=RelWithDebInfo
          -DTAVIX_TESTS=ON) ;;
  win32)
    # Built, never run here: no debug information, so less to compile, assemble and link.
    args=(--toolchain "$ROOT/cmake/toolchain-win32.cmake" -DCMAKE_BUILD_TYPE=Release
          "-DCMAKE_C_FLAGS_RELEASE=-O2 -DNDEBUG" "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -DNDEBUG"
          -DTAVIX_TESTS=ON) ;;
  *)
    echo "build.sh: unknown configuration '$config' (native, release, fuzz, win64, win32)" >&2
    exit 2 ;;
esac

generator=()
if [ ! -f "$build_dir/CMakeCache.txt" ] && command -v ninja >/dev/null 2>&1; then
  generator=(-G Ninja)
fi

# shellcheck disable=SC2086 # TAVIX_CMAKE_ARGS is a list of words on purpose
cmake -S "$ROOT" -B "$build_dir" "${generator[@]}" "${args[@]}" ${TAVIX_CMAKE_ARGS:-}
[ $configure_only = 1 ] && exit 0

targets=()
for t in "$@"; do targets+=(--target "$t"); done
# TAVIX_KEEP_GOING=1: build everything that can be built past a failure (the test runner
# then still runs the tests of what did build).
native_args=()
if [ "${TAVIX_KEEP_GOING:-0}" = 1 ]; then
  if grep -q '^CMAKE_GENERATOR:INTERNAL=Ninja' "$build_dir/CMakeCache.txt"; then
    native_args=(-- -k 0)
  else
    native_args=(-- -k)
  fi
fi
cmake --build "$build_dir" -j "$JOBS" "${targets[@]}" "${native_args[@]}"
