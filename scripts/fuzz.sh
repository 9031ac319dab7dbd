#!/bin/sh
# Runs every fuzz target for a while, one after the other, with ASan and
# UBSan. The duration per target is the first argument or FUZZ_SECONDS
# (default 120):  scripts/fuzz.sh 600
# With clang at hand the targets run coverage-guided under libFuzzer
# (build/fuzz, corpus kept in build/fuzz/corpus/<target>); otherwise under the
# bounded random driver (build/native-asan). Each target's closing line says
# how many inputs it ran; a finding stops the script with the target's log.
set -e
cd "$(dirname "$0")/.."
export LANG=C.UTF-8 LC_ALL=C.UTF-8
seconds=${1:-${FUZZ_SECONDS:-120}}
jobs=$(nproc); [ "$jobs" -gt 2 ] && jobs=2
# libFuzzer comes with clang's runtime libraries: installed when missing
# and this runs as root (otherwise the random driver runs the targets).
if ! command -v clang++ >/dev/null 2>&1 && [ "$(id -u)" = 0 ]; then
  echo "fuzz: installing clang and its runtime (libFuzzer)"
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq clang libclang-rt-dev >/dev/null \
    || echo "fuzz: clang could not be installed, using the random driver"
fi
if command -v clang++ >/dev/null 2>&1; then
  CC=clang CXX=clang++ cmake -S . -B build/fuzz -DZT_FUZZ=ON >/dev/null
  targets=$(for s in tests/fuzz/fuzz_*.cpp; do basename "$s" .cpp; done)
  # shellcheck disable=SC2086  # one word per target
  cmake --build build/fuzz -j "$jobs" --target $targets >/dev/null
  for f in build/fuzz/fuzz_*; do
    [ -x "$f" ] || continue
    name=$(basename "$f")
    mkdir -p "build/fuzz/corpus/$name"
    echo "fuzz: $name under libFuzzer for $seconds s"
    if ! "$f" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="build/fuzz/$name-" \
        "build/fuzz/corpus/$name" >"build/fuzz/$name.log" 2>&1; then
      tail -n 40 "build/fuzz/$name.log"; exit 1
    fi
    grep -E '^(Done|stat::number_of_executed_units)' "build/fuzz/$name.log"
  done
else
  cmake -S . -B build/native-asan -DZT_SANITIZE=ON >/dev/null
  cmake --build build/native-asan -j "$jobs" >/dev/null
  for f in build/native-asan/fuzz_*; do
    [ -x "$f" ] || continue
    echo "fuzz: $f for $seconds s"
    "$f" "$seconds" "$(date +%s)"
  done
fi
