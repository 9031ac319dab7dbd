// The extra killers of the scan cycle: Flash controls inside browser
// windows and Notepad windows.
#pragma once

namespace zt {

struct AppState;

void killFlashAX(AppState& app);
void KillNotepad(AppState& app);

}  // namespace zt
