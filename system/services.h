// The six Windows XP services that the settings can switch off.
#pragma once

namespace zt {

struct AppState;

void SetAndStopServices(AppState& app);

}  // namespace zt
