// What the secondary windows (updater, info window, ...) share: their
// base, the one owner of their lifetimes, placing them over the main
// window, the modal message loop, and the common way of closing.
#pragma once
#include <array>
#include <functional>
#include <memory>

#include "platform/win32/win.h"
#include "ui/window_base.h"

namespace zt {

// A window the main window opens: the settings dialog, the updater and the
// info window (modal), the statistics window, the rule assistant and the
// hosts list editor (not modal).
class SecondaryWindow : public WindowBase {
 public:
  // Creates the window, hidden; false on failure.
  virtual bool Create() = 0;
  // Shows it as its command opens it; a modal window returns once it has
  // closed.
  virtual void Present() = 0;
  // False once the user has closed it. A window that closes destroys its
  // window; a modal one is closed as soon as its loop may end.
  virtual bool IsOpen() const { return hwnd() != nullptr; }
};

enum class SecondaryKind { Settings, Updater, Info, Statistics, RuleAssistant, HostsEditor, Count };

// The one owner of the secondary windows, with one policy for all: at most
// one window of each kind; opening an open one brings it to the front;
// otherwise a new one is built, created and presented; a closed one is
// forgotten (object and window) once its Present() has returned, at the
// next opening of any window, and with its owner.
class SecondaryWindows {
 public:
  using Maker = std::function<std::unique_ptr<SecondaryWindow>()>;

  // The open window of this kind, else nullptr.
  SecondaryWindow* Get(SecondaryKind kind) const;
  void Open(SecondaryKind kind, const Maker& make);
  // The open windows that are shown come to the top (not the input).
  void RaiseAll() const;

 private:
  void ForgetClosed();

  static constexpr size_t kCount = static_cast<size_t>(SecondaryKind::Count);
  std::array<std::unique_ptr<SecondaryWindow>, kCount> windows_;
  std::array<bool, kCount> presenting_{};  // its Present() is on the stack
};

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
