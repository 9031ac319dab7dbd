// Stand-in desktop.
#include "platform/sim/sim_desktop.h"

#include "rules/list_ops.h"

namespace zt {

WindowHandle SimDesktop::FindTopLevelWindow(const std::string& title) {
  for (const SimWindow& w : windows)
    if (UpperAnsi(w.caption) == UpperAnsi(title)) return w.handle;
  return 0;
}

WindowHandle SimDesktop::Add(const std::string& className, const std::string& caption) {
  next_ += 4;
  windows.push_back({next_, className, caption});
  return next_;
}

}  // namespace zt
