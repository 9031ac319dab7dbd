// Wraps a control's window procedure: the hook sees each message first and
// either answers it or lets the control's previous procedure have it. The
// previous procedure is put back by Restore or when the hook goes away.
// Window procedures are replaced with SetWindowLongPtr, which every system
// from Windows 95 on has.
#pragma once
#include <functional>
#include <optional>

#include "platform/win32/win.h"

namespace zt {

class Subclass {
 public:
  // An answer ends the message; nothing passes it on.
  using Hook = std::function<std::optional<LRESULT>(UINT msg, WPARAM wp, LPARAM lp)>;

  Subclass() = default;
  ~Subclass() { Restore(); }
  Subclass(const Subclass&) = delete;
  Subclass& operator=(const Subclass&) = delete;

  void Attach(HWND control, Hook hook);
  void Restore();

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  HWND control_ = nullptr;
  WNDPROC previous_ = nullptr;
  Hook hook_;
};

}  // namespace zt
