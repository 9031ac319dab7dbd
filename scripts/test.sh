#!/bin/sh
# Builds both flavours and runs every test: native, native with ASan+UBSan,
# and the win32 build under Wine. Ends with one summary line.
set -u
cd "$(dirname "$0")/.."
export LANG=C.UTF-8 LC_ALL=C.UTF-8
jobs=$(nproc)
passed=0; failed=0; status=0
retried=""

run_ctest() { # name build-dir jobs [ctest options]
  name=$1 dir=$2 jobs=$3
  log="$dir/ctest-$name.log"
  shift 3
  ctest --test-dir "$dir" --output-on-failure -j "$jobs" --timeout 300 "$@" >"$log" 2>&1
  rc=$?
  tail -n 40 "$log" | sed -n '/tests passed/,$p'
  if ! grep -E '^[0-9]+% tests passed' "$log" >/dev/null; then
    # ctest ran nothing (a failed test discovery, say): one failure, so that
    # the closing line agrees with the exit status.
    cat "$log"; status=1; failed=$((failed + 1))
    echo "== $name: no test ran"
    return
  fi
  p=$(sed -nE 's/.*tests passed, ([0-9]+) tests failed out of ([0-9]+).*/\2 \1/p' "$log" | tail -n1)
  total=${p% *}; bad=${p#* }
  passed=$((passed + total - bad)); failed=$((failed + bad))
  [ $rc -eq 0 ] || status=1
  # A test that ctest started more than once was retried: name it, so that
  # an intermittent fault stays visible even when the second run passed.
  for t in $(sed -nE 's/^ *Start +[0-9]+: ([^ ]+)$/\1/p' "$log" | sort | uniq -d); do
    if grep -qF -- " - $t (" "$log"; then t="$t (failed again)"; fi
    retried="${retried:+$retried, }$t"
  done
  echo "== $name: $((total - bad)) passed, $bad failed"
}

build() { # dir cmake-args...
  d=$1; shift
  cmake -S . -B "$d" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >"$d.configure.log" 2>&1 \
    || { cat "$d.configure.log"; exit 1; }
  cmake --build "$d" -j "$jobs" >"$d.build.log" 2>&1 || { tail -n 60 "$d.build.log"; exit 1; }
}

mkdir -p build
echo "== native: building"; build build/native
run_ctest native build/native "$jobs"
echo "== native with ASan+UBSan: building"; build build/native-asan -DZT_SANITIZE=ON
ASAN_OPTIONS=detect_leaks=1 run_ctest native-asan build/native-asan "$jobs"
echo "== win32: building"; build build/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake
# The Wine tests run on the 32-bit build. A kernel without 32-bit support
# runs 32-bit programs only through an emulator, far too slowly for the
# suite: there the same tests run on a 64-bit build under Wine's 64-bit side.
wine=build/win32
if ! /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
  echo "== this machine runs no 32-bit programs natively: the Wine tests run on a 64-bit build"
  echo "== (so the installer tests run the installer script built with NSIS's 64-bit stub around"
  echo "==  the 64-bit build; the 32-bit release installer itself is not run here)"
  wine=build/win64
  echo "== win64: building"; build build/win64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake
  # The product's import table needs no Wine: checked here directly (ctest
  # in build/win32 would first list the 32-bit test programs by running them).
  if sh tests/imports/import_table_test.sh build/win32/dist/zapotrix.exe i686-w64-mingw32-objdump \
      >build/win32/import-table.log 2>&1; then
    passed=$((passed + 1)); echo "== win32 import table: passed"
  else
    cat build/win32/import-table.log; failed=$((failed + 1)); status=1; echo "== win32 import table: FAILED"
  fi
fi
if [ -z "${DISPLAY:-}" ]; then scripts/xvfb.sh start "$PWD/$wine" || exit 1; fi
# Wine tests share one prefix and one desktop: run them one at a time. The
# end-to-end tests (label e2e) race real processes on a busy 2-core machine:
# one of them that fails is run once more, the log keeps both runs, and the
# summary names it. Every other test has to pass at the first run.
flavour=$(basename $wine)
run_ctest "$flavour-under-wine" "$wine" 1 -LE e2e
run_ctest "$flavour-end-to-end" "$wine" 1 -L e2e --repeat until-pass:2
scripts/xvfb.sh stop "$PWD/$wine"
WINEPREFIX="$PWD/$wine/wineprefix" wineserver -k 2>/dev/null

echo "retried: ${retried:-none}"
echo "$passed passed, $failed failed"
exit $status
