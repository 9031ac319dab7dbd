// Window management (user32) of foreign windows: enumeration, the queries the
// snapshot and the killers make, reading a foreign window's text with a
// bounded wait, and posting messages.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace zt {

// A window handle kept as an integer.
using WindowHandle = uintptr_t;

// Window messages the program posts to foreign windows.
constexpr unsigned kWmNull = 0x0000;
constexpr unsigned kWmClose = 0x0010;
constexpr unsigned kWmNcDestroy = 0x0082;

// An outer window rectangle in screen pixels, frame included.
struct WindowRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
};

// Called once per window of an enumeration; false ends the enumeration.
using WindowVisitor = std::function<bool(WindowHandle)>;

// What the system announces of a top-level window of another program.
enum class WindowEvent { Created, Shown, NameChanged };
// Environment variable that, set to any text, makes the system announce no
// windows to the program, as on Windows 95: the scan cycle alone closes
// popups then (for comparisons and diagnosis).
constexpr const char* kPollingOnlyVariable = "ZAPOTRIX_POLLING_ONLY";
// Receives the announcements, on the thread that subscribed, while it
// handles its messages.
using WindowEventSink = std::function<void(WindowHandle, WindowEvent)>;

class Desktop {
 public:
  virtual ~Desktop() = default;
  // A top-level window whose title equals the text (the system compares
  // without regard to case); 0 when there is none.
  virtual WindowHandle FindTopLevelWindow(const std::string& title) = 0;

  // Every top-level window, visible or not, top of the Z-order first. An
  // exception thrown by the visitor ends the enumeration and reaches the
  // caller.
  virtual void EnumTopLevel(const WindowVisitor& visit) = 0;
  // Every descendant of a window (children, their children, ...), with the
  // same rules as EnumTopLevel.
  virtual void EnumChildren(WindowHandle parent, const WindowVisitor& visit) = 0;

  // The window's class name as read into a buffer of bufferSize characters
  // (so at most bufferSize - 1 of them); empty when it cannot be read.
  virtual std::string ClassName(WindowHandle w, int bufferSize) = 0;
  // The window's title in the ANSI code page, at most bufferSize - 1
  // bytes of it; empty when there is none. Read as GetWindowTextA reads it,
  // or, after ReadCaptionsInUnicode(true), in Unicode and converted (see
  // there).
  virtual std::string Caption(WindowHandle w, int bufferSize) = 0;
  // On: captions are read with the wide-character call and converted to
  // the ANSI code page, so that a title in another script is read as the
  // system shows it as far as the code page has its characters; a dash the
  // code page lacks becomes the hyphen, any other missing character '?'.
  // Only for the NT family: Windows 95/98/Me have no wide-character calls.
  virtual void ReadCaptionsInUnicode(bool on) = 0;
  virtual bool IsVisible(WindowHandle w) = 0;
  virtual bool IsWindow(WindowHandle w) = 0;
  virtual bool IsIconic(WindowHandle w) = 0;
  // The outer rectangle; nothing when the window is gone.
  virtual std::optional<WindowRect> Rect(WindowHandle w) = 0;
  // The first direct child of parent with the class name (compared without
  // regard to case, as the system does); 0 when there is none.
  virtual WindowHandle FindChild(WindowHandle parent, const std::string& className) = 0;
  // The text of a window of another process, asked with messages that wait
  // at most timeoutMs for its answer; nothing when it does not answer in
  // time or the window is gone.
  virtual std::optional<std::string> ReadText(WindowHandle w, unsigned timeoutMs) = 0;
  // Posts a message with the parameters; false when it could not be posted.
  virtual bool Post(WindowHandle w, unsigned msg, uintptr_t wParam, intptr_t lParam) = 0;

  // Subscribes to the announcements of other programs' top-level windows
  // (created, shown, caption changed) until StopWindowEvents. False when
  // the system announces nothing (Windows 95 without the accessibility
  // update): then nothing is subscribed.
  virtual bool WatchWindowEvents(WindowEventSink sink) = 0;
  virtual void StopWindowEvents() = 0;
  // True while the user holds a Ctrl key down.
  virtual bool ControlKeyDown() = 0;
};

}  // namespace zt
