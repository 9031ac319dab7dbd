// Browser window snapshot. The window enumeration comes with the popup
// engine; until then the snapshot stays empty and the cycle stays in standby.
#include "engine/snapshot.h"

#include "app/app_state.h"

namespace zt {

void GetOpenWindows(AppState& app) { app.OpenWindows.count = 0; }

}  // namespace zt
