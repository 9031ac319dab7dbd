// Stand-in desktop: top-level windows in Z-order, each with class, caption,
// outer rectangle, visibility, minimised state, children and the text it
// answers when asked; a record of every message posted. Hooks let a test
// change the desktop in the middle of an enumeration.
#pragma once
#include <functional>
#include <unordered_map>
#include <string>
#include <vector>

#include "platform/window.h"

namespace zt {

struct SimWindow {
  WindowHandle handle = 0;
  WindowHandle parent = 0;  // 0 for a top-level window
  std::string className;
  std::string caption;
  WindowRect rect{100, 100, 900, 700};
  bool visible = true;
  bool iconic = false;
  std::string text;            // what the window answers to WM_GETTEXT
  bool hung = false;           // never answers sent messages
  bool closesOnClose = false;  // destroys itself when WM_CLOSE is posted to it
  std::vector<WindowHandle> children;  // in Z-order
};

struct PostedMessage {
  WindowHandle to;
  unsigned msg;
  uintptr_t wParam;
  intptr_t lParam;
};

// Counts a running enumeration for as long as it lives.
struct Enumerating {
  explicit Enumerating(int& depth) : depth_(depth) { ++depth_; }
  ~Enumerating() { --depth_; }
  Enumerating(const Enumerating&) = delete;
  Enumerating& operator=(const Enumerating&) = delete;

 private:
  int& depth_;
};

class SimDesktop : public Desktop {
 public:
  WindowHandle FindTopLevelWindow(const std::string& title) override;
  void EnumTopLevel(const WindowVisitor& visit) override;
  void EnumChildren(WindowHandle parent, const WindowVisitor& visit) override;
  std::string ClassName(WindowHandle w, int bufferSize) override;
  std::string Caption(WindowHandle w, int bufferSize) override;
  bool IsVisible(WindowHandle w) override;
  bool IsWindow(WindowHandle w) override { return Find(w) != nullptr; }
  bool IsIconic(WindowHandle w) override;
  std::optional<WindowRect> Rect(WindowHandle w) override;
  WindowHandle FindChild(WindowHandle parent, const std::string& className) override;
  std::optional<std::string> ReadText(WindowHandle w, unsigned timeoutMs) override;
  bool Post(WindowHandle w, unsigned msg, uintptr_t wParam, intptr_t lParam) override;
  bool WatchWindowEvents(WindowEventSink sink) override;
  void StopWindowEvents() override { eventSink = nullptr; }
  bool ControlKeyDown() override { return ctrlDown; }
  void ReadCaptionsInUnicode(bool on) override { unicodeCaptions = on; }

  // Delivers an announcement as the system would; nothing when no one watches.
  void Announce(WindowHandle w, WindowEvent e) {
    if (eventSink) eventSink(w, e);
  }

  // A visible top-level window at the bottom of the Z-order.
  WindowHandle Add(const std::string& className, const std::string& caption);
  WindowHandle Add(SimWindow w);
  // A child window (last among its siblings).
  WindowHandle AddChild(WindowHandle parent, const std::string& className, const std::string& text = "");
  // Destroys a window with all its descendants.
  void Destroy(WindowHandle w);
  SimWindow* Find(WindowHandle w);
  SimWindow& at(WindowHandle w);
  // The messages posted to one window, in order.
  std::vector<unsigned> PostedTo(WindowHandle w) const;

  // Top-level windows, top of the Z-order first.
  std::vector<WindowHandle> zorder;
  std::vector<PostedMessage> posted;
  // Runs before the visitor of EnumTopLevel sees each window.
  std::function<void(WindowHandle)> beforeVisit;
  // Milliseconds spent waiting for windows that did not answer.
  unsigned waitedMs = 0;
  // When set, a wait for a hung window also advances this clock (the
  // stand-in system's tick count), as the real wait takes that time.
  uint32_t* clock = nullptr;
  // How many enumerations are running now (a visitor is being called).
  int enumerating = 0;
  // Reading the class name of this window throws (an error inside a callback).
  WindowHandle failing = 0;
  // The subscriber of the window announcements, if any.
  WindowEventSink eventSink;
  // False: a system without window announcements (Windows 95).
  bool hasWindowEvents = true;
  // The user holds a Ctrl key down.
  bool ctrlDown = false;
  // What the program asked of caption reading (the stand-in's captions are
  // ANSI texts either way).
  bool unicodeCaptions = false;

 private:
  std::unordered_map<WindowHandle, SimWindow> windows_;
  WindowHandle next_ = 0x10010;
};

}  // namespace zt
