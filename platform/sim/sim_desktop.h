// Stand-in desktop: a list of top-level windows.
#pragma once
#include <string>
#include <vector>

#include "platform/window.h"

namespace zt {

struct SimWindow {
  WindowHandle handle = 0;
  std::string className;
  std::string caption;
};

class SimDesktop : public Desktop {
 public:
  WindowHandle FindTopLevelWindow(const std::string& title) override;
  WindowHandle Add(const std::string& className, const std::string& caption);

  std::vector<SimWindow> windows;

 private:
  WindowHandle next_ = 0x10010;
};

}  // namespace zt
