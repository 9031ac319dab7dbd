// Browser ad filters that exist while the program runs: the Internet
// Explorer kill bit of the Flash control and the Mozilla style sheet
// "userContent.css". Mode 1 installs, mode 2 removes, other modes do
// nothing. A removal takes away only what the program put there.
#pragma once
#include <string>

#include "lang/texts.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/system.h"

namespace zt {

// The mode of Flash7change and Adfilter; any other value does nothing.
enum FilterMode { kFilterInstall = 1, kFilterRemove = 2 };

// What the Mozilla style sheet's installation works on.
struct FilterEnv {
  Registry& registry;
  System& system;
  Shell& shell;
  const Texts& texts;
  bool german;                    // the documents folder's names follow the system's language
  std::string mozillaFilterFile;  // config\zapotrix_mozilla.dat
};

extern const char* const kFlashKey;
extern const char* const kFlashValue;
// Where the program remembers, machine-wide, what it did to the kill bit.
extern const char* const kInstalledKey;
// The profile directory made when the browser has none.
extern const char* const kFallbackProfile;

void Flash7change(Registry& registry, int mode);
void Adfilter(const FilterEnv& env, const std::string& browser, int mode);

// True when some "Software\Mozilla\<...browser...>\bin" key names a program.
bool check_Browser_installed(Registry& registry, const std::string& browser);
// The profile's chrome directory with a trailing backslash, or empty when
// the profile folder cannot be derived from the documents folder.
std::string GetChromePath(const FilterEnv& env, const std::string& browser);
// The profile subdirectory of a profile root, preferring a real profile to
// the fallback one; empty when there is none.
std::string GetSubDir(System& sys, const std::string& directory);

}  // namespace zt
