// The owner, placement, modal loop and closing of the secondary windows.
#include "ui/secondary_window.h"

#include <algorithm>

namespace zt {

SecondaryWindow* SecondaryWindows::Get(SecondaryKind kind) const {
  SecondaryWindow* w = windows_[static_cast<size_t>(kind)].get();
  return w && w->IsOpen() ? w : nullptr;
}

void SecondaryWindows::Open(SecondaryKind kind, const Maker& make) {
  size_t i = static_cast<size_t>(kind);
  if (SecondaryWindow* open = Get(kind)) {
    open->BringToFront();
    return;
  }
  // A modal window that has closed but whose loop has not yet returned
  // cannot be replaced under its own feet.
  if (presenting_[i]) return;
  ForgetClosed();
  std::unique_ptr<SecondaryWindow> w = make();
  if (!w || !w->Create()) return;
  windows_[i] = std::move(w);
  {
    presenting_[i] = true;
    struct Presenting {
      bool& flag;
      ~Presenting() { flag = false; }
    } presenting{presenting_[i]};
    windows_[i]->Present();
  }
  ForgetClosed();  // a modal window has closed by now
}

void SecondaryWindows::ForgetClosed() {
  for (size_t i = 0; i < kCount; ++i)
    if (windows_[i] && !presenting_[i] && !windows_[i]->IsOpen()) windows_[i].reset();
}

void SecondaryWindows::RaiseAll() const {
  for (const auto& w : windows_)
    if (w && w->IsOpen() && IsWindowVisible(w->hwnd())) BringWindowToTop(w->hwnd());
}

void PlaceSecondary(HWND window, HWND over, int clientWidth, int clientHeight) {
  RECT frame;
  GetWindowRect(window, &frame);
  if (clientWidth > 0 && clientHeight > 0) {
    RECT want = {0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&want, static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)), GetMenu(window) != nullptr,
                       static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE)));
    frame.right = frame.left + (want.right - want.left);
    frame.bottom = frame.top + (want.bottom - want.top);
  }
  RECT work = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  RECT area = work;
  if (over) GetWindowRect(over, &area);
  int width = frame.right - frame.left, height = frame.bottom - frame.top;
  int left = static_cast<int>(area.left + (area.right - area.left - width) / 2);
  int top = static_cast<int>(area.top + (area.bottom - area.top - height) / 2);
  // Kept on the screen: a main window near an edge would push it off.
  left = std::max(static_cast<int>(work.left), std::min(left, static_cast<int>(work.right) - width));
  top = std::max(static_cast<int>(work.top), std::min(top, static_cast<int>(work.bottom) - height));
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
    if (WindowBase::PreTranslate(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  if (ownerEnabled && IsWindow(owner)) EnableWindow(owner, TRUE);
}

void HideSecondary(HWND window, HWND main, bool modal) {
  if (!main || !IsWindowVisible(main)) return;
  // A modal window gives its owner back before it hides; otherwise the
  // system activates another program's window.
  if (modal) EnableWindow(main, TRUE);
  ShowWindow(window, SW_HIDE);
  SetForegroundWindow(main);
}

}  // namespace zt
