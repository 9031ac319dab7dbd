#!/bin/sh
# installer_test.sh BUILD_DIR winxp|win98
# The release artefacts under Wine, each run in a fresh prefix of its own:
#   winxp  silent install (files, Start menu, Add/Remove entry, no autostart
#          unless asked, the update mirror variable), start and quit of the
#          installed program, an upgrade over a running installation whose
#          rule database the user edited, a silent uninstall with hosts
#          blocking on (everything removed), and the portable zip started
#          from a folder with a blank in its path;
#   win98  the Windows 98 paths: a mirror address the command interpreter
#          would read refused, install into a folder of one's choice with
#          autostart and the mirror line in an AUTOEXEC.BAT whose last line
#          has no line end (kept as AUTOEXEC.ZT first), an upgrade that
#          replaces only our line, hosts blocking through HOSTS (a backup
#          an earlier version took of hosts.sam goes back there), and an
#          uninstall that keeps the user's data when told to and removes
#          exactly our line.
# The artefacts come from scripts/dist.sh for this build: the product
# installer for the 32-bit build; for the 64-bit test build (machines whose
# Wine runs no 32-bit programs) the same script around the 64-bit program.
# Prints one line per check and ends with "N checks passed, M failed".
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
b=$(cd "$1" && pwd)
mode=$2
# No menu entries for the host desktop: winemenubuilder would write the
# Start menu shortcuts into the home directory.
export LANG=C.UTF-8 LC_ALL=C.UTF-8 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
work=$b/installer-test/$mode
. "$root/tests/installer/test_lib.sh"

if grep -q 'x86_64' "$b/CMakeCache.txt"; then
  wine=/usr/lib/wine/wine64 arch=win64 suffix=-x64-test
  echo "NOTE: this build is the 64-bit test build: the 32-bit installer and program"
  echo "      of the release are not run here (this machine's Wine runs no 32-bit"
  echo "      programs); the same installer script is tested around the 64-bit"
  echo "      program (scripts/dist.sh $1 names it ...-setup-x64-test.exe)."
else
  wine=wine arch=win32 suffix=
fi
export WINEARCH=$arch

# The artefacts, made once for all runs of this build.
art=$b/release-test
make_artefacts "$b" "$art" || exit 1
version=$(sed -n 's/.*kVersion = "\([0-9.]*\)".*/\1/p' "$root/lang/texts.h")
setup=$art/zapotrix-$version-setup$suffix.exe
zip=$art/zapotrix-$version-portable$suffix.zip

rm -rf "$work"
mkdir -p "$work"
export WINEPREFIX=$work/prefix
c=$WINEPREFIX/drive_c

find_display "$b" "$work" || exit 1
finish() {
  wineserver -k 2>/dev/null
  [ -n "$own_x" ] && sh "$root/scripts/xvfb.sh" stop "$work"
}
trap finish EXIT

w() { $wine "$@" </dev/null >/dev/null 2>&1; }
# reg query VALUE_DATA: prints the data of one value, nothing when it is missing.
regget() { # key value
  $wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | awk -v v="$2" '$1 == v { $1 = ""; $2 = ""; sub(/^  /, ""); print }'
}
haskey() { $wine reg query "$1" >/dev/null 2>&1; }
hasvalue() { $wine reg query "$1" /v "$2" >/dev/null 2>&1; }
nokey() { ! haskey "$1"; }
novalue() { ! hasvalue "$1" "$2"; }
same() { cmp -s "$1" "$2"; }
absent() { [ ! -e "$1" ]; }
contains() { grep -q -- "$2" "$1" 2>/dev/null; }

uninst='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Zapotrix'
run='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
settings='HKCU\Software\veltrano\Zapotrix\V1\settings'
envkey='HKLM\System\CurrentControlSet\Control\Session Manager\Environment'

# A fresh prefix is a copy of one that Wine has just made and nothing has
# run in since (made once per build: that takes a minute or two, unless the
# build's own prefix left such a copy, wineprefix.fresh, when it was made).
template=$b/installer-test/prefix-template
flock "$template.lock" sh -c '
  [ -f "$1/.zt-ready" ] && exit 0
  rm -rf "$1"
  if [ -f "$3/.zt-ready" ]; then cp -a "$3" "$1"; exit 0; fi
  WINEPREFIX=$1 $2 wineboot -i </dev/null >/dev/null 2>&1
  WINEPREFIX=$1 wineserver -w
  WINEPREFIX=$1 $2 reg add "HKCU\Software\Wine\X11 Driver" /v Managed /d N /f </dev/null >/dev/null 2>&1
  WINEPREFIX=$1 wineserver -w
  touch "$1/.zt-ready"' sh "$template" "$wine" "$b/wineprefix.fresh"
echo "== fresh Wine prefix ($arch, $mode mode)"
cp -a "$template" "$WINEPREFIX"
rm -f "$WINEPREFIX/.zt-ready"
w reg add 'HKCU\Software\Wine' /v Version /d "$mode" /f
wineserver -p10

# Starts the program (unix path of the exe) in the background: $program_pid.
# True when its status bar shows the version within 30 s.
start_program() {
  $wine "$1" </dev/null >/dev/null 2>&1 &
  program_pid=$!
  i=0
  while [ $i -lt 30 ]; do
    $wine "$b/ztprobe.exe" 2>/dev/null | tr -d '\r' | grep -q "Zapotrix Version $version" && return 0
    sleep 1; i=$((i + 1))
  done
  return 1
}
# Quits it as the tray menu's Quit does and waits until it has ended.
quit_program() {
  w "$b/ztprobe.exe" --quit
  ended "$program_pid"
}
wait_for_file() { # path: true when it appears within 30 s
  i=0
  while [ ! -e "$1" ] && [ $i -lt 300 ]; do sleep 0.1; i=$((i + 1)); done
  [ -e "$1" ]
}
wait_for_text() { # path text: true when the file holds the text within 30 s
  i=0
  while ! contains "$1" "$2" && [ $i -lt 300 ]; do sleep 0.1; i=$((i + 1)); done
  contains "$1" "$2"
}
# Settings with hosts blocking on at every start and no autostart (REGEDIT4).
blocking_settings() {
  printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\veltrano\\Zapotrix\\V1\\settings]\r\n' >"$work/blocking.reg"
  for v in Main_Left=ffffffff Main_Top=ffffffff AutoStart=0 ShowHint=1 UseADS=1 UseURL=1 UseWDS=1 UseWCS=1 \
           interval=0 Small_Windows=1 SmallWindowHeight=c8 SmallWindowWidth=140 Internet_Explorer=1 Mozilla=0 \
           Firefox=0 FlashAX=0 Flash7=0 Flash_MZ=0 Notepad=0 hosts=1; do
    printf '"%s"=dword:%08x\r\n' "${v%=*}" "0x${v#*=}" >>"$work/blocking.reg"
  done
  printf '"host_ip"="127.0.0.1"\r\n"hosts_onstartup"=dword:00000001\r\n' >>"$work/blocking.reg"
  for v in NachrichtenDienst Warndienst RemoteRegistrierung Fehlerberichterstattung AutomatischeUpdates \
           Systemwiederherstellung; do
    printf '"Services_%s"=dword:00000000\r\n' "$v" >>"$work/blocking.reg"
  done
  w regedit /s "$(winepath_of "$work/blocking.reg")"
}
winepath_of() { $wine winepath -w "$1" 2>/dev/null | tr -d '\r'; }
# A hosts file that no writer would produce: comments, blank lines, a lone LF.
original_hosts() { # path
  mkdir -p "$(dirname "$1")"
  printf '# hosts of this test machine\r\n#   kept byte for byte\r\n\r\n127.0.0.1       localhost\r\n10.1.2.3 intranet.example # company\n  # indented comment\r\n' >"$1"
  cp "$1" "$work/hosts.original"
}
# Everything of ours in the registry files and on drive C:, once Wine is idle.
leftovers() {
  wineserver -k 2>/dev/null
  wineserver -w 2>/dev/null
  grep -i -B3 'zapotrix\|veltrano' "$WINEPREFIX"/*.reg
  find "$c" -iname '*zapotrix*' -o -iname 'hosts_org.bak'
}
nothing_left() {
  left=$(leftovers)
  [ -z "$left" ] || { echo "   left behind: $left"; return 1; }
}

startmenu() { find "$c" -type d -path '*Programs/Zapotrix' 2>/dev/null | head -n1; }
links() { (cd "$(startmenu)" 2>/dev/null && ls | LC_ALL=C sort | tr '\n' '|'); }

if [ "$mode" = winxp ]; then
  dir="$c/Program Files/Zapotrix"
  echo "== silent install with a company mirror"
  t0=$(now)
  w "$setup" /S /UPDATEBASE=http://mirror.example/
  echo "   silent install took $(since "$t0") s"
  check "program, manual and data files installed as shipped" \
    same "$dir/zapotrix.exe" "$b/dist/zapotrix.exe"
  check "manual installed" same "$dir/help/zapotrix_handbuch.pdf" "$b/dist/help/zapotrix_handbuch.pdf"
  for f in zapotrix_mainDB.ini zapotrix_hosts.dat zapotrix_mozilla.dat; do
    check "config\\$f installed" same "$dir/config/$f" "$b/dist/config/$f"
  done
  check "uninstaller written" test -f "$dir/uninstall.exe"
  check "Start menu: program, manual, uninstaller" \
    test "$(links)" = "Uninstall Zapotrix.lnk|Zapotrix Manual.lnk|Zapotrix.lnk|"
  check "Add/Remove entry: name" test "$(regget "$uninst" DisplayName)" = "Zapotrix"
  check "Add/Remove entry: version" test "$(regget "$uninst" DisplayVersion)" = "$version"
  check "Add/Remove entry: publisher" test "$(regget "$uninst" Publisher)" = "Veltrano"
  check "Add/Remove entry: size" test -n "$(regget "$uninst" EstimatedSize)"
  check "Add/Remove entry: quiet uninstall" \
    test "$(regget "$uninst" QuietUninstallString)" = '"C:\Program Files\Zapotrix\uninstall.exe" /S'
  check "no autostart entry unless asked" novalue "$run" zapotrix
  check "mirror set for the machine" test "$(regget "$envkey" ZAPOTRIX_UPDATE_BASE)" = "http://mirror.example/"

  echo "== the installed program starts and quits"
  check "installed program starts" start_program "$dir/zapotrix.exe"
  check "installed program quits the normal way" quit_program
  check "its quit saved the settings (no file was missing)" hasvalue "$settings" UseWCS
  check "the program kept the autostart choice" novalue "$run" zapotrix

  echo "== upgrade over a running installation whose rules the user edited"
  printf '[ADS]\r\n1=meine-eigene-regel\r\n[URL]\r\n[WCS]\r\n[WDS]\r\n' >"$dir/config/zapotrix_mainDB.ini"
  echo 'an older manual' >"$dir/help/zapotrix_handbuch.pdf"
  check "program runs before the upgrade" start_program "$dir/zapotrix.exe"
  # Read at its start; the quit writes every value again.
  w reg delete "$settings" /v UseWCS /f
  t0=$(now)
  w "$setup" /S
  echo "   silent upgrade took $(since "$t0") s"
  check "the running program was asked to quit and has ended" ended "$program_pid"
  check "it quit the normal way (settings saved)" hasvalue "$settings" UseWCS
  check "the user's rule survived the upgrade" contains "$dir/config/zapotrix_mainDB.ini" 'meine-eigene-regel'
  check "the manual was replaced" same "$dir/help/zapotrix_handbuch.pdf" "$b/dist/help/zapotrix_handbuch.pdf"
  check "the program was replaced" same "$dir/zapotrix.exe" "$b/dist/zapotrix.exe"

  echo "== silent uninstall with hosts blocking on"
  original_hosts "$c/windows/system32/drivers/etc/hosts"
  blocking_settings
  check "program with blocking on starts" start_program "$dir/zapotrix.exe"
  check "it backed up and rewrote the hosts file" wait_for_file "$dir/hosts_org.bak"
  check "hosts file holds the blocked hosts" contains "$c/windows/system32/drivers/etc/hosts" '^127.0.0.1  '
  t0=$(now)
  w "$dir/uninstall.exe" /S
  # The uninstaller runs on from a copy of itself: wait for its last steps.
  i=0
  while haskey "$uninst" && [ $i -lt 60 ]; do sleep 0.5; i=$((i + 1)); done
  echo "   silent uninstall took $(since "$t0") s"
  check "the running program was quit" ended "$program_pid"
  check "hosts file back byte for byte" same "$c/windows/system32/drivers/etc/hosts" "$work/hosts.original"
  check "program folder removed" absent "$dir"
  check "Start menu folder removed" test -z "$(startmenu)"
  check "Add/Remove entry removed" nokey "$uninst"
  check "settings key removed" nokey 'HKCU\Software\veltrano'
  check "mirror variable removed" novalue "$envkey" ZAPOTRIX_UPDATE_BASE
  check "autostart entry absent" novalue "$run" zapotrix
  check "nothing of ours left on disk or in the registry" nothing_left
  wineserver -p10

  echo "== portable zip from a folder with a blank in its name"
  usb="$c/USB Stick"
  mkdir -p "$usb"
  (cd "$usb" && unzip -q "$zip")
  check "zip holds the program folder and the read-me" \
    test -f "$usb/Zapotrix/zapotrix.exe" -a -f "$usb/Zapotrix/LIESMICH.txt" -a -f "$usb/Zapotrix/help/zapotrix_handbuch.pdf"
  check "portable program starts" start_program "$usb/Zapotrix/zapotrix.exe"
  check "portable program quits" quit_program
  check "it found all its files (settings saved)" hasvalue "$settings" UseWCS
  check "its autostart entry names the path with the blank" \
    test "$(regget "$run" zapotrix)" = '"C:\USB Stick\Zapotrix\zapotrix.exe"'
  check "its rules were saved in its own folder" test "$usb/Zapotrix/config/zapotrix_mainDB.ini" -nt "$zip"
else
  dir="$c/Apps/Zapotrix 98"
  hosts="$c/windows/HOSTS"
  sam="$c/windows/hosts.sam"
  echo "== a mirror address that the command interpreter would read is refused"
  printf '@ECHO OFF\r\nSET ZAPOTRIX_UPDATE_BASE=http://own.example/\r\nPATH C:\\WINDOWS' >"$c/AUTOEXEC.BAT"
  cp "$c/AUTOEXEC.BAT" "$work/autoexec.original"
  $wine "$setup" /S "/UPDATEBASE=http://mirror.example/?a=1&b=%PATH%" </dev/null >/dev/null 2>&1
  check "refused with exit code 2" test $? -eq 2
  check "nothing installed" absent "$c/Apps/Zapotrix 98/zapotrix.exe"
  check "AUTOEXEC.BAT untouched" same "$c/AUTOEXEC.BAT" "$work/autoexec.original"

  echo "== silent install with autostart into a folder of one's choice"
  t0=$(now)
  # As typed at a command prompt: /D= takes the rest of the line unquoted.
  w cmd /c "start /wait $(winepath_of "$setup") /S /AUTOSTART=1 /UPDATEBASE=http://mirror.example/ /D=C:\Apps\Zapotrix 98"
  echo "   silent install took $(since "$t0") s"
  check "installed into the chosen folder" same "$dir/zapotrix.exe" "$b/dist/zapotrix.exe"
  check "autostart entry as the program writes it" \
    test "$(regget "$run" zapotrix)" = '"C:\Apps\Zapotrix 98\zapotrix.exe"'
  check "autostart switched on in the settings" test "$(regget "$settings" AutoStart)" = 0x1
  check "AUTOEXEC.BAT kept as AUTOEXEC.ZT before the change" same "$c/AUTOEXEC.ZT" "$work/autoexec.original"
  # The last line had no line end: ours comes on a line of its own.
  { cat "$work/autoexec.original"; printf '\r\nSET ZAPOTRIX_UPDATE_BASE=http://mirror.example/\r\n'; } >"$work/autoexec.expected"
  check "mirror line added after the user's last line" same "$c/AUTOEXEC.BAT" "$work/autoexec.expected"

  echo "== an upgrade with another mirror replaces only our line"
  w "$setup" /S /UPDATEBASE=http://mirror2.example/
  { cat "$work/autoexec.original"; printf '\r\nSET ZAPOTRIX_UPDATE_BASE=http://mirror2.example/\r\n'; } >"$work/autoexec.expected"
  check "one mirror line of ours, the user's own kept" same "$c/AUTOEXEC.BAT" "$work/autoexec.expected"
  check "the first copy of AUTOEXEC.BAT is kept" same "$c/AUTOEXEC.ZT" "$work/autoexec.original"

  echo "== hosts blocking through HOSTS in the Windows folder"
  # An earlier version blocked through hosts.sam, which no resolver reads,
  # and kept its backup without the mark that names HOSTS.
  original_hosts "$hosts"
  printf '# sample of this machine\r\n127.0.0.1 localhost\r\n' >"$sam"
  cp "$sam" "$dir/hosts_org.bak"
  cp "$sam" "$work/sam.original"
  printf '\r\n\r\n127.0.0.1  localhost\r\n127.0.0.1  old.example\r\n' >"$sam"
  blocking_settings
  w reg add "$settings" /v AutoStart /t REG_DWORD /d 1 /f
  check "program with blocking on starts" start_program "$dir/zapotrix.exe"
  check "HOSTS rewritten by the program" wait_for_text "$hosts" '^127.0.0.1  localhost'
  check "hosts.sam got its own backup back" same "$sam" "$work/sam.original"
  check "the backup now holds HOSTS as it was" same "$dir/hosts_org.bak" "$work/hosts.original"
  check "the backup is marked as one of HOSTS" contains "$dir/hosts_org.txt" 'HOSTS'
  check "the program kept the autostart entry" \
    test "$(regget "$run" zapotrix)" = '"C:\Apps\Zapotrix 98\zapotrix.exe"'

  echo "== silent uninstall keeping the user's data"
  t0=$(now)
  w "$dir/uninstall.exe" /S /KEEPDATA
  i=0
  while haskey "$uninst" && [ $i -lt 60 ]; do sleep 0.5; i=$((i + 1)); done
  echo "   silent uninstall took $(since "$t0") s"
  check "the running program was quit" ended "$program_pid"
  check "HOSTS back byte for byte" same "$hosts" "$work/hosts.original"
  check "hosts.sam left as it was" same "$sam" "$work/sam.original"
  # Exactly our line goes; the line end the user's last line lacked stays.
  { cat "$work/autoexec.original"; printf '\r\n'; } >"$work/autoexec.expected"
  check "AUTOEXEC.BAT without our line, the user's lines as they were" same "$c/AUTOEXEC.BAT" "$work/autoexec.expected"
  check "its copy removed with our line" absent "$c/AUTOEXEC.ZT"
  check "autostart entry removed" novalue "$run" zapotrix
  check "Add/Remove entry removed" nokey "$uninst"
  check "rule database kept" test -f "$dir/config/zapotrix_mainDB.ini"
  check "blocked-host list kept" test -f "$dir/config/zapotrix_hosts.dat"
  check "settings kept" hasvalue "$settings" hosts
  check "program, manual, uninstaller, backup and its mark removed" \
    test ! -e "$dir/zapotrix.exe" -a ! -e "$dir/help" -a ! -e "$dir/uninstall.exe" -a ! -e "$dir/hosts_org.bak" \
      -a ! -e "$dir/hosts_org.txt"
  check "Start menu folder removed" test -z "$(startmenu)"
fi

echo "$passed checks passed, $failed failed"
[ "$failed" -eq 0 ] || { echo "the prefix stays for a look: $WINEPREFIX"; exit 1; }
# A prefix is large: only a failed run keeps its own.
wineserver -k 2>/dev/null
wineserver -w 2>/dev/null
rm -rf "$WINEPREFIX"
