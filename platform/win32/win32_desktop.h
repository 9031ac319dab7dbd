// Foreign windows through user32.
#pragma once
#include "platform/window.h"

namespace zt {

class Win32Desktop : public Desktop {
 public:
  WindowHandle FindTopLevelWindow(const std::string& title) override;
  void EnumTopLevel(const WindowVisitor& visit) override;
  void EnumChildren(WindowHandle parent, const WindowVisitor& visit) override;
  std::string ClassName(WindowHandle w, int bufferSize) override;
  std::string Caption(WindowHandle w, int bufferSize) override;
  bool IsVisible(WindowHandle w) override;
  bool IsWindow(WindowHandle w) override;
  bool IsIconic(WindowHandle w) override;
  std::optional<WindowRect> Rect(WindowHandle w) override;
  WindowHandle FindChild(WindowHandle parent, const std::string& className) override;
  std::optional<std::string> ReadText(WindowHandle w, unsigned timeoutMs) override;
  bool Post(WindowHandle w, unsigned msg, uintptr_t wParam, intptr_t lParam) override;
};

}  // namespace zt
