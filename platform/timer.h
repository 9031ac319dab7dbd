// A window timer as the main window owns them: an interval in milliseconds
// and an enabled switch. Changing the interval of a running timer restarts it.
#pragma once

namespace zt {

class Timer {
 public:
  virtual ~Timer() = default;
  virtual void SetInterval(unsigned ms) = 0;
  virtual unsigned Interval() const = 0;
  virtual void SetEnabled(bool enabled) = 0;
  virtual bool Enabled() const = 0;
};

}  // namespace zt
