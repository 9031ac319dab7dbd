// Base of the program's top-level windows: registers the class, attaches
// the C++ object to its window at WM_NCCREATE and dispatches every message
// to HandleMessage. No C++ exception leaves a window procedure: an error
// that reaches it is shown in the generic error box.
#pragma once
#include "platform/win32/win.h"

namespace zt {

class WindowBase {
 public:
  WindowBase() = default;
  WindowBase(const WindowBase&) = delete;
  WindowBase& operator=(const WindowBase&) = delete;
  virtual ~WindowBase() = default;

  HWND hwnd() const { return hwnd_; }

 protected:
  // Registers the class (once) and creates the window; false on failure.
  bool CreateTopLevel(const char* className, const char* caption, DWORD style, int width,
                      int height, HICON icon);
  virtual LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) = 0;
  // The generic error box: caption "Zapotrix", error icon, no owner.
  static void ShowError(const char* text);

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  HWND hwnd_ = nullptr;
};

}  // namespace zt
