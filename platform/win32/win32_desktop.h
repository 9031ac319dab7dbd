// Foreign windows through user32.
#pragma once
#include "platform/window.h"

namespace zt {

class Win32Desktop : public Desktop {
 public:
  WindowHandle FindTopLevelWindow(const std::string& title) override;
};

}  // namespace zt
