#!/bin/sh
# limited_user_test.sh BUILD_DIR
# zapotrix.exe for a user without administrator rights, under Wine run as a
# second, unprivileged Unix user ("ztlimited", made here when missing) in a
# Wine prefix of its own, so that the program folder can really be closed
# to it:
#   - the program in a folder owned by root (mode 755), as in "Program
#     Files": a rule added in the main window is kept at the quit, which
#     ends the program without a message; the next start has the rule; the
#     program folder stays exactly as it was;
#   - an upgrade and an uninstall while the program runs and its save fails
#     everywhere (its config folder and its per-user folder belong to root):
#     the program ends and the installer goes on, exit code 0.
# Prints one line per check, the time from the quit command to the end of
# the process and the installer's exit codes, and ends with "N checks
# passed, M failed". Needs root: it makes the user and hands it its prefix.
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
b=$(cd "$1" && pwd)
user=ztlimited
if [ "$(id -u)" != 0 ]; then echo "SKIP - running Wine as a second user needs root"; exit 77; fi
id "$user" >/dev/null 2>&1 || useradd -m -s /bin/sh "$user" \
  || { echo "FAIL - cannot make the user $user"; echo "0 checks passed, 1 failed"; exit 1; }
home=$(getent passwd "$user" | cut -d: -f6)
mkdir -p "$home" && chown "$user" "$home"
export LANG=C.UTF-8 LC_ALL=C.UTF-8
. "$root/tests/installer/test_lib.sh"

if grep -q 'x86_64' "$b/CMakeCache.txt"; then
  wine=/usr/lib/wine/wine64 arch=win64 suffix=-x64-test
else
  wine=wine arch=win32 suffix=
fi
art=$b/release-test
make_artefacts "$b" "$art" || exit 1
version=$(sed -n 's/.*kVersion = "\([0-9.]*\)".*/\1/p' "$root/lang/texts.h")
setup=$art/zapotrix-$version-setup$suffix.exe

# The user's prefix lives in the build tree, unless the user cannot reach it
# (a clone below a closed home folder): then in a folder of ours in /tmp.
work=$b/limited-test
tmp_work=""
if ! runuser -u "$user" -- test -x "$b"; then
  work=$(mktemp -d /tmp/zt-limited.XXXXXX)
  tmp_work=1
fi
mkdir -p "$work"
chmod 755 "$work"
cd "$work" || exit 1
# What the user runs besides the program, where the user can read it.
cp "$b/ztprobe.exe" "$setup" "$work/"
probe_exe=$work/ztprobe.exe
setup=$work/$(basename "$setup")
prefix=$work/prefix
c=$prefix/drive_c

find_display "$b" "$work" || exit 1

# A command run as the user, in its prefix (Wine refuses a prefix that is
# not the user's own).
as_user() {
  runuser -u "$user" -- env HOME="$home" USER="$user" LOGNAME="$user" WINEPREFIX="${pfx:-$prefix}" \
    WINEARCH=$arch WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d" \
    DISPLAY="$DISPLAY" "$@"
}
uw() { as_user $wine "$@" </dev/null >/dev/null 2>&1; }
finish() {
  as_user wineserver -k 2>/dev/null
  [ -n "$own_x" ] && sh "$root/scripts/xvfb.sh" stop "$work"
  [ -n "$tmp_work" ] && rm -rf "$work"
}
trap finish EXIT

# The user's prefix is a copy of one that Wine made for it and nothing has
# run in since (made once per build).
template=$work/prefix-template
(
  flock 9
  if [ ! -f "$template/.zt-ready" ]; then
    rm -rf "$template"
    mkdir "$template"
    chown "$user" "$template"
    pfx=$template
    uw wineboot -i
    as_user wineserver -w
    uw reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f
    uw reg add 'HKCU\Software\Wine' /v Version /d winxp /f
    as_user wineserver -w
    touch "$template/.zt-ready"
  fi
) 9>"$work/template.lock"
echo "== fresh Wine prefix of the user $user ($arch)"
rm -rf "$prefix"
cp -a "$template" "$prefix"
rm -f "$prefix/.zt-ready"
as_user wineserver -p10

probe() { as_user $wine "$probe_exe" "$@" </dev/null 2>/dev/null | tr -d '\r'; }
# Starts the program (unix path of the exe) as the user: $program_pid.
# True when its status bar shows the version within 30 s.
start_program() {
  as_user $wine "$1" </dev/null >/dev/null 2>&1 &
  program_pid=$!
  i=0
  while [ $i -lt 30 ]; do
    probe | grep -q "Zapotrix Version $version" && return 0
    sleep 1; i=$((i + 1))
  done
  return 1
}
# The quit command and the time until the process has ended: $quit_time.
quit_program() {
  probe --quit >/dev/null
  t0=$(now)
  ended "$program_pid" || return 1
  quit_time=$(since "$t0")
}
contains() { grep -q -- "$2" "$1" 2>/dev/null; }
add_keyword() { probe --add-keyword "$1" | grep -q 'keyword added'; }
settings_saved() { as_user $wine reg query 'HKCU\Software\veltrano\Zapotrix\V1\settings' /v Main_Left </dev/null >/dev/null 2>&1; }
# Every name, mode, size, time and content below the folder.
snapshot() { (cd "$1" && find . -printf '%p %u %m %s %T@\n' | LC_ALL=C sort && find . -type f -exec md5sum {} + | LC_ALL=C sort); }
# The user's application-data folder as Wine lays it out.
user_folder() { find "$c/users/$user" -maxdepth 2 -type d \( -name Roaming -o -name 'Application Data' \) | head -n1; }

echo "== the program in a folder owned by root (mode 755)"
dir="$c/Program Files/Zapotrix"
mkdir -p "$dir"
cp -r "$b/dist/." "$dir/"
chown -R root:root "$dir"
chmod -R u+w,go-w,a+rX "$dir"
snapshot "$dir" >"$work/folder.before"
check "the user cannot write the program folder" \
  sh -c "! runuser -u $user -- touch '$dir/config/probe' 2>/dev/null"
check "the program starts for the user" start_program "$dir/zapotrix.exe"
check "a keyword is added in the main window" add_keyword limited-user-rule
check "the quit ends the program, no message waiting" quit_program
echo "   quit to end of process (limited user, rules saved per user): ${quit_time:-?} s"
appdata=$(user_folder)
userdb="$appdata/Zapotrix/zapotrix_mainDB.ini"
check "the rule is kept in the user's application-data folder" contains "$userdb" '=limited-user-rule'
check "the settings went into the user's registry" settings_saved
check "the program starts again" start_program "$dir/zapotrix.exe"
check "and quits again" quit_program
echo "   quit to end of process (second run): ${quit_time:-?} s"
check "the rule was read at the start (the quit wrote it back)" contains "$userdb" '=limited-user-rule'
snapshot "$dir" >"$work/folder.after"
check "the program folder is unchanged" cmp -s "$work/folder.before" "$work/folder.after"

echo "== upgrade and uninstall while the user's save fails everywhere"
inst="$c/Apps/Zapotrix"
uw "$setup" /S '/D=C:\Apps\Zapotrix'
check "installed by the user" test -f "$inst/zapotrix.exe"
# Neither the config folder nor the user's own folder can take a file.
chown -R root:root "$inst/config"
chmod 755 "$inst/config"
rm -rf "$appdata/Zapotrix"
mkdir "$appdata/Zapotrix"
chmod 755 "$appdata/Zapotrix"
check "the installed program starts" start_program "$inst/zapotrix.exe"
# The installer keeps a file's build time: an older one shows the new copy.
touch -d '2001-01-01' "$inst/zapotrix.exe"
touch -d '2001-01-02' "$work/old.stamp"
t0=$(now)
uw "$setup" /S '/D=C:\Apps\Zapotrix'
rc=$?
echo "   upgrade: exit code $rc after $(since "$t0") s"
check "the upgrade ends with exit code 0" test "$rc" = 0
check "the running program was quit" ended "$program_pid"
check "the program was replaced" test "$inst/zapotrix.exe" -nt "$work/old.stamp"
check "nothing was saved anywhere (the save failed)" \
  sh -c "[ -z \"\$(ls -A '$appdata/Zapotrix')\" ]"
check "the upgraded program starts" start_program "$inst/zapotrix.exe"
t0=$(now)
# In place (_?=): the uninstaller's exit code is its own, not its starter's.
uw "$inst/uninstall.exe" /S '_?=C:\Apps\Zapotrix\'
rc=$?
echo "   uninstall: exit code $rc after $(since "$t0") s"
check "the uninstall ends with exit code 0" test "$rc" = 0
check "the running program was quit" ended "$program_pid"
check "the program was removed" test ! -e "$inst/zapotrix.exe"

echo "$passed checks passed, $failed failed"
[ "$failed" -eq 0 ] || { echo "the prefix stays for a look: $prefix"; exit 1; }
as_user wineserver -k 2>/dev/null
as_user wineserver -w 2>/dev/null
rm -rf "$prefix"
