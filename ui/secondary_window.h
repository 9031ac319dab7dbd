// What the secondary windows (updater, info window, ...) share: placing
// them over the main window, the modal message loop, and the common way of
// closing.
#pragma once
#include "platform/win32/win.h"

namespace zt {

// Sets the window's client area to exactly width x height pixels and
// centres the window on `over` (on the screen when `over` is 0).
void PlaceSecondary(HWND window, HWND over, int clientWidth = 0, int clientHeight = 0);

// Runs the program's messages while `window` is open modally over `owner`:
// the owner takes no input, its timers keep running. Returns once `closed`
// is true or the window is gone; a WM_QUIT met on the way is left for the
// program's own loop.
void RunModal(HWND window, HWND owner, const bool& closed);

// The first half of the common closing: when the main window is visible,
// the window hides and the main window (the application) comes to the
// front. The caller then destroys the window and forgets it. A modal
// window gives the main window its input back first; a non-modal one
// leaves it as it is (a modal dialog may hold it).
void HideSecondary(HWND window, HWND main, bool modal = true);

}  // namespace zt
