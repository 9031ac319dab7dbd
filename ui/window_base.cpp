// Window class registration and message dispatch to the window objects.
#include "ui/window_base.h"

#include <exception>

namespace zt {

bool WindowBase::CreateTopLevel(const char* className, const char* caption, DWORD style,
                                int width, int height, HICON icon) {
  HINSTANCE inst = GetModuleHandleA(nullptr);
  WNDCLASSEXA wc = {};
  if (!GetClassInfoExA(inst, className, &wc)) {
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = Proc;
    wc.hInstance = inst;
    wc.hIcon = icon;
    wc.hIconSm = icon;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = className;
    if (!RegisterClassExA(&wc)) return false;
  }
  return CreateWindowExA(0, className, caption, style, CW_USEDEFAULT, CW_USEDEFAULT, width, height,
                         nullptr, nullptr, inst, this) != nullptr;
}

void WindowBase::ShowError(const char* text) {
  MessageBoxA(nullptr, text, "Zapotrix", MB_OK | MB_ICONERROR);
}

LRESULT CALLBACK WindowBase::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  WindowBase* self = nullptr;
  if (msg == WM_NCCREATE) {
    self = static_cast<WindowBase*>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<WindowBase*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  }
  if (!self) return DefWindowProcA(hwnd, msg, wp, lp);
  try {
    LRESULT r = self->HandleMessage(msg, wp, lp);
    if (msg == WM_NCDESTROY) {
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
      self->hwnd_ = nullptr;
    }
    return r;
  } catch (const std::exception& e) {
    ShowError(e.what());
  } catch (...) {
    ShowError("Unknown error");
  }
  return 0;
}

}  // namespace zt
