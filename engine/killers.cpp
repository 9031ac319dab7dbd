// Extra killers (not yet built: they do nothing).
#include "engine/killers.h"

#include "app/app_state.h"

namespace zt {

void killFlashAX(AppState&) {}
void KillNotepad(AppState&) {}

}  // namespace zt
