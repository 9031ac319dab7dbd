// The snapshot of the browser windows open now, taken at the start of every
// scan cycle: at most 50 records in enumeration order.
#pragma once
#include <array>
#include <string>

#include "platform/window.h"

namespace zt {

struct AppState;

enum BrowserKind { kInternetExplorer = 1, kFirefox = 2, kMozilla = 3 };

struct TBrowserWindow {
  std::string Caption;
  std::string URL;
  int Kind = 0;
  WindowHandle Handle = 0;
  bool Handled = false;
};

constexpr size_t kMaxOpenWindows = 50;

struct OpenWindowsTable {
  std::array<TBrowserWindow, kMaxOpenWindows> records;
  size_t count = 0;
};

// Rebuilds app.OpenWindows; refreshes ListView1 and the tray menu when the
// set of captions changed.
void GetOpenWindows(AppState& app);

}  // namespace zt
