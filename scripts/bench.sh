#!/bin/sh
# Builds the native flavour with the benchmarks and runs them all, then the
# measuring programs under Wine (on a display of their own when DISPLAY is
# not set). Every program that cannot measure says why and fails; the exit
# status is non-zero when any did. The hosts lists come from ZT_DATA_DIR.
set -u
cd "$(dirname "$0")/.."
export LANG=C.UTF-8 LC_ALL=C.UTF-8
jobs=$(nproc)
failed=""
run() { # name command...: runs a measuring program and notes a failure
  name=$1; shift
  echo "== $name"
  "$@" || failed="$failed $name"
}

cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DZT_BENCH=ON >/dev/null || exit 1
cmake --build build/bench -j "$jobs" >/dev/null || exit 1
for src in bench/*.cpp; do
  b="build/bench/$(basename "$src" .cpp)"
  run "$(basename "$b")" "$b" "$@"
done

# Under Wine: the 32-bit build, or the 64-bit one where the kernel runs no
# 32-bit programs (as scripts/test.sh decides).
wine=build/win32 toolchain=cmake/mingw-i686.cmake
if ! /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
  wine=build/win64 toolchain=cmake/mingw-x86_64.cmake
fi
cmake -S . -B $wine -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_TOOLCHAIN_FILE=$toolchain >/dev/null || exit 1
cmake --build $wine -j "$jobs" --target zapotrix ztbench_profile ui_timing statistics_timing engine_timing soak \
  >/dev/null || exit 1
own_display=no
if [ -z "${DISPLAY:-}" ]; then scripts/xvfb.sh start "$PWD/$wine" && own_display=yes; fi
# Our rule database load + save against the profile functions.
run ztbench_profile $wine/wine-run.sh $wine/ztbench_profile.exe
# The start of zapotrix.exe up to its tray icon, and its idle memory.
run ui_timing $wine/wine-run.sh $wine/ui_timing.exe
# A new history entry while the statistics window shows 100,000.
run statistics_timing $wine/wine-run.sh $wine/statistics_timing.exe
# The scan cycle with hung address bars, popup latency and visible time,
# standby CPU.
run engine_timing $wine/wine-run.sh $wine/engine_timing.exe
# 10,000 cycles: fails when handles, GDI or USER objects or memory grow.
run soak $wine/wine-run.sh $wine/soak.exe
[ $own_display = no ] || scripts/xvfb.sh stop "$PWD/$wine"

if [ -n "$failed" ]; then
  echo "bench: not measured or failed:$failed"
  exit 1
fi
echo "bench: every program measured"
