#!/bin/sh
# Runs every fuzz target for a while (FUZZ_SECONDS each, default 120) with
# ASan and UBSan.
set -e
cd "$(dirname "$0")/.."
cmake -S . -B build/native-asan -DZT_SANITIZE=ON >/dev/null
cmake --build build/native-asan -j "$(nproc)" >/dev/null
for f in build/native-asan/fuzz_*; do
  [ -x "$f" ] || continue
  echo "fuzz: $f for ${FUZZ_SECONDS:-120} s"
  "$f" "${FUZZ_SECONDS:-120}" "$(date +%s)"
done
