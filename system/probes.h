// Start-up probes (language, administrator rights, Windows version, the
// hosts directory) and the machine-wide autostart entry.
#pragma once
#include <string>

#include "platform/system.h"

namespace zt {

struct AppState;

// The Run key of the local machine and the program's value in it.
extern const char* const kRunKey;
extern const char* const kRunValue;

// True when the system's default language is named "Deutsch ..." (a German
// Windows); any failure gives false.
bool is_german_system(AppState& app);

// A write probe on HKEY_LOCAL_MACHINE: true when a scratch key could be
// created and written. Leaves nothing behind.
bool check_admin(AppState& app);

// "Win32", "Win95", "Win98", "WinNT", "Win2k", "WinXP", or "" for any
// other system (NT 4, Server 2003, Vista and later) or a failed query.
std::string Get_Win_Version(AppState& app);
std::string WinVersionName(const OsVersion& v);

// The system and Windows directories, each with one trailing backslash.
std::string GetSystemDirectoryPath(System& sys);
std::string GetWindowsDirectoryPath(System& sys);
// Where the system hosts file lives: "<system>\drivers\etc\" on the NT
// family, the Windows directory otherwise.
std::string GetHostsDirectory(System& sys, bool ntFamily);

// 0 = no "zapotrix" Run value, 1 = one with other data, 2 = one holding
// this executable's quoted path.
int checkRegAutostart(AppState& app);
// Write or delete the Run value; both do nothing without IsAdmin.
void Regautostart(AppState& app);
void RegautostartRemove(AppState& app);
// Keeps the autostart entry in line with Settings.AutoStart.
void XCFG_Autostart(AppState& app);

}  // namespace zt
