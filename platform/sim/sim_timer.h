// Stand-in timer: remembers interval and state, and counts restarts.
#pragma once
#include "platform/timer.h"

namespace zt {

class SimTimer : public Timer {
 public:
  void SetInterval(unsigned ms) override { interval = ms; }
  unsigned Interval() const override { return interval; }
  void SetEnabled(bool on) override { enabled = on; }
  bool Enabled() const override { return enabled; }

  unsigned interval = 0;
  bool enabled = false;
};

}  // namespace zt
