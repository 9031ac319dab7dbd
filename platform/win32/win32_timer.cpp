// Window timers.
#include "platform/win32/win32_timer.h"

#include "platform/win32/win.h"

namespace zt {

void Win32Timer::SetInterval(unsigned ms) {
  if (ms == interval_) return;  // an unchanged interval keeps the timer's rhythm
  interval_ = ms;
  if (enabled_) SetTimer(reinterpret_cast<HWND>(window_), id_, interval_, nullptr);  // restarts it
}

void Win32Timer::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (enabled) SetTimer(reinterpret_cast<HWND>(window_), id_, interval_, nullptr);
  else KillTimer(reinterpret_cast<HWND>(window_), id_);
}

}  // namespace zt
