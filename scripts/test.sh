#!/bin/sh
# Builds both flavours and runs every test: the win32 build under Wine, and
# beside it native with ASan+UBSan. Prints the wall and CPU time of each phase
# and ends with one line "N passed, M failed" that counts test cases: each
# case of a GoogleTest program (scripts/run_gtest.py counts them), any other
# ctest test as one. The exit status is non-zero when any failed.
set -u
cd "$(dirname "$0")/.."
export LANG=C.UTF-8 LC_ALL=C.UTF-8
jobs=$(nproc)
passed=0; failed=0; skipped=0; status=0
retried=""
mkdir -p build
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# ---- the time of each phase ----
# Wall time, and the CPU time (user + system) of the programs the phase ran
# and waited for: less sensitive to a machine busy with other work. Wine's
# server and Xvfb live on between phases; their CPU time is not counted.
timings=""
lane=main # the Wine tests run in a lane of their own beside the rest
cpu_seconds() { # sets cpu: the CPU seconds of all children waited for so far
  times >"$scratch/times-$lane" # in this shell: a subshell would see only its own children
  cpu=$(awk 'NR == 2 { s = 0; for (i = 1; i <= NF; i++) { split($i, t, /[ms]/); s += t[1] * 60 + t[2] } print s }' \
    "$scratch/times-$lane")
}
phase() { # name command...: runs the command and records its times
  phase_name=$1; shift
  phase_t0=$(date +%s.%N); cpu_seconds; phase_c0=$cpu
  "$@"
  cpu_seconds
  line=$(echo "$phase_name $(date +%s.%N) $phase_t0 $cpu $phase_c0" |
    awk '{ printf "%-22s %7.1f s wall %7.1f s cpu", $1, $2 - $3, $4 - $5 }')
  timings="$timings$line
"
}

# ---- counting what ctest ran ----
# count_test NAME VERDICT DIR: adds one ctest test's cases to the totals.
count_test() {
  results="$3/test-results/$1.txt"
  if [ -f "$results" ]; then
    read -r _ p _ f _ s _ r <"$results"
    # A program that failed counts at least one failed case, whatever it
    # managed to report.
    if [ "$2" != Passed ] && [ "$f" -eq 0 ]; then f=1; fi
    passed=$((passed + p)); failed=$((failed + f)); skipped=$((skipped + s))
    [ "$r" = - ] || retried="${retried:+$retried, }$(echo "$r" | sed 's/,/, /g')"
  else
    case $2 in
      Passed) passed=$((passed + 1)) ;;
      Skipped) skipped=$((skipped + 1)) ;;
      *) failed=$((failed + 1)) ;;
    esac
  fi
}

verdicts() { # ctest log -> lines "NAME VERDICT"
  sed -nE 's/^.*Test +#[0-9]+: ([^ ]+) \.* *(\*\*\*)?([A-Za-z][A-Za-z: ]*[A-Za-z]) +[0-9.]+ sec$/\1 \3/p' "$1" |
    sed -E 's/ (Failed|Not Run|Timeout|Exception.*)$/ Failed/'
}

# run_ctest NAME BUILD-DIR JOBS [--retry-whole] [ctest options]
# --retry-whole: a failed test that is not a GoogleTest program (whose
# runner retries its own cases) is run once more and named in "retried".
run_ctest() {
  name=$1 dir=$2 j=$3
  shift 3
  retry_whole=no
  if [ "${1:-}" = --retry-whole ]; then retry_whole=yes; shift; fi
  log="$dir/ctest-$name.log"
  rm -rf "$dir/test-results"
  ctest --test-dir "$dir" --output-on-failure -j "$j" --timeout 300 "$@" >"$log" 2>&1
  rc=$?
  verdicts "$log" >"$scratch/verdicts-$name"
  if [ ! -s "$scratch/verdicts-$name" ]; then
    # ctest ran nothing: one failure, so that the closing line agrees with
    # the exit status.
    cat "$log"; status=1; failed=$((failed + 1))
    echo "== $name: no test ran"
    return
  fi
  p0=$passed f0=$failed
  while read -r t v; do
    if [ "$v" != Passed ] && [ "$v" != Skipped ] && [ $retry_whole = yes ] && [ ! -f "$dir/test-results/$t.txt" ]; then
      echo "== $t failed; one more try"
      ctest --test-dir "$dir" --output-on-failure --timeout 300 -R "^$t\$" >>"$log" 2>&1
      v2=$(verdicts "$log" | sed -n "s/^$t //p" | tail -n 1)
      if [ "$v2" = Passed ]; then retried="${retried:+$retried, }$t"; rc_t=0
      else retried="${retried:+$retried, }$t (failed again)"; rc_t=1; fi
      count_test "$t" "$v2" "$dir"
      [ $rc_t -eq 0 ] || status=1
      continue
    fi
    count_test "$t" "$v" "$dir"
    [ "$v" = Passed ] || [ "$v" = Skipped ] || status=1
  done <"$scratch/verdicts-$name"
  # ctest's log holds the output of what failed only (a GoogleTest
  # program's runner passes on its failed cases' output): show it.
  [ $rc -eq 0 ] || cat "$log"
  [ $rc -eq 0 ] || [ $retry_whole = yes ] || status=1
  echo "== $name: $((passed - p0)) passed, $((failed - f0)) failed"
}

build() { # dir [--target T]... cmake-args...: configures and builds (all targets, or those named)
  d=$1; shift
  targets=""
  while [ "${1:-}" = --target ]; do targets="$targets --target $2"; shift 2; done
  cmake -S . -B "$d" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >"$d.configure.log" 2>&1 \
    || { cat "$d.configure.log"; wait_for_wine_lane; exit 1; }
  # shellcheck disable=SC2086
  cmake --build "$d" -j "$jobs" $targets >>"$d.build.log" 2>&1 \
    || { tail -n 60 "$d.build.log"; wait_for_wine_lane; exit 1; }
}

# Waits until the Wine tests, if started, have ended (a build that fails
# beside them ends the run only then), and ends their display and server.
wine_lane=""
wait_for_wine_lane() {
  [ -n "$wine_lane" ] || return 0
  echo "== waiting for the Wine tests"
  while [ ! -f "$scratch/wine.done" ]; do sleep 1; done
  scripts/xvfb.sh stop "$PWD/$wine"
  WINEPREFIX="$PWD/$wine/wineprefix" wineserver -k 2>/dev/null
  wine_lane=""
}

# The Wine tests run on the 32-bit build. A kernel without 32-bit support
# runs 32-bit programs only through an emulator, far too slowly for the
# suite: there the same tests run on a 64-bit build under Wine's 64-bit side,
# and the 32-bit build makes the product alone (its tests would never run;
# the checks of its 32-bit records are part of the product).
#
# The builds that only run tests are built for a short compile, not for a
# debugger: the 64-bit Wine build at -O1 without debug information, the
# sanitizer build at -O1 with line tables only (enough for its reports).
quick="-O1 -DNDEBUG"
wine=build/win32 wine_toolchain=cmake/mingw-i686.cmake
set --
if ! /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
  wine=build/win64 wine_toolchain=cmake/mingw-x86_64.cmake
  set -- "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=$quick" "-DCMAKE_C_FLAGS_RELWITHDEBINFO=$quick"
fi
rm -f build/*.build.log

if [ $wine = build/win64 ]; then
  echo "== this machine runs no 32-bit programs natively: the Wine tests run on a 64-bit build"
  echo "== (so the installer tests run the installer script built with NSIS's 64-bit stub around"
  echo "==  the 64-bit build; the 32-bit release installer itself is not run here)"
fi
# The Wine build first, with both cores: its tests take the longest, and
# they start as soon as it is there. It holds the tests, and the measuring
# programs and tools (built here so that they keep up with the code they
# measure; before the Wine tests start, as the installer tests build in
# this tree too).
echo "== $(basename $wine): building"
phase "$(basename $wine)-build" build $wine -DCMAKE_TOOLCHAIN_FILE=$wine_toolchain "$@"

# ---- the Wine tests, beside the rest ----
# They spend most of their time waiting for windows, processes and timers,
# so they run in a lane of their own while the other builds and the
# sanitizer tests run at a lower priority in this one. The lane writes its
# totals and times to files that are read at the end.
if [ -z "${DISPLAY:-}" ]; then scripts/xvfb.sh start "$PWD/$wine" || exit 1; fi
# One start of the build's Wine prefix for the whole run: its server stays
# up until the end, and every program of the run attaches to it. Each start
# through wine-run.sh is written to wine-starts.log and counted below.
export ZT_WINE_STARTS="$PWD/$wine/wine-starts.log"
: >"$ZT_WINE_STARTS"
flavour=$(basename $wine)
# The Wine tests share one prefix and one desktop: those that use them hold
# the lock wine_desktop (CMakeLists.txt), so beside them run only the
# stand-in's tests and the installer tests (each in a prefix and on a
# display of its own). A failed end-to-end case gets one more run: a case of
# an *E2E suite by the test runner, an installer test whole; every other
# test has to pass at its first run. The lane is detached (its CPU time is
# its own, not this shell's); wine.done says it has ended.
wine_lane=started
(
  (
    lane=wine passed=0 failed=0 skipped=0 status=0 retried="" timings=""
    phase wine-prefix-start "$wine/wine-run.sh" --boot
    export ZT_WINE_BOOTED="$PWD/$wine/wineprefix"
    phase wine-tests run_ctest "$flavour-under-wine" "$wine" 3 --retry-whole >"$scratch/wine.out" 2>&1
    # How long each test program took, beside the others.
    sed -nE 's/^ *[0-9]+\/[0-9]+ Test +#[0-9]+: ([^ ]+) \.+ *(\*\*\*)?([A-Za-z]+).* ([0-9.]+) sec$/   \1: \3 in \4 s/p' \
      "$wine/ctest-$flavour-under-wine.log" >>"$scratch/wine.out"
    printf '%s' "$timings" >"$scratch/wine.timings"
    echo "$passed $failed $skipped $status $retried" >"$scratch/wine.totals"
    touch "$scratch/wine.done"
  ) &
)

# The rest of this lane yields to the Wine tests.
renice -n 10 -p $$ >/dev/null
# The native flavour is built once, with the sanitizers: the same tests as
# a plain build would run, with every memory and undefined-behaviour check.
echo "== native with ASan+UBSan: building"
phase asan-build build build/native-asan -DZT_SANITIZE=ON \
  "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=$quick -g1" "-DCMAKE_C_FLAGS_RELWITHDEBINFO=$quick -g1"
ASAN_OPTIONS=detect_leaks=1 phase asan-tests run_ctest native-asan build/native-asan "$jobs"
if [ $wine = build/win64 ]; then
  echo "== win32: building the product"
  # Without debug information: GCC makes the same code with or without
  # it, and the product is stripped.
  phase win32-build build build/win32 --target zapotrix -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
    "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -DNDEBUG" "-DCMAKE_C_FLAGS_RELWITHDEBINFO=-O2 -DNDEBUG"
  # The product's import table needs no Wine: checked here directly (ctest
  # in build/win32 would first list the 32-bit test programs by running them).
  if sh tests/imports/import_table_test.sh build/win32/dist/zapotrix.exe i686-w64-mingw32-objdump \
      >build/win32/import-table.log 2>&1; then
    passed=$((passed + 1)); echo "== win32 import table: passed"
  else
    cat build/win32/import-table.log; failed=$((failed + 1)); status=1; echo "== win32 import table: FAILED"
  fi
fi
wait_for_wine_lane
cat "$scratch/wine.out"
read -r p f s st r <"$scratch/wine.totals"
passed=$((passed + p)); failed=$((failed + f)); skipped=$((skipped + s))
[ "$st" -eq 0 ] || status=1
[ -z "$r" ] || retried="${retried:+$retried, }$r"
timings="$timings$(cat "$scratch/wine.timings")
"

echo "== time per phase (the Wine lane, its prefix start and its tests, ran beside the phases after the Wine build; load at the end:$(uptime | sed 's/.*load average//'))"
printf '%s' "$timings"
echo "== Wine: $(grep -c '^boot' "$ZT_WINE_STARTS") prefix start(s), $(grep -vc '^boot' "$ZT_WINE_STARTS") program(s) started through wine-run.sh"
echo "retried: ${retried:-none}"
echo "$passed passed, $failed failed$([ $skipped -eq 0 ] || echo ", $skipped skipped")"
exit $status
