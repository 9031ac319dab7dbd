#!/bin/sh
# Takes the screenshots in docs/screenshots/: the main window in English and
# German with a few rules and two browser windows (played by the browser
# fixture) in the list of active windows, the open tray menu, the settings
# dialog, the statistics window after popups of every rule list were closed,
# the rule assistant for a browser window, and the hosts list editor with
# the unified public hosts list loaded. Runs on
# its own virtual display, in its own Wine prefix (with the Wine fonts and
# a virtual desktop, whose taskbar has a notification area), beside the
# build it uses.
#
# English is zapotrix.exe itself. Wine names every language in English, so
# a German system cannot be played to it; the German window is shown by
# tools/ztshow, which runs the same main window on a system that names its
# language "Deutsch (Deutschland)".
#
# The build is build/win32, or build/win64 on a machine that runs no 32-bit
# programs; ZT_SHOTS_BUILD=<dir> chooses an already configured one.
set -eu
cd "$(dirname "$0")/.."
export LANG=C.UTF-8 LC_ALL=C.UTF-8
root=$PWD

if [ -n "${ZT_SHOTS_BUILD:-}" ]; then
  b=$root/$ZT_SHOTS_BUILD
elif /lib/ld-linux.so.2 --version >/dev/null 2>&1 && [ ! -f /proc/sys/fs/binfmt_misc/qemu-i386 ]; then
  b=$root/build/win32
  toolchain=cmake/mingw-i686.cmake
else
  b=$root/build/win64
  toolchain=cmake/mingw-x86_64.cmake
fi
if [ ! -f "$b/CMakeCache.txt" ]; then
  mkdir -p build
  cmake -S . -B "$b" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=RelWithDebInfo >"$b.configure.log" 2>&1 \
    || { cat "$b.configure.log"; exit 1; }
fi
echo "screenshots: building in $b"
cmake --build "$b" -j 2 --target zapotrix ztprobe ztshow browser_fixture >"$b.shots.log" 2>&1 \
  || { tail -n 40 "$b.shots.log"; exit 1; }
if grep -q 'x86_64' "$b/CMakeCache.txt"; then
  wine=/usr/lib/wine/wine64
  export WINEARCH=win64
else
  wine=wine
  export WINEARCH=win32
fi

work=$b/shots
out=$root/docs/screenshots
mkdir -p "$work" "$out"
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
scripts/xvfb.sh start "$work"
export DISPLAY=":$(cat "$work/xvfb.display")"
finish() {
  wineserver -k 2>/dev/null || true
  "$root/scripts/xvfb.sh" stop "$work"
}
trap finish EXIT

if [ ! -f "$WINEPREFIX/.zt-ready" ]; then
  echo "screenshots: making the Wine prefix $WINEPREFIX"
  $wine wineboot -i </dev/null >/dev/null 2>&1
  wineserver -w
  # A fresh prefix has no fonts: without them the title bars show "0 1 r".
  cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
  $wine reg add 'HKCU\Software\Wine' /v Version /d winxp /f >/dev/null 2>&1
  $wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
  $wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
  wineserver -w
  touch "$WINEPREFIX/.zt-ready"
fi
wineserver -p30

# Settings: centred window, no autostart entry (Wine would start it again).
key='HKCU\Software\veltrano\Zapotrix\V1\settings'
$wine reg delete "$key" /f >/dev/null 2>&1 || true
for v in Main_Left Main_Top; do $wine reg add "$key" /v $v /t REG_DWORD /d 4294967295 /f >/dev/null 2>&1; done
$wine reg add "$key" /v AutoStart /t REG_DWORD /d 0 /f >/dev/null 2>&1

# The program folder with a few rules (CP1252, CRLF).
program=$work/program
rm -rf "$program"
cp -r "$b/dist" "$program"
cp "$b/ztshow.exe" "$program/"
printf '[ADS]\r\n1=casino\r\n2=gewinnspiel\r\n3=poker\r\n[URL]\r\n1=http://ads.example.com\r\n2=http://popup.example.net\r\n[WCS]\r\n1=Free Casino Bonus\r\n2=Herzlichen Gl\374ckwunsch\r\n3=Sie haben gewonnen\r\n4=Sonderangebot\r\n[WDS]\r\n1=300\r\n2=250\r\n3=468\r\n4=60\r\n5=728\r\n6=90\r\n' \
  >"$program/config/zapotrix_mainDB.ini"
# Two browser windows that no rule closes.
printf 'window\tIEFrame\tNachrichten des Tages - Microsoft Internet Explorer\t700\t520\t\thttp://www.example.com/news/index.html\r\nwindow\tIEFrame\tWetter und Reise - Microsoft Internet Explorer\t700\t520\t\thttp://wetter.example.org/\r\nlifetime\t600000\r\n' \
  >"$work/browsers.txt"

probe() { $wine "$b/ztprobe.exe" "$@" 2>/dev/null | tr -d '\r'; }
# Waits until two captures in a row are equal, then keeps the last one.
capture() { # file [crop]
  prev=""
  for i in $(seq 1 30); do
    import -window root "$work/now.png"
    if [ -n "$prev" ] && [ "$(compare -metric AE "$work/now.png" "$work/prev.png" null: 2>&1 || true)" = "0" ]; then
      break
    fi
    mv "$work/now.png" "$work/prev.png"
    prev=1
    sleep 0.5
  done
  [ -f "$work/now.png" ] || mv "$work/prev.png" "$work/now.png"
  if [ -n "${2:-}" ]; then crop="-crop $2 +repage"; else crop=""; fi
  # shellcheck disable=SC2086
  convert "$work/now.png" $crop -define png:exclude-chunks=date,time "$1"
  rm -f "$work/now.png" "$work/prev.png"
}
window_rect() {
  set -- $(probe --rect)
  echo "${3}x${4}+${1}+${2}"
}
# Starts a program of ours and waits until its first cycle saw the browsers.
start() { # exe [args]
  $wine "$@" </dev/null >/dev/null 2>&1 &
  program_pid=$!
  for i in $(seq 1 60); do
    probe | grep -q '\[ A[ck]tiv' && return 0
    sleep 0.5
  done
  echo "screenshots: the program did not come up" >&2
  exit 1
}
shoot() { # suffix exe [args]
  suffix=$1
  shift
  start "$@"
  probe --show >/dev/null
  sleep 1
  capture "$out/main_window_$suffix.png" "$(window_rect)"
  # The tray menu with an item under the mouse, opened above the taskbar so
  # that the icon in its notification area stays in the picture.
  xdotool mousemove 760 600
  probe --menu >/dev/null
  sleep 1
  xdotool mousemove 820 668
  capture "$out/tray_menu_$suffix.png" 1024x768+0+0
  xdotool key Escape
  sleep 0.5
  probe --quit >/dev/null
  wait "$program_pid" || true
}

# ---- The settings dialog (settings_en.png, settings_de.png) ----
# Opened as the tray item opens it, with the main window hidden; the
# picture is the dialog alone, on its page "Services", and again on its
# page "Browser" (settings_browser_en.png, settings_browser_de.png).
shoot_settings() { # suffix exe [args]
  suffix=$1
  shift
  start "$@"
  probe --settings >/dev/null
  set -- $(probe --settings-rect)
  sleep 1
  capture "$out/settings_$suffix.png" "${3}x${4}+${1}+${2}"
  probe --settings-page 2 >/dev/null
  sleep 1
  capture "$out/settings_browser_$suffix.png" "${3}x${4}+${1}+${2}"
  probe --settings-close >/dev/null
  sleep 0.5
  probe --quit >/dev/null
  wait "$program_pid" || true
}

# ---- The hosts list editor ----
# Opened from the main window's menu with the unified list of the shared
# data folder (ZT_DATA_DIR) as its list file: "0.0.0.0 name" lines become
# one name a line, CP1252 and CRLF as the program writes them.
data=${ZT_DATA_DIR:-$root/../shared/data}
hosts_list() {
  awk '/^0\.0\.0\.0 / && !/#/ && $2 != "0.0.0.0" { printf "%s\r\n", $2 }' "$data/hosts-000-unified.txt" \
    >"$program/config/zapotrix_hosts.dat"
}
shoot_hosts_editor() { # suffix exe [args]
  suffix=$1
  shift
  start "$@"
  probe --hosts-editor >/dev/null
  # Timer1 loads the list 200 ms after the window is made.
  sleep 3
  set -- $(probe --rect THostlistenEditor)
  capture "$out/hosts_editor_$suffix.png" "${3}x${4}+${1}+${2}"
  probe --quit >/dev/null
  wait "$program_pid" || true
}

# ---- The statistics window and the rule assistant ----
# Popups that the rules above close, one for each list, so that the history
# holds entries of every rule scanner.
printf 'window\tIEFrame\tFree Casino Bonus - Microsoft Internet Explorer\t640\t480\t\t\r\nwindow\tIEFrame\tOnline Poker Turnier - Microsoft Internet Explorer\t640\t480\t\t\r\nwindow\tIEFrame\tBanner - Microsoft Internet Explorer\t468\t60\t\t\r\nwindow\tIEFrame\tAngebot - Microsoft Internet Explorer\t500\t400\t\thttp://ads.example.com\r\nlifetime\t60000\r\n' \
  >"$work/popups.txt"
# The outer rectangle of the program's window of a class, for the crop.
class_rect() { # class
  set -- $(probe --rect "$1")
  echo "${3}x${4}+${1}+${2}"
}
shoot_statistics() { # suffix exe [args]
  suffix=$1
  shift
  start "$@"
  $wine "$b/browser_fixture.exe" "$work/popups.txt" "$work/popups.log" </dev/null >/dev/null 2>&1 &
  sleep 4
  probe --statistics >/dev/null
  sleep 1
  capture "$out/statistics_$suffix.png" "$(class_rect TQvStatistik)"
  probe --quit >/dev/null
  wait "$program_pid" || true
}
# The assistant for the first browser window, opened by a double-click on
# its row in the main window.
shoot_rule_assistant() { # suffix exe [args]
  suffix=$1
  shift
  start "$@"
  probe --show >/dev/null
  sleep 1
  set -- $(probe --row0)
  xdotool mousemove "$1" "$2" click --repeat 2 --delay 120 1
  sleep 1
  capture "$out/rule_assistant_$suffix.png" "$(class_rect TQvRule)"
  probe --quit >/dev/null
  wait "$program_pid" || true
}

$wine "$b/browser_fixture.exe" "$work/browsers.txt" "$work/browsers.log" </dev/null >/dev/null 2>&1 &
sleep 2
# ---- The database updater and the info window ----
# Each is opened through its menu command on the running program (after
# start-up, which enables the updater), captured alone and closed again.
# ztprobe --open prints the window's rectangle and how long it took from
# the command to its first paint.
shoot_window() { # command class file
  # shellcheck disable=SC2046
  set -- $(probe --open "$1" "$2") "$2" "$3"  # left top width height ms class file
  echo "screenshots: $6 opened and painted in $5 ms"
  sleep 0.5
  capture "$7" "${3}x${4}+${1}+${2}"
  probe --close "$6" >/dev/null
}
shoot_updater() { # suffix
  shoot_window 2003 TDBUpdater "$out/updater_$1.png"  # 2003: IDM_ACTION_DATENBANKUPDATER
}
shoot_info() { # suffix
  shoot_window 2009 TINFO "$out/info_$1.png"  # 2009: IDM_ACTION_INFO
}
shoot_secondary() { # suffix exe [args]
  suffix=$1
  shift
  start "$@"
  shoot_updater "$suffix"
  shoot_info "$suffix"
  probe --quit >/dev/null
  wait "$program_pid" || true
}
# ZT_SHOTS_ONLY=<window> (settings, updater_info, statistics, rule_assistant,
# hosts_editor)
# takes only that window's pictures.
only=${ZT_SHOTS_ONLY:-}
want() { [ -z "$only" ] || [ "$only" = "$1" ]; }
if [ -z "$only" ]; then
  shoot en "$program/zapotrix.exe"
  shoot de "$program/ztshow.exe" "Deutsch (Deutschland)"
fi
if want settings; then
  shoot_settings en "$program/zapotrix.exe"
  shoot_settings de "$program/ztshow.exe" "Deutsch (Deutschland)"
fi
if want statistics; then
  shoot_statistics en "$program/zapotrix.exe"
  shoot_statistics de "$program/ztshow.exe" "Deutsch (Deutschland)"
fi
if want rule_assistant; then
  shoot_rule_assistant en "$program/zapotrix.exe"
  shoot_rule_assistant de "$program/ztshow.exe" "Deutsch (Deutschland)"
fi
if want updater_info; then
  shoot_secondary en "$program/zapotrix.exe"
  shoot_secondary de "$program/ztshow.exe" "Deutsch (Deutschland)"
fi
# The editor last: it replaces the hosts list of the program folder.
if want hosts_editor; then
  hosts_list
  shoot_hosts_editor en "$program/zapotrix.exe"
  shoot_hosts_editor de "$program/ztshow.exe" "Deutsch (Deutschland)"
fi
echo "screenshots: written to docs/screenshots/"
ls -l "$out"
