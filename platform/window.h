// Window management (user32) of foreign top-level windows.
#pragma once
#include <cstdint>
#include <string>

namespace zt {

// A window handle kept as an integer.
using WindowHandle = uintptr_t;

class Desktop {
 public:
  virtual ~Desktop() = default;
  // A top-level window whose title equals the text (the system compares
  // without regard to case); 0 when there is none.
  virtual WindowHandle FindTopLevelWindow(const std::string& title) = 0;
};

}  // namespace zt
