#!/bin/sh
# xvfb.sh start BUILD_DIR | stop BUILD_DIR
# Starts our own Xvfb on a free display (chosen by Xvfb itself) and writes the
# display number to BUILD_DIR/xvfb.display; stop ends that Xvfb by its PID.
dir=$2
case $1 in
start)
  rm -f "$dir/xvfb.display"
  exec 3>"$dir/xvfb.display.tmp"
  # In a session of its own: a Ctrl+C in the terminal that started it (make
  # run) goes to the terminal's process group and must not end the display
  # before the program on it has quit in order.
  setsid sh -c 'echo $$ >"$1"; exec Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp' sh "$dir/xvfb.pid" \
    </dev/null >/dev/null 2>&1 &
  exec 3>&-
  i=0
  while [ ! -s "$dir/xvfb.display.tmp" ] && [ $i -lt 100 ]; do sleep 0.1; i=$((i+1)); done
  tr -d '\n' <"$dir/xvfb.display.tmp" >"$dir/xvfb.display"; rm -f "$dir/xvfb.display.tmp"
  [ -s "$dir/xvfb.display" ] || { echo "xvfb: could not start Xvfb" >&2; exit 1; } ;;
stop)
  [ -f "$dir/xvfb.pid" ] && kill "$(cat "$dir/xvfb.pid")" 2>/dev/null
  rm -f "$dir/xvfb.pid" "$dir/xvfb.display" ;;
esac
