// The popup scanners of the scan cycle: window size (with the minimum-size
// rule), address, keyword and caption.
#pragma once

namespace zt {

struct AppState;

void KillwindowWDS(AppState& app);
void killwindowURL(AppState& app);
void killwindowADS(AppState& app);
void killwindowWCS(AppState& app);

}  // namespace zt
