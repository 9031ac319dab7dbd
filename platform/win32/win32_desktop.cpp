// user32 window management.
#include "platform/win32/win32_desktop.h"

#include "platform/win32/win.h"

namespace zt {

WindowHandle Win32Desktop::FindTopLevelWindow(const std::string& title) {
  return reinterpret_cast<WindowHandle>(FindWindowExA(nullptr, nullptr, nullptr, title.c_str()));
}

}  // namespace zt
