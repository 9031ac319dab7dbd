#!/bin/sh
# Builds zapotrix.exe and starts it under Wine from a program folder laid out
# as installed (exe + config\ + help\), on our own virtual display when none
# is set, and opens its main window once. Prints what the program shows;
# Ctrl+C quits it the normal way.
set -e
cd "$(dirname "$0")/.."
export LANG=C.UTF-8 LC_ALL=C.UTF-8
b="$PWD/build/win32"
mkdir -p build
echo "run: building the win32 flavour (build/win32)"
cmake -S . -B "$b" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  >build/win32.configure.log 2>&1 || { cat build/win32.configure.log; exit 1; }
cmake --build "$b" -j "$(nproc)" --target zapotrix ztprobe >build/win32.build.log 2>&1 \
  || { tail -n 40 build/win32.build.log; exit 1; }
own_x=""
if [ -z "${DISPLAY:-}" ]; then
  scripts/xvfb.sh start "$b"
  own_x=1
  echo "run: no DISPLAY set: started a virtual display :$(cat "$b/xvfb.display")"
fi
echo "run: starting $b/dist/zapotrix.exe under Wine (prefix $b/wineprefix, Windows XP mode)"
"$b/wine-run.sh" "$b/dist/zapotrix.exe" &
pid=$!
finish() {
  "$b/wine-run.sh" "$b/ztprobe.exe" --quit || true
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
  wait $! || true
  kill -0 $pid 2>/dev/null && "$b/wine-run.sh" "$b/ztprobe.exe" || true
done
echo "run: zapotrix has ended"
[ -n "$own_x" ] && scripts/xvfb.sh stop "$b"
exit 0
