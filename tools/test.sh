#!/usr/bin/env bash
# Builds and runs every test of the tree (the README's test command; CI runs it through .ci/run).
#
#   tools/test.sh [STAGE...]     stages: native fuzz win64 win32 (default: all, in that order)
#
#   native  build/native: g++ with AddressSanitizer + UBSan; every unit test (ctest)
#   fuzz    build/fuzz: clang + libFuzzer; fuzz_parser over a copy of tests/fuzz/corpus for a
#           bounded number of runs (FUZZ_RUNS, default 300000; at most FUZZ_SECONDS, default 180)
#   win64   build/win64: MinGW x86_64; every test under 64-bit Wine in a private prefix, with
#           a persistent wineserver and a private Xvfb display for programs with windows
#   win32   build/win32: MinGW i686; compiled and linked only (this kernel runs no 32-bit code)
#
# It installs what is missing first (tools/setup.sh, needs root then), starts the services the
# tests need and stops them on the way out. Each stage's full output goes to build/logs/; a
# failing stage shows its tail. The last line is the sum over all stages: `N passed, M failed`
# (a stage that could not build counts as one failure; the fuzz run and the win32 build count
# as one test each). The exit status is non-zero when anything failed.
set -u

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$ROOT" || exit 1
LOG_DIR=$ROOT/build/logs
FUZZ_RUNS=${FUZZ_RUNS:-300000}
FUZZ_SECONDS=${FUZZ_SECONDS:-180}
export JOBS=${JOBS:-2}

passed=0
failed=0
skipped=0
summary_lines=()
start_time=$(date +%s)

XVFB_PID=
WINE_PREFIX_STARTED=

# Stops the services a stage started: the Wine prefix's server (and every Windows program
# still running in it) and the Xvfb display. Also run on the way out, however that comes.
stop_services() {
  if [ -n "$WINE_PREFIX_STARTED" ]; then
    "$ROOT/tools/wine-run" --prefix "$WINE_PREFIX_STARTED" --kill
    WINE_PREFIX_STARTED=
  fi
  if [ -n "$XVFB_PID" ]; then
    kill "$XVFB_PID" 2>/dev/null
    wait "$XVFB_PID" 2>/dev/null
    XVFB_PID=
  fi
}
trap stop_services EXIT
trap 'exit 130' INT TERM

elapsed() { echo $(( $(date +%s) - $1 )); }

# Runs a command with its output appended to a log file and no standard input.
logged() {
  local log=$1
  shift
  echo "+ $*" >>"$log"
  "$@" </dev/null >>"$log" 2>&1
}

show_tail() {
  echo "---- last lines of $1 ----"
  tail -n "${2:-60}" "$1" | sed 's/^/  /'
  echo "----"
}

note() { summary_lines+=("$*"); echo "$*"; }

# Adds a ctest run's results, read from its JUnit report, to the totals. A non-zero ctest
# status with no failed test in the report (a test program that would not even list its
# tests, say) counts as one failure.
count_ctest() {
  local junit=$1 status=$2 tests=0 failures=0 skips=0 disabled=0
  if [ -f "$junit" ]; then
    local suite
    suite=$(sed -n '/<testsuite/,$p' "$junit" | sed -n '1,/>/p')
    attr() { sed -n "s/.*[[:space:]]$1=\"\([0-9]*\)\".*/\1/p" <<<"$suite" | head -n1; }
    tests=$(attr tests); failures=$(attr failures); skips=$(attr skipped); disabled=$(attr disabled)
    tests=${tests:-0}; failures=${failures:-0}; skips=${skips:-0}; disabled=${disabled:-0}
    # The report files every test that did not run as skipped; only those that skipped
    # themselves (GTEST_SKIP) are. One whose program is missing (not built) failed.
    local real_skips
    real_skips=$(grep -Ec '<skipped message="(SKIP_REGULAR_EXPRESSION_MATCHED|SKIP_RETURN_CODE[^"]*|Disabled)"' "$junit")
    if [ "$skips" -gt "$real_skips" ]; then
      failures=$(( failures + skips - real_skips ))
      skips=$real_skips
    fi
  fi
  if [ "$status" -ne 0 ] && [ "$failures" -eq 0 ]; then
    failures=1
  fi
  local ok=$(( tests - failures - skips - disabled ))
  [ $ok -lt 0 ] && ok=0
  passed=$(( passed + ok ))
  failed=$(( failed + failures ))
  skipped=$(( skipped + skips + disabled ))
  CT_TEXT="$ok passed, $failures failed"
  [ $(( skips + disabled )) -gt 0 ] && CT_TEXT="$CT_TEXT, $(( skips + disabled )) skipped"
}

# Builds a configuration, on past failures, with the output in the log. A failed build counts
# as one failed test and prints its errors. Sets BUILD_TEXT. $1 stage, $2 log, then targets.
build_stage() {
  local stage=$1 log=$2 t
  shift 2
  t=$(date +%s)
  if ! TAVIX_KEEP_GOING=1 logged "$log" "$ROOT/tools/build.sh" "$stage" "$@"; then
    BUILD_TEXT="build FAILED ($(elapsed "$t") s)"
    failed=$(( failed + 1 ))
    echo "---- $stage: build errors (all in $log) ----"
    grep -E -A8 '^FAILED: |[Ee]rror[: ]|CMake Error' "$log" | cut -c1-400 | head -n 120 | sed 's/^/  /'
    echo "----"
    return 1
  fi
  BUILD_TEXT="build $(elapsed "$t") s"
}

# Prints what ctest said about failed tests (their output, from --output-on-failure), any
# CMake error (a test program that would not list its tests) and ctest's closing lines.
show_ctest_failures() {
  echo "---- failures in $1 ----"
  awk '
    /^CMake Error/ { show = 1 }
    /\*\*\*(Failed|Timeout|Exception|Not Run)|(Failed|Not Run) +[0-9.]+ sec$/ { show = 1 }
    show && /^ *(Start +[0-9]+:|[0-9]+\/[0-9]+ Test +#)/ && !/\*\*\*|Failed|Not Run/ { show = 0 }
    /tests passed, [0-9]+ tests? failed/ { show = 1 }
    show { print "  " $0 }
  ' "$1" | head -n 300
  echo "----"
}

run_ctest() {
  local dir=$1 log=$2 jobs=${3:-$JOBS} retry=${4:-} t status
  local junit=$dir/ctest-junit.xml
  rm -f "$junit"
  t=$(date +%s)
  logged "$log" ctest --test-dir "$dir" -j "$jobs" --timeout 600 --output-on-failure \
    ${retry:+--repeat until-pass:3} --output-junit "$junit"
  status=$?
  TEST_SECONDS=$(elapsed "$t")
  count_ctest "$junit" $status
  [ $status -ne 0 ] && show_ctest_failures "$log"
  return $status
}

stage_native() {
  local log=$LOG_DIR/native.log
  : >"$log"
  # A failed build still runs the tests of what did build (a missing test program fails).
  build_stage native "$log" || [ -f "$ROOT/build/native/CTestTestfile.cmake" ] || {
    note "native: $BUILD_TEXT"; return; }
  export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}
  export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
  run_ctest "$ROOT/build/native" "$log"
  note "native: $BUILD_TEXT, tests $TEST_SECONDS s: $CT_TEXT"
}

has_target() { cmake --build "$1" --target help 2>/dev/null | grep -Eq "(^|[ .:])$2(:|[[:space:]]|$)"; }

stage_fuzz() {
  local log=$LOG_DIR/fuzz.log dir=$ROOT/build/fuzz t
  : >"$log"
  t=$(date +%s)
  if ! logged "$log" "$ROOT/tools/build.sh" --configure-only fuzz; then
    show_tail "$log"
    failed=$(( failed + 1 ))
    note "fuzz: FAILED to configure (log: $log)"
    return
  fi
  if ! has_target "$dir" fuzz_parser; then
    if [ -f "$ROOT/tests/fuzz/CMakeLists.txt" ]; then
      failed=$(( failed + 1 ))
      note "fuzz: FAILED: tests/fuzz defines no fuzz_parser target"
    else
      skipped=$(( skipped + 1 ))
      note "fuzz: skipped: no fuzz target in the tree yet (tests/fuzz/CMakeLists.txt)"
    fi
    return
  fi
  build_stage fuzz "$log" fuzz_parser || { note "fuzz: $BUILD_TEXT"; return; }
  local fuzzer
  fuzzer=$(find "$dir" -type f -name fuzz_parser -perm -u+x | head -n1)
  local corpus=$dir/corpus-run findings=$dir/findings
  rm -rf "$corpus" "$findings"
  mkdir -p "$corpus" "$findings"
  [ -d "$ROOT/tests/fuzz/corpus" ] && cp -R "$ROOT/tests/fuzz/corpus/." "$corpus/"
  t=$(date +%s)
  # A crash, a sanitizer report, a leak, a time-out or running out of memory all end
  # libFuzzer with a non-zero status and leave the input in findings/.
  if logged "$log" "$fuzzer" -runs="$FUZZ_RUNS" -max_total_time="$FUZZ_SECONDS" -timeout=30 \
       -rss_limit_mb=2048 -max_len=16384 -print_final_stats=1 \
       -artifact_prefix="$findings/" "$corpus"; then
    passed=$(( passed + 1 ))
    local execs
    execs=$(sed -n 's/^stat::number_of_executed_units:[[:space:]]*//p' "$log" | tail -n1)
    note "fuzz: $BUILD_TEXT, fuzz run $(elapsed "$t") s (${execs:-?} inputs): passed"
  else
    failed=$(( failed + 1 ))
    show_tail "$log" 80
    note "fuzz: FAILED after $(elapsed "$t") s; findings: $(ls "$findings" | tr '\n' ' ')(in $findings)"
  fi
}

start_xvfb() {
  [ -n "$XVFB_PID" ] && return 0
  command -v Xvfb >/dev/null 2>&1 || { echo "Xvfb is missing (tools/setup.sh)"; return 1; }
  local display_file=$LOG_DIR/xvfb.display
  : >"$display_file"
  # -displayfd: Xvfb takes the first free display and writes its number once it is ready.
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset \
    3>"$display_file" </dev/null >"$LOG_DIR/xvfb.log" 2>&1 &
  XVFB_PID=$!
  local _
  for _ in $(seq 100); do
    [ -s "$display_file" ] && break
    kill -0 "$XVFB_PID" 2>/dev/null || break
    sleep 0.1
  done
  if [ ! -s "$display_file" ]; then
    echo "Xvfb did not start:"; cat "$LOG_DIR/xvfb.log"
    XVFB_PID=
    return 1
  fi
  export DISPLAY=:$(head -n1 "$display_file")
}

# The README's main command, headless, as a check: tests/demo/check_demo.sh. $1 names it.
demo_check() {
  local t
  t=$(date +%s)
  if "$ROOT/tests/demo/check_demo.sh" "$1" >>"$LOG_DIR/win64.log" 2>&1; then
    passed=$(( passed + 1 ))
    DEMO_TEXT="$DEMO_TEXT, $1 passed ($(elapsed "$t") s)"
  else
    failed=$(( failed + 1 ))
    DEMO_TEXT="$DEMO_TEXT, $1 FAILED"
    echo "---- $1 (tools/run.sh headless) failed ----"
    grep -A30 "^$1: " "$LOG_DIR/win64.log" | head -n 40 | sed 's/^/  /'
    echo "----"
  fi
}

stage_win64() {
  local log=$LOG_DIR/win64.log dir=$ROOT/build/win64 t
  : >"$log"
  build_stage win64 "$log" || [ -f "$dir/CTestTestfile.cmake" ] || {
    note "win64: $BUILD_TEXT"; return; }
  if ! start_xvfb >>"$log" 2>&1; then
    show_tail "$log" 20
    failed=$(( failed + 1 ))
    note "win64: FAILED: no X display for the Windows tests"
    return
  fi
  t=$(date +%s)
  WINE_PREFIX_STARTED=$dir/wineprefix
  if ! logged "$log" "$ROOT/tools/wine-run" --prefix "$WINE_PREFIX_STARTED" --init; then
    show_tail "$log" 30
    failed=$(( failed + 1 ))
    note "win64: FAILED to set up the Wine prefix"
    return
  fi
  local prefix_seconds
  prefix_seconds=$(elapsed "$t")
  # The demo runs twice in a row before the Windows tests and once after them: each run
  # starts with its own settings, whatever ran before.
  DEMO_TEXT=
  demo_check demo-first
  demo_check demo-again
  export TAVIX_WINEPREFIX=$WINE_PREFIX_STARTED
  # One at a time: the Windows programs share one display, one desktop and one registry,
  # and tests that drive dialogs or read pixels must not meet each other's windows.
  # A test that fails is run up to twice more: about one Wine program start in 500
  # dies at once with no output, and timers of a loaded Wine can run late; a real
  # failure fails every time.
  run_ctest "$dir" "$log" 1 retry
  unset TAVIX_WINEPREFIX
  demo_check demo-after-tests
  stop_services
  note "win64: $BUILD_TEXT, Wine prefix $prefix_seconds s, tests under Wine $TEST_SECONDS s (DISPLAY $DISPLAY): $CT_TEXT$DEMO_TEXT"
}

stage_win32() {
  local log=$LOG_DIR/win32.log
  : >"$log"
  build_stage win32 "$log" || { note "win32: $BUILD_TEXT"; return; }
  passed=$(( passed + 1 ))
  note "win32: $BUILD_TEXT (test programs compiled and linked, not run): passed"
}

stages=("$@")
[ ${#stages[@]} -eq 0 ] && stages=(native fuzz win64 win32)
for s in "${stages[@]}"; do
  case $s in
    native|fuzz|win64|win32) ;;
    *) echo "test.sh: unknown stage '$s' (native fuzz win64 win32)" >&2; exit 2 ;;
  esac
done

mkdir -p "$LOG_DIR"
t=$(date +%s)
if ! "$ROOT/tools/setup.sh"; then
  echo "setup failed: cannot build or test"
  echo "0 passed, 1 failed"
  exit 1
fi
setup_seconds=$(elapsed "$t")
[ "$setup_seconds" -gt 1 ] && echo "setup: $setup_seconds s"

for s in "${stages[@]}"; do
  "stage_$s"
done

total=$(elapsed "$start_time")
echo
echo "==== summary ($(( total / 60 )) min $(( total % 60 )) s; logs in build/logs) ===="
printf '%s\n' "${summary_lines[@]}"
if [ $skipped -gt 0 ]; then
  echo "$passed passed, $failed failed, $skipped skipped"
else
  echo "$passed passed, $failed failed"
fi
[ $failed -eq 0 ]
