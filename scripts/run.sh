#!/bin/sh
# Builds zapotrix.exe and starts it under Wine from a program folder laid out
# as installed (exe + config\ + help\), on our own virtual display when none
# is set, and opens its main window once. Prints what the program shows;
# Ctrl+C quits it the normal way.
set -e
cd "$(dirname "$0")/.."
export LANG=C.UTF-8 LC_ALL=C.UTF-8
flavour=win32 toolchain=mingw-i686
# A kernel without 32-bit support cannot start the 32-bit program under
# Wine: there the 64-bit build of the same sources runs instead.
if ! /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
  flavour=win64 toolchain=mingw-x86_64
  echo "run: this machine runs no 32-bit programs: starting the 64-bit build"
fi
b="$PWD/build/$flavour"
mkdir -p build
echo "run: building the $flavour flavour (build/$flavour)"
cmake -S . -B "$b" -DCMAKE_TOOLCHAIN_FILE=cmake/$toolchain.cmake -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  >build/$flavour.configure.log 2>&1 || { cat build/$flavour.configure.log; exit 1; }
cmake --build "$b" -j "$(nproc)" --target zapotrix ztprobe >build/$flavour.build.log 2>&1 \
  || { tail -n 40 build/$flavour.build.log; exit 1; }
own_x=""
if [ -z "${DISPLAY:-}" ]; then
  scripts/xvfb.sh start "$b"
  own_x=1
  echo "run: no DISPLAY set: started a virtual display :$(cat "$b/xvfb.display")"
fi
echo "run: starting $b/dist/zapotrix.exe under Wine (prefix $b/wineprefix, Windows XP mode)"
"$b/wine-run.sh" "$b/dist/zapotrix.exe" &
pid=$!
nap=""
# Ctrl+C: quit the program the normal way (it saves its settings and rules),
# wait until it has ended, and only then stop the display it runs on.
finish() {
  trap '' INT TERM
  [ -n "$nap" ] && kill "$nap" 2>/dev/null
  if kill -0 $pid 2>/dev/null; then
    "$b/wine-run.sh" "$b/ztprobe.exe" --quit || true
    i=0
    while kill -0 $pid 2>/dev/null && [ $i -lt 300 ]; do sleep 0.1; i=$((i+1)); done
    if kill -0 $pid 2>/dev/null; then
      echo "run: zapotrix did not end within 30 s of the quit command; ending it" >&2
      kill $pid 2>/dev/null
    fi
  fi
  wait $pid 2>/dev/null || true
  [ -n "$own_x" ] && scripts/xvfb.sh stop "$b"
  WINEPREFIX="$b/wineprefix" wineserver -k 2>/dev/null || true
  exit 0
}
trap finish INT TERM
sleep 3
"$b/wine-run.sh" "$b/ztprobe.exe" || true
# What a user sees: the main window, opened once as a tray double-click does.
"$b/wine-run.sh" "$b/ztprobe.exe" --show || true
echo "run: zapotrix is running (press Ctrl+C to quit it; the status is shown every 30 s)"
while kill -0 $pid 2>/dev/null; do
  sleep 30 &
  nap=$!
  wait $nap || true
  nap=""
  kill -0 $pid 2>/dev/null && "$b/wine-run.sh" "$b/ztprobe.exe" || true
done
echo "run: zapotrix has ended"
[ -n "$own_x" ] && scripts/xvfb.sh stop "$b"
exit 0
