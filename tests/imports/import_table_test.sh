#!/bin/sh
# import_table_test.sh EXE [OBJDUMP]
# The import table of the 32-bit zapotrix.exe as the loader of Windows
# 95/98/Me and 2000 sees it. Wine implements every wide-character (W)
# function in every version mode, so no test under Wine can see what this
# one sees:
#   - an imported W function runs only on the NT family (Windows 95/98/Me
#     export most of them as stubs that fail with ERROR_CALL_NOT_IMPLEMENTED):
#     the program calls the A forms and looks a W function it needs on NT up
#     at run time. Allowed are the few W functions these systems implement,
#     and those only the compiler's runtime imports and whose failure it
#     tolerates (below, each with why);
#   - a function that one of these systems does not export at all makes its
#     loader refuse the program before any of our code runs, so neither the
#     minimum-system message nor anything else could be shown: such functions
#     are looked up at run time (platform/win32/system_function.h).
# Prints every offending import with the reason and ends with
# "N checks passed, M failed".
set -u
exe=$1
objdump=${2:-i686-w64-mingw32-objdump}
passed=0 failed=0

# W functions that Windows 95/98/Me implement themselves. Source: Microsoft,
# "MSLU: Develop Unicode Applications for Windows 9x Platforms with the
# Microsoft Layer for Unicode" (MSDN Magazine, October 2001) and the MSLU
# documentation of the Platform SDK, which list the W functions these
# systems provide natively (so the layer leaves them alone).
native_w="EnumResourceLanguagesW EnumResourceNamesW EnumResourceTypesW ExtTextOutW FindResourceExW
FindResourceW GetCharWidthW GetCommandLineW GetTextExtentPoint32W GetTextExtentPointW lstrlenW
MessageBoxExW MessageBoxW TextOutW"

# W functions that only the compiler's runtime imports (static libgcc and
# the mingw-w64 C runtime, linked into the exe), and why their failure on
# Windows 95/98/Me is harmless (found with ld --trace-symbol):
#   CreateSemaphoreW  libgcc gthr-win32.o (the win32 thread model's mutex),
#                     unwind-dw2-fde.o and emutls.o. The unnamed semaphore
#                     is waited on only when two threads contend for the same
#                     runtime lock; without it the uncontended lock still
#                     works and a contended one returns an error instead of
#                     waiting. The program's one other thread (the database
#                     download) throws no exception short of running out of
#                     memory and shares no lazily made static with the
#                     window thread, so no runtime lock is contended.
#   GetModuleHandleW  mingw-w64 msvcrt extras: lc_locale_func.o (the code
#                     page of the C locale: when msvcrt.dll cannot be found
#                     by the W call it falls back to reading the code page
#                     from setlocale) and rand_s.o (below).
#   LoadLibraryW      rand_s.o, the fallback of rand_s, which only
#                     std::random_device calls; libstdc++ links it because
#                     its string instantiations name that constructor, and
#                     the program never makes a random_device.
runtime_w="CreateSemaphoreW GetModuleHandleW LoadLibraryW"

# Functions that Windows 95, 98, Me or 2000 do not export at all, with the
# first version that has them. Source: Microsoft's function reference
# (the "Requirements" of each function, and the "Windows 95/98/Me" remarks
# of the Platform SDK documentation of February 2003), Microsoft's "Shell
# and Common Controls Versions" for comctl32 and shell32.
# Format: DLL:FUNCTION  where it is missing.
forbidden="
KERNEL32:ReplaceFileA                  Windows 2000 and later; not 95/98/Me
KERNEL32:ReplaceFileW                  Windows 2000 and later; not 95/98/Me
KERNEL32:GetFileSizeEx                 Windows 2000 and later; not 95/98/Me
KERNEL32:SetFilePointerEx              Windows 2000 and later; not 95/98/Me
KERNEL32:MoveFileWithProgressA         Windows 2000 and later; not 95/98/Me
KERNEL32:CreateHardLinkA               Windows 2000 and later; not 95/98/Me
KERNEL32:GetConsoleWindow              Windows 2000 and later; not 95/98/Me
KERNEL32:OpenThread                    Windows Me and 2000; not 95/98
KERNEL32:GetLongPathNameA              Windows 98 and 2000; not 95
KERNEL32:GetFileAttributesExA          Windows 98 and NT 4; not 95
KERNEL32:IsDebuggerPresent             Windows 98 and NT 4; not 95
KERNEL32:InitializeCriticalSectionAndSpinCount  Windows 98 and NT 4 SP3; not 95
KERNEL32:CopyFileExA                   NT 4 and later; not 95/98/Me
KERNEL32:SignalObjectAndWait           NT 4 and later; not 95/98/Me
KERNEL32:SwitchToThread                NT 4 and later; not 95/98/Me
KERNEL32:GetModuleHandleExA            Windows XP
KERNEL32:GetModuleHandleExW            Windows XP
KERNEL32:AddVectoredExceptionHandler   Windows XP
KERNEL32:RemoveVectoredExceptionHandler  Windows XP
KERNEL32:GetNativeSystemInfo           Windows XP
KERNEL32:GetProcessId                  Windows XP SP1
KERNEL32:SetDllDirectoryA              Windows XP SP1
KERNEL32:IsWow64Process                Windows XP SP2
KERNEL32:GetTickCount64                Windows Vista
KERNEL32:InitializeCriticalSectionEx   Windows Vista
KERNEL32:InitOnceExecuteOnce           Windows Vista
KERNEL32:InitializeSRWLock             Windows Vista
KERNEL32:AcquireSRWLockExclusive       Windows Vista
KERNEL32:InitializeConditionVariable   Windows Vista
KERNEL32:SleepConditionVariableCS      Windows Vista
KERNEL32:FlsAlloc                      Windows Vista (Server 2003)
KERNEL32:GetSystemTimePreciseAsFileTime  Windows 8
ADVAPI32:SystemFunction036             Windows XP (RtlGenRandom)
ADVAPI32:RegGetValueA                  Windows Vista (XP x64)
ADVAPI32:RegDeleteKeyExA               Windows Vista (XP x64)
USER32:SetWinEventHook                 Windows 98 and NT 4 SP6; not 95
USER32:UnhookWinEvent                  Windows 98 and NT 4 SP6; not 95
USER32:NotifyWinEvent                  Windows 98 and NT 4 SP6; not 95
USER32:AnimateWindow                   Windows 98 and 2000; not 95
USER32:TrackMouseEvent                 Windows 98 and NT 4; not 95 (comctl32 has _TrackMouseEvent)
USER32:SendInput                       Windows 98 and NT 4 SP3; not 95
USER32:GetAncestor                     Windows 98 and NT 4 SP4; not 95
USER32:FlashWindowEx                   Windows 98 and 2000; not 95
USER32:AllowSetForegroundWindow        Windows Me and 2000; not 95/98
USER32:LockSetForegroundWindow         Windows Me and 2000; not 95/98
USER32:SetLayeredWindowAttributes      Windows 2000; not 95/98/Me
USER32:UpdateLayeredWindow             Windows 2000; not 95/98/Me
USER32:GetLastInputInfo                Windows 2000; not 95/98/Me
COMCTL32:InitCommonControlsEx          comctl32 4.70 (Internet Explorer 3); not the 4.00 of Windows 95
COMCTL32:DllGetVersion                 comctl32 4.71 (Internet Explorer 4); not Windows 95
SHELL32:SHGetSpecialFolderPathA        shell32 4.71 (Internet Explorer 4 desktop update); not Windows 95
SHELL32:SHGetFolderPathA               shell32 5.0 (Windows Me and 2000); not 95/98
SHELL32:DllGetVersion                  shell32 4.71; not Windows 95
"
# Whole libraries that a Windows 95 without Internet Explorer 4 lacks: the
# program looks their functions up, so that it can start and say so.
forbidden_dlls="URLMON:urlmon.dll comes with Internet Explorer
WININET:wininet.dll comes with Internet Explorer
SHLWAPI:shlwapi.dll comes with Internet Explorer 4"

check() { # name condition-status
  if [ "$2" -eq 0 ]; then passed=$((passed + 1)); echo "ok   - $1"
  else failed=$((failed + 1)); echo "FAIL - $1"; fi
}

[ -f "$exe" ] || { echo "FAIL - no such file: $exe"; echo "0 checks passed, 1 failed"; exit 1; }
table=$("$objdump" -p "$exe") || { echo "FAIL - $objdump cannot read $exe"; echo "0 checks passed, 1 failed"; exit 1; }
# One line per import: DLL (upper case, without .dll) and function name.
imports=$(printf '%s\n' "$table" | awk '
  /DLL Name:/ { dll = toupper($3); sub(/\.DLL$/, "", dll); next }
  /^\t[0-9a-f]+\t *[0-9]+ +[A-Za-z_]/ && dll != "" { print dll, $3 }')
[ -n "$imports" ]
check "the import table was read ($(printf '%s\n' "$imports" | wc -l) functions)" $?

# Wide-character functions: a name that ends in W after a small letter or
# a digit (lstrlenW, SendMessageTimeoutW, GetTextExtentPoint32W).
bad=0
for f in $(printf '%s\n' "$imports" | awk '$2 ~ /[a-z0-9]W$/ { print $2 }' | sort -u); do
  case " $(echo $native_w $runtime_w) " in
    *" $f "*) ;;
    *) echo "   $f: a W function, which fails on Windows 95/98/Me (call the A form, or look it up on NT)"; bad=1 ;;
  esac
done
check "no W function beyond those Windows 95/98/Me implement and the runtime's own" $bad

bad=0
while read -r entry reason; do
  [ -n "$entry" ] || continue
  if printf '%s\n' "$imports" | grep -qx "${entry%%:*} ${entry#*:}"; then
    echo "   ${entry#*:} (${entry%%:*}): $reason - the loader refuses the program there; look it up at run time"
    bad=1
  fi
done <<EOF
$forbidden
EOF
check "no function that Windows 95, 98, Me or 2000 lacks" $bad

bad=0
while IFS=: read -r dll reason; do
  if printf '%s\n' "$imports" | awk -v d="$dll" '$1 == d { found = 1 } END { exit !found }'; then
    echo "   $(printf '%s\n' "$imports" | awk -v d="$dll" '$1 == d { print $2 }' | tr '\n' ' ')from $dll: $reason; look them up at run time"
    bad=1
  fi
done <<EOF
$forbidden_dlls
EOF
check "nothing imported from the libraries of Internet Explorer" $bad

echo "W functions imported: $(printf '%s\n' "$imports" | awk '$2 ~ /[a-z0-9]W$/ { printf "%s ", $2 }')"
echo "$passed checks passed, $failed failed"
[ "$failed" -eq 0 ]
