#!/bin/sh
# Builds both flavours and runs every test: native, native with ASan+UBSan,
# and the win32 build under Wine. Ends with one summary line.
set -u
cd "$(dirname "$0")/.."
export LANG=C.UTF-8 LC_ALL=C.UTF-8
jobs=$(nproc)
passed=0; failed=0; status=0

run_ctest() { # name build-dir jobs [ctest options]
  log="$2/ctest.log"
  name=$1 dir=$2 jobs=$3
  shift 3
  ctest --test-dir "$dir" --output-on-failure -j "$jobs" --timeout 300 "$@" >"$log" 2>&1
  rc=$?
  tail -n 40 "$log" | sed -n '/tests passed/,$p'
  grep -E '^[0-9]+% tests passed' "$log" >/dev/null || { cat "$log"; status=1; return; }
  p=$(sed -nE 's/.*tests passed, ([0-9]+) tests failed out of ([0-9]+).*/\2 \1/p' "$log" | tail -n1)
  total=${p% *}; bad=${p#* }
  passed=$((passed + total - bad)); failed=$((failed + bad))
  [ $rc -eq 0 ] || status=1
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
if ! /lib/ld-linux.so.2 --version >/dev/null 2>&1 || [ -f /proc/sys/fs/binfmt_misc/qemu-i386 ]; then
  echo "== this machine runs no 32-bit programs natively: the Wine tests run on a 64-bit build"
  wine=build/win64
  echo "== win64: building"; build build/win64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake
fi
if [ -z "${DISPLAY:-}" ]; then scripts/xvfb.sh start "$PWD/$wine" || exit 1; fi
# Wine tests share one prefix and one desktop: run them one at a time. The
# end-to-end tests race real processes on a busy 2-core machine; a test that
# fails is run once more, and the log keeps both runs.
run_ctest "$(basename $wine)-under-wine" "$wine" 1 --repeat until-pass:2
scripts/xvfb.sh stop "$PWD/$wine"
WINEPREFIX="$PWD/$wine/wineprefix" wineserver -k 2>/dev/null

echo "$passed passed, $failed failed"
exit $status
