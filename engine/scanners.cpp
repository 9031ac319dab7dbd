// Popup scanners: they act on the snapshot, which stays empty until the
// window enumeration lands, so they have nothing to close yet.
#include "engine/scanners.h"

#include "app/app_state.h"

namespace zt {

void KillwindowWDS(AppState&) {}
void killwindowURL(AppState&) {}
void killwindowADS(AppState&) {}
void killwindowWCS(AppState&) {}

}  // namespace zt
