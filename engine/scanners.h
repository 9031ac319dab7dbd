// The popup scanners of the scan cycle: window size (with the minimum-size
// rule), address, keyword and caption; and the one way a foreign window is
// closed.
#pragma once
#include <string>

#include "platform/window.h"

namespace zt {

struct AppState;
struct TBrowserWindow;

// Close modes of killwnd.
constexpr int kCloseIE = 1;       // WM_CLOSE, then WM_NCDESTROY if it still exists
constexpr int kCloseMozilla = 2;  // WM_CLOSE if the window exists

// The passes: each walks the snapshot from its last record to its first.
void KillwindowWDS(AppState& app);
void killwindowURL(AppState& app);
void killwindowADS(AppState& app);
void killwindowWCS(AppState& app);

// The minimum-size rule for the snapshot record at index; true when it
// closed the window.
bool smallwindows(AppState& app, WindowHandle window, size_t index);
// Posts the closing messages of the mode; any other mode does nothing.
void killwnd(AppState& app, WindowHandle window, int mode);

// Building blocks of the passes.
// The close mode of a browser kind.
int CloseMode(int kind);
// The record's kind is switched on and the record not yet closed this cycle.
bool Eligible(const AppState& app, const TBrowserWindow& record);
// Closes the record: killwnd, history entry, Handled.
void CloseRecord(AppState& app, TBrowserWindow& record, int mode, const char* key, int width, int height);
// The width and height of a size list row, parsed; throws when either is
// not a number or the row is no longer there.
std::pair<int, int> ParseSizeRow(const AppState& app, size_t row);

}  // namespace zt
