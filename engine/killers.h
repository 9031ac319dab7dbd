// The extra killers of the scan cycle: Flash controls inside the recorded
// browser windows and Notepad windows anywhere on the desktop.
#pragma once

namespace zt {

struct ScanContext;

// Buffer size of the Flash control's class name read.
constexpr int kFlashClassBuffer = 128;

void killFlashAX(const ScanContext& ctx);
void KillNotepad(const ScanContext& ctx);

}  // namespace zt
