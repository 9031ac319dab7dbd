// Extra killers. Neither looks at the Handled mark of the snapshot: a
// browser window closed earlier in the cycle still has its Flash controls
// closed. Whatever is still there at the next cycle is closed again.
#include "engine/killers.h"

#include <exception>

#include "app/app_state.h"
#include "engine/history.h"
#include "engine/snapshot.h"

namespace zt {

void killFlashAX(AppState& app) {
  Desktop& desk = app.os.desktop;
  OpenWindowsTable& snap = app.OpenWindows;
  for (size_t i = 0; i < snap.count; ++i) {
    WindowHandle browser = snap.records[i].Handle;
    if (!desk.IsWindow(browser)) continue;
    desk.EnumChildren(browser, [&app, &desk](WindowHandle child) {
      try {
        if (desk.ClassName(child, kFlashClassBuffer) == "MacromediaFlashPlayerActiveX") {
          desk.Post(child, kWmClose, 0, 0);
          historylist(app, "Macromedia Flash Player", "", 0, 0, "FlashAX");
        }
      } catch (const std::exception&) {
        // A control that vanished is simply passed over.
      }
      return true;
    });
  }
}

void KillNotepad(AppState& app) {
  Desktop& desk = app.os.desktop;
  desk.EnumTopLevel([&app, &desk](WindowHandle w) {
    try {
      if (desk.ClassName(w, kClassNameBuffer) == "Notepad") {
        desk.Post(w, kWmClose, 0, 0);
        historylist(app, "Notepad", "", 0, 0, "NTP");
      }
    } catch (const std::exception&) {
      // Every window is looked at, whatever happens with one of them.
    }
    return true;
  });
}

}  // namespace zt
