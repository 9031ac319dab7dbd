#!/bin/sh
# Builds the native flavour with the benchmarks and runs them all.
set -e
cd "$(dirname "$0")/.."
cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DZT_BENCH=ON >/dev/null
cmake --build build/bench -j "$(nproc)" >/dev/null
for src in bench/*.cpp; do
  b="build/bench/$(basename "$src" .cpp)"
  [ -x "$b" ] && "$b" "$@"
done
# Under Wine: our rule database load + save against the profile functions.
if [ -x build/win32/wine-run.sh ] || cmake -S . -B build/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake >/dev/null; then
  cmake --build build/win32 -j "$(nproc)" --target ztbench_profile >/dev/null
  build/win32/wine-run.sh build/win32/ztbench_profile.exe
  # The start of zapotrix.exe up to its tray icon, and its idle memory.
  cmake --build build/win32 -j "$(nproc)" --target zapotrix ui_timing >/dev/null
  build/win32/wine-run.sh build/win32/ui_timing.exe
  # A new history entry while the statistics window shows 100,000.
  cmake --build build/win32 -j "$(nproc)" --target statistics_timing >/dev/null
  build/win32/wine-run.sh build/win32/statistics_timing.exe
fi
