// The extra killers of the scan cycle: Flash controls inside the recorded
// browser windows and Notepad windows anywhere on the desktop.
#pragma once

namespace zt {

struct AppState;

// Buffer size of the Flash control's class name read.
constexpr int kFlashClassBuffer = 128;

void killFlashAX(AppState& app);
void KillNotepad(AppState& app);

}  // namespace zt
