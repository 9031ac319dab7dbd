// Base of the program's top-level windows: each is laid out by a dialog
// template of the resource script whose CLASS is the window's own class.
// The class is registered once with one procedure that attaches the C++
// object to its window at the first message and dispatches every message
// to HandleMessage; what a window leaves alone goes to the dialog manager's
// default handling. No C++ exception leaves a window procedure: an error
// that reaches it is shown in the generic error box.
//
// Every loop of the program (its own, a modal window's, the pumps of long
// tasks) hands its messages to PreTranslate first, so each window takes
// its dialog keys (Tab, Enter, Escape) and its shortcuts wherever the loop
// runs.
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
  virtual ~WindowBase();

  HWND hwnd() const { return hwnd_; }

  // Lets the window the message is meant for see it before it is
  // dispatched: its shortcuts, then its dialog keys. True when the message
  // was used up.
  static bool PreTranslate(MSG& msg);
  // Brings the window, when it is shown, and its input to the front.
  void BringToFront();

 protected:
  // Registers the class (once) and creates the window, hidden, from the
  // dialog template; false on failure.
  bool CreateFromTemplate(const char* className, int templateId, HWND owner, HICON icon);
  virtual LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) = 0;
  // The dialog manager's handling of a message.
  LRESULT Default(UINT msg, WPARAM wp, LPARAM lp) { return DefDlgProcA(hwnd_, msg, wp, lp); }
  // The shortcut table PreTranslate applies to this window's messages.
  void SetShortcuts(HACCEL shortcuts) { shortcuts_ = shortcuts; }
  HWND Item(int control) const { return GetDlgItem(hwnd_, control); }
  // Item as a function, for the tables of control texts and tooltips.
  auto Items() const {
    return [this](int control) { return Item(control); };
  }

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  static INT_PTR CALLBACK DialogProc(HWND, UINT msg, WPARAM, LPARAM);
  HWND hwnd_ = nullptr;
  HACCEL shortcuts_ = nullptr;
};

// A hidden window to own another: an owned window has no taskbar button.
HWND CreateHiddenOwner();

// Runs the messages waiting in the queue through PreTranslate. A WM_QUIT
// met on the way is posted again and left for the program's own loop.
void PumpPendingMessages();

}  // namespace zt
