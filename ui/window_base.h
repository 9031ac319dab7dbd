// Base of the program's top-level windows: each is laid out by a dialog
// template of the resource script whose CLASS is the window's own class.
// The class is registered once with one procedure that attaches the C++
// object to its window at the first message and dispatches every message
// to HandleMessage; what a window leaves alone goes to the dialog manager's
// default handling. No C++ exception leaves a window procedure: an error
// that reaches it is shown in the generic error box.
#pragma once
#include "platform/win32/win.h"

namespace zt {

// The generic error box: caption "Zapotrix", error icon, no owner.
void ShowErrorBox(const char* text);

class WindowBase {
 public:
  WindowBase() = default;
  WindowBase(const WindowBase&) = delete;
  WindowBase& operator=(const WindowBase&) = delete;
  virtual ~WindowBase() = default;

  HWND hwnd() const { return hwnd_; }

 protected:
  // Registers the class (once) and creates the window, hidden, from the
  // dialog template; false on failure.
  bool CreateFromTemplate(const char* className, int templateId, HWND owner, HICON icon);
  virtual LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) = 0;
  // The dialog manager's handling of a message.
  LRESULT Default(UINT msg, WPARAM wp, LPARAM lp) { return DefDlgProcA(hwnd_, msg, wp, lp); }

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  static INT_PTR CALLBACK DialogProc(HWND, UINT msg, WPARAM, LPARAM);
  HWND hwnd_ = nullptr;
};

}  // namespace zt
