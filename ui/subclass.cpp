// Replacing and restoring a control's window procedure.
#include "ui/subclass.h"

#include <exception>

namespace zt {
namespace {

// The window property that leads from a control to its hook.
constexpr char kHookProperty[] = "zt.subclass";

}  // namespace

void Subclass::Attach(HWND control, Hook hook) {
  Restore();
  control_ = control;
  hook_ = std::move(hook);
  SetPropA(control, kHookProperty, this);
  previous_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Subclass::Proc)));
}

void Subclass::Restore() {
  if (!control_) return;
  if (IsWindow(control_)) {
    SetWindowLongPtrA(control_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
    RemovePropA(control_, kHookProperty);
  }
  control_ = nullptr;
}

LRESULT CALLBACK Subclass::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* self = static_cast<Subclass*>(GetPropA(hwnd, kHookProperty));
  if (!self) return DefWindowProcA(hwnd, msg, wp, lp);
  try {
    if (std::optional<LRESULT> answer = self->hook_(msg, wp, lp)) return *answer;
  } catch (const std::exception&) {
    // The control goes on with the message as if there were no hook.
  }
  WNDPROC previous = self->previous_;
  if (msg == WM_NCDESTROY) {
    // The control is going away: it keeps its own procedure to the end.
    SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    RemovePropA(hwnd, kHookProperty);
    self->control_ = nullptr;
  }
  return CallWindowProcA(previous, hwnd, msg, wp, lp);
}

}  // namespace zt
