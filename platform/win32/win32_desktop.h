// Foreign windows through user32.
#pragma once
#include <vector>

#include "platform/window.h"

namespace zt {

class Win32Desktop : public Desktop {
 public:
  Win32Desktop() = default;
  ~Win32Desktop() override { StopWindowEvents(); }
  Win32Desktop(const Win32Desktop&) = delete;
  Win32Desktop& operator=(const Win32Desktop&) = delete;

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
  // Out-of-context window event hooks (SetWinEventHook, looked up at run
  // time): one subscriber per process.
  bool WatchWindowEvents(WindowEventSink sink) override;
  void StopWindowEvents() override;
  bool ControlKeyDown() override;
  // GetWindowTextW, looked up at run time: the import table stays what
  // Windows 95 loads.
  void ReadCaptionsInUnicode(bool on) override;

 private:
  WindowEventSink sink_;
  void (*getTextW_)() = nullptr;  // GetWindowTextW while captions are read in Unicode
  std::vector<void*> hooks_;  // HWINEVENTHOOK
};

}  // namespace zt
