// A window timer (SetTimer/KillTimer) of one of our windows. WM_TIMER with
// its id reaches that window's procedure.
#pragma once
#include "platform/timer.h"
#include "platform/window.h"

namespace zt {

class Win32Timer : public Timer {
 public:
  Win32Timer(WindowHandle window, unsigned id) : window_(window), id_(id) {}
  Win32Timer(const Win32Timer&) = delete;
  Win32Timer& operator=(const Win32Timer&) = delete;
  ~Win32Timer() override { SetEnabled(false); }

  void SetInterval(unsigned ms) override;
  unsigned Interval() const override { return interval_; }
  void SetEnabled(bool enabled) override;
  bool Enabled() const override { return enabled_; }

 private:
  WindowHandle window_;
  unsigned id_;
  unsigned interval_ = 1000;
  bool enabled_ = false;
};

}  // namespace zt
