#!/bin/sh
# Builds the native flavour with the benchmarks and runs them all.
set -e
cd "$(dirname "$0")/.."
cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DZT_BENCH=ON >/dev/null
cmake --build build/bench -j "$(nproc)" >/dev/null
for b in build/bench/bench_*; do
  [ -x "$b" ] && "$b" "$@"
done
