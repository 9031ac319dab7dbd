// Browser ad filters that exist while the program runs: the Internet
// Explorer kill bit of the Flash control and the Mozilla style sheet
// "userContent.css". Mode 1 installs, mode 2 removes, other modes do
// nothing. A removal takes away only what the program put there.
#pragma once
#include <string>

namespace zt {

struct AppState;

extern const char* const kFlashKey;
extern const char* const kFlashValue;
// Where the program remembers, machine-wide, what it did to the kill bit.
extern const char* const kInstalledKey;
// The profile directory made when the browser has none.
extern const char* const kFallbackProfile;

void Flash7change(AppState& app, int mode);
void Adfilter(AppState& app, const std::string& browser, int mode);

// True when some "Software\Mozilla\<...browser...>\bin" key names a program.
bool check_Browser_installed(AppState& app, const std::string& browser);
// The profile's chrome directory with a trailing backslash, or empty when
// the profile folder cannot be derived from the documents folder.
std::string GetChromePath(AppState& app, const std::string& browser);
// The profile subdirectory of a profile root, preferring a real profile to
// the fallback one; empty when there is none.
std::string GetSubDir(AppState& app, const std::string& directory);

}  // namespace zt
