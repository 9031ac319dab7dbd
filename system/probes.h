// Start-up probes (language, administrator rights, Windows version, the
// hosts directory) and the machine-wide autostart entry.
#pragma once
#include <string>

#include "lang/texts.h"
#include "platform/registry.h"
#include "platform/system.h"

namespace zt {

// The Run key of the local machine and the program's value in it.
extern const char* const kRunKey;
extern const char* const kRunValue;

// True when the system's default language is named "Deutsch ..." (a German
// Windows); any failure gives false.
bool is_german_system(System& sys);

// A write probe on HKEY_LOCAL_MACHINE: true when a scratch key could be
// created and written. Leaves nothing behind.
bool check_admin(Registry& registry);

// "Win32", "Win95", "Win98", "WinNT", "Win2k", "WinXP", or "" for any
// other system (NT 4, Server 2003, Vista and later) or a failed query.
std::string Get_Win_Version(System& sys);
std::string WinVersionName(const OsVersion& v);

// The system and Windows directories, each with one trailing backslash.
std::string GetSystemDirectoryPath(System& sys);
std::string GetWindowsDirectoryPath(System& sys);
// Where the system hosts file lives: "<system>\drivers\etc\" on the NT
// family, the Windows directory otherwise.
std::string GetHostsDirectory(System& sys, bool ntFamily);

// What the program needs beyond Windows 95 itself: the common controls 4.71
// and wininet, both of which Internet Explorer 4 brings. Empty when the
// system has them; otherwise the message that names what is missing, one
// part per line ("comctl32.dll 4.71", "wininet.dll").
std::string MinimumSystemMessage(const SystemComponents& found, const Texts& texts);
// Shows that message when the system lacks something; false then, and the
// program must end before it creates a window.
bool CheckMinimumSystem(System& sys);

// The machine-wide autostart entry: the "zapotrix" value of the Run key.
// Writing and deleting it need administrator rights.
struct AutostartEnv {
  Registry& registry;
  System& system;  // the executable's path
  bool isAdmin;
};

// What the Run key holds under "zapotrix".
enum AutostartEntry {
  kNoAutostart = 0,       // no such value
  kForeignAutostart = 1,  // a value with other data
  kOurAutostart = 2,      // this executable's quoted path
};

AutostartEntry checkRegAutostart(const AutostartEnv& env);
// Write or delete the Run value; both do nothing without isAdmin.
void Regautostart(const AutostartEnv& env);
void RegautostartRemove(const AutostartEnv& env);
// Keeps the autostart entry in line with the AutoStart setting.
void XCFG_Autostart(const AutostartEnv& env, bool autoStart);

}  // namespace zt
