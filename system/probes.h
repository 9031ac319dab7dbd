// Start-up probes (language, administrator rights, Windows version) and
// the autostart entry.
#pragma once
#include <string>

namespace zt {

struct AppState;

bool is_german_system(AppState& app);
bool check_admin(AppState& app);
// "Win95", "Win98", "WinMe", "WinNT", "Win2k", "WinXP", ...
std::string Get_Win_Version(AppState& app);
// Keeps the autostart entry in line with Settings.AutoStart.
void XCFG_Autostart(AppState& app);

}  // namespace zt
