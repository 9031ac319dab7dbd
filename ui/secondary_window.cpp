// Placement, modal loop and closing of the secondary windows.
#include "ui/secondary_window.h"

#include <algorithm>

namespace zt {

void PlaceSecondary(HWND window, HWND over, int clientWidth, int clientHeight) {
  RECT frame;
  GetWindowRect(window, &frame);
  if (clientWidth > 0 && clientHeight > 0) {
    RECT want = {0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&want, static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE)));
    frame.right = frame.left + (want.right - want.left);
    frame.bottom = frame.top + (want.bottom - want.top);
  }
  RECT area = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (over) GetWindowRect(over, &area);
  int width = frame.right - frame.left, height = frame.bottom - frame.top;
  long left = area.left + (area.right - area.left - width) / 2;
  long top = area.top + (area.bottom - area.top - height) / 2;
  // Not off the screen where the main window hangs over its edge.
  left = std::max(0, std::min(static_cast<int>(left), GetSystemMetrics(SM_CXSCREEN) - width));
  top = std::max(0, std::min(static_cast<int>(top), GetSystemMetrics(SM_CYSCREEN) - height));
  SetWindowPos(window, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void RunModal(HWND window, HWND owner, const bool& closed) {
  bool ownerEnabled = owner && IsWindowEnabled(owner);
  if (ownerEnabled) EnableWindow(owner, FALSE);
  MSG msg;
  while (!closed && IsWindow(window)) {
    BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (got < 0) break;
    if (IsDialogMessageA(window, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  if (ownerEnabled && IsWindow(owner)) EnableWindow(owner, TRUE);
}

void HideSecondary(HWND window, HWND main) {
  if (!main || !IsWindowVisible(main)) return;
  // A modal window gives its owner back before it hides; otherwise the
  // system activates another program's window.
  EnableWindow(main, TRUE);
  ShowWindow(window, SW_HIDE);
  SetForegroundWindow(main);
}

}  // namespace zt
