// user32 window management.
#include "platform/win32/win32_desktop.h"

#include "platform/win32/system_function.h"
#include "platform/win32/win.h"

#include <algorithm>
#include <exception>
#include <string>
#include <vector>

namespace zt {
namespace {

HWND H(WindowHandle w) { return reinterpret_cast<HWND>(w); }

// Carries the visitor through EnumWindows/EnumChildWindows. No C++ exception
// may cross the system's callback: it is caught here, ends the enumeration
// and is thrown again once the system has returned.
struct Enumeration {
  const WindowVisitor& visit;
  std::exception_ptr error;
};

BOOL CALLBACK Visit(HWND w, LPARAM param) {
  auto* e = reinterpret_cast<Enumeration*>(param);
  try {
    return e->visit(reinterpret_cast<WindowHandle>(w)) ? TRUE : FALSE;
  } catch (...) {
    e->error = std::current_exception();
    return FALSE;
  }
}

// The window event functions exist from Windows 98 and NT 4 with the
// accessibility update on: looked up at run time, so that the program
// still starts where they are missing.
using GetWindowTextWFn = int(WINAPI*)(HWND, LPWSTR, int);
using SetWinEventHookFn = HWINEVENTHOOK(WINAPI*)(DWORD, DWORD, HMODULE, WINEVENTPROC, DWORD, DWORD, DWORD);
using UnhookWinEventFn = BOOL(WINAPI*)(HWINEVENTHOOK);

template <class Fn>
Fn User32Function(const char* name) {
  return SystemFunction<Fn>("user32.dll", name);
}

// The subscriber of this process: the system's callback carries no
// parameter of ours.
WindowEventSink* g_eventSink = nullptr;

// Runs on the subscribing thread while it handles messages. Only the
// top-level windows themselves are passed on, not their children or parts.
void CALLBACK OnWinEvent(HWINEVENTHOOK, DWORD event, HWND w, LONG object, LONG child, DWORD, DWORD) {
  if (!g_eventSink || !*g_eventSink || !w || object != OBJID_WINDOW || child != CHILDID_SELF) return;
  if (GetWindowLongA(w, GWL_STYLE) & WS_CHILD) return;
  WindowEvent e = event == EVENT_OBJECT_CREATE ? WindowEvent::Created
                  : event == EVENT_OBJECT_SHOW ? WindowEvent::Shown
                                               : WindowEvent::NameChanged;
  try {
    (*g_eventSink)(reinterpret_cast<WindowHandle>(w), e);
  } catch (...) {
    // An announcement that could not be taken is left to the scan cycle.
  }
}

// Longest text read from a foreign window, in bytes: a generous bound for
// an address (Internet Explorer takes at most 2083 characters), and one that
// the 16-bit edit controls of Windows 95/98/Me take as a buffer size (they
// see the size as a signed 16-bit number).
constexpr size_t kMaxForeignText = 4095;

// The dashes of Unicode: hyphen, non-breaking hyphen, figure dash, en dash,
// em dash, horizontal bar, minus sign.
bool IsDash(wchar_t c) { return (c >= 0x2010 && c <= 0x2015) || c == 0x2212; }

// True when the ANSI code page has the character itself: it comes back
// from the code page unchanged. A best-fit stand-in ('a' for alpha) does
// not, whatever the system's conversion flags make of it.
bool InCodePage(wchar_t c) {
  char bytes[8];
  int n = WideCharToMultiByte(CP_ACP, 0, &c, 1, bytes, sizeof bytes, nullptr, nullptr);
  wchar_t back[4];
  return n > 0 && MultiByteToWideChar(CP_ACP, 0, bytes, n, back, 4) == 1 && back[0] == c;
}

// A caption in the ANSI code page, at most maxBytes of it. A dash the code
// page lacks becomes the hyphen, so that " - <browser>" and the rules still
// match the title; any other character it lacks becomes '?' (no look-alike
// letter: it would match rules the title does not).
std::string ToAnsiCaption(std::wstring text, size_t maxBytes) {
  for (wchar_t& c : text)
    if (c >= 0x80 && !InCodePage(c)) c = IsDash(c) ? L'-' : L'?';
  int length = static_cast<int>(text.size());
  int n = WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
  if (n <= 0) return {};
  std::string out(static_cast<size_t>(n), '\0');
  n = WideCharToMultiByte(CP_ACP, 0, text.data(), length, &out[0], n, nullptr, nullptr);
  out.resize(n > 0 ? std::min(static_cast<size_t>(n), maxBytes) : 0);
  return out;
}

}  // namespace

WindowHandle Win32Desktop::FindTopLevelWindow(const std::string& title) {
  return reinterpret_cast<WindowHandle>(FindWindowExA(nullptr, nullptr, nullptr, title.c_str()));
}

void Win32Desktop::EnumTopLevel(const WindowVisitor& visit) {
  Enumeration e{visit, nullptr};
  EnumWindows(Visit, reinterpret_cast<LPARAM>(&e));
  if (e.error) std::rethrow_exception(e.error);
}

void Win32Desktop::EnumChildren(WindowHandle parent, const WindowVisitor& visit) {
  Enumeration e{visit, nullptr};
  EnumChildWindows(H(parent), Visit, reinterpret_cast<LPARAM>(&e));
  if (e.error) std::rethrow_exception(e.error);
}

std::string Win32Desktop::ClassName(WindowHandle w, int bufferSize) {
  if (bufferSize <= 0) return {};
  std::vector<char> buf(static_cast<size_t>(bufferSize), '\0');
  int n = GetClassNameA(H(w), buf.data(), bufferSize);
  return std::string(buf.data(), n > 0 ? static_cast<size_t>(n) : 0);
}

void Win32Desktop::ReadCaptionsInUnicode(bool on) {
  getTextW_ = on ? reinterpret_cast<void (*)()>(User32Function<GetWindowTextWFn>("GetWindowTextW")) : nullptr;
}

std::string Win32Desktop::Caption(WindowHandle w, int bufferSize) {
  if (bufferSize <= 0) return {};
  if (getTextW_) {
    std::vector<wchar_t> wide(static_cast<size_t>(bufferSize), L'\0');
    int n = reinterpret_cast<GetWindowTextWFn>(getTextW_)(H(w), wide.data(), bufferSize);
    return ToAnsiCaption(std::wstring(wide.data(), n > 0 ? static_cast<size_t>(n) : 0),
                         static_cast<size_t>(bufferSize) - 1);
  }
  std::vector<char> buf(static_cast<size_t>(bufferSize), '\0');
  int n = GetWindowTextA(H(w), buf.data(), bufferSize);
  return std::string(buf.data(), n > 0 ? static_cast<size_t>(n) : 0);
}

bool Win32Desktop::IsVisible(WindowHandle w) { return IsWindowVisible(H(w)) != FALSE; }
bool Win32Desktop::IsWindow(WindowHandle w) { return ::IsWindow(H(w)) != FALSE; }
bool Win32Desktop::IsIconic(WindowHandle w) { return ::IsIconic(H(w)) != FALSE; }

std::optional<WindowRect> Win32Desktop::Rect(WindowHandle w) {
  RECT r;
  if (!GetWindowRect(H(w), &r)) return std::nullopt;
  return WindowRect{r.left, r.top, r.right, r.bottom};
}

WindowHandle Win32Desktop::FindChild(WindowHandle parent, const std::string& className) {
  return reinterpret_cast<WindowHandle>(FindWindowExA(H(parent), nullptr, className.c_str(), nullptr));
}

std::optional<std::string> Win32Desktop::ReadText(WindowHandle w, unsigned timeoutMs) {
  // One ANSI WM_GETTEXT into a buffer of the longest text we take, without
  // asking the length first: the wide WM_GETTEXTLENGTH fails on Windows
  // 95/98/Me, and under Wine the ANSI one ignores the timeout of a hung
  // window and blocks, while WM_GETTEXT keeps it on every system.
  std::vector<char> buf(kMaxForeignText + 1, '\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutA(H(w), WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(buf.data()),
                           SMTO_ABORTIFHUNG, timeoutMs, &copied))
    return std::nullopt;
  if (copied >= buf.size()) copied = buf.size() - 1;
  return std::string(buf.data(), static_cast<size_t>(copied));
}

bool Win32Desktop::Post(WindowHandle w, unsigned msg, uintptr_t wParam, intptr_t lParam) {
  return PostMessageA(H(w), msg, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam)) != FALSE;
}

bool Win32Desktop::WatchWindowEvents(WindowEventSink sink) {
  StopWindowEvents();
  char polling[2] = {};
  if (GetEnvironmentVariableA(kPollingOnlyVariable, polling, sizeof polling) > 0) return false;
  auto setHook = User32Function<SetWinEventHookFn>("SetWinEventHook");
  if (!setHook || !User32Function<UnhookWinEventFn>("UnhookWinEvent")) return false;
  sink_ = std::move(sink);
  g_eventSink = &sink_;
  // Wine announces only the creation of another program's window; Windows
  // also its showing and each change of its caption.
  for (DWORD event : {EVENT_OBJECT_CREATE, EVENT_OBJECT_SHOW, EVENT_OBJECT_NAMECHANGE}) {
    HWINEVENTHOOK hook = setHook(event, event, nullptr, OnWinEvent, 0, 0, WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
    if (hook) hooks_.push_back(hook);
  }
  if (hooks_.empty()) StopWindowEvents();
  return !hooks_.empty();
}

void Win32Desktop::StopWindowEvents() {
  if (auto unhook = User32Function<UnhookWinEventFn>("UnhookWinEvent"))
    for (void* hook : hooks_) unhook(static_cast<HWINEVENTHOOK>(hook));
  hooks_.clear();
  if (g_eventSink == &sink_) g_eventSink = nullptr;
  sink_ = nullptr;
}

bool Win32Desktop::ControlKeyDown() { return (GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0; }

}  // namespace zt
