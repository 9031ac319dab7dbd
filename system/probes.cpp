// Start-up probes. Until the system integration lands they answer their
// negative values: English, no administrator, unknown version.
#include "system/probes.h"

#include "app/app_state.h"

namespace zt {

bool is_german_system(AppState&) { return false; }
bool check_admin(AppState&) { return false; }
std::string Get_Win_Version(AppState&) { return ""; }
void XCFG_Autostart(AppState&) {}

}  // namespace zt
