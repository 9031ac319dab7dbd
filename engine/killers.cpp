// Extra killers. Neither looks at the Handled mark of the snapshot: a
// browser window closed earlier in the cycle still has its Flash controls
// closed. Whatever is still there at the next cycle is closed again.
//
// The windows are collected during the enumeration and closed and recorded
// after it: recording lets messages run, and a quit handled then must not
// destroy the main window in the middle of a system enumeration.
#include "engine/killers.h"

#include <exception>
#include <vector>

#include "engine/history.h"
#include "engine/scan_context.h"

namespace zt {
namespace {

constexpr char kFlashClass[] = "MacromediaFlashPlayerActiveX";
constexpr char kNotepadClass[] = "Notepad";

// The killer's setting is the rule that decided each of its closings.
void CloseAndRecord(const ScanContext& ctx, const std::vector<WindowHandle>& windows, const char* title,
                    const char* key, RuleSource setting) {
  for (WindowHandle w : windows) {
    ctx.desktop.Post(w, kWmClose, 0, 0);
    historylist(ctx, title, "", 0, 0, key, ClosingRule{setting, "", ""});
  }
}

}  // namespace

void killFlashAX(const ScanContext& ctx) {
  Desktop& desk = ctx.desktop;
  const OpenWindowsTable& snap = ctx.state.OpenWindows;
  std::vector<WindowHandle> controls;
  for (size_t i = 0; i < snap.count; ++i) {
    WindowHandle browser = snap.records[i].Handle;
    if (!desk.IsWindow(browser)) continue;
    desk.EnumChildren(browser, [&desk, &controls](WindowHandle child) {
      try {
        if (desk.ClassName(child, kFlashClassBuffer) == kFlashClass) controls.push_back(child);
      } catch (const std::exception&) {
        // A control that vanished is simply passed over.
      }
      return true;
    });
  }
  CloseAndRecord(ctx, controls, kFlashTitle, "FlashAX", RuleSource::Flash);
}

void KillNotepad(const ScanContext& ctx) {
  Desktop& desk = ctx.desktop;
  std::vector<WindowHandle> notepads;
  desk.EnumTopLevel([&desk, &notepads](WindowHandle w) {
    try {
      if (desk.ClassName(w, kClassNameBuffer) == kNotepadClass) notepads.push_back(w);
    } catch (const std::exception&) {
      // Every window is looked at, whatever happens with one of them.
    }
    return true;
  });
  CloseAndRecord(ctx, notepads, kNotepadTitle, "NTP", RuleSource::Notepad);
}

}  // namespace zt
