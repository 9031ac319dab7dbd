// user32 window management.
#include "platform/win32/win32_desktop.h"

#include "platform/win32/win.h"

#include <exception>
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

// Longest text read from a foreign window (a generous bound for an address).
constexpr LRESULT kMaxForeignText = 65535;

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

std::string Win32Desktop::Caption(WindowHandle w, int bufferSize) {
  if (bufferSize <= 0) return {};
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
  // The length is asked in the wide form: under Wine the ANSI form of
  // WM_GETTEXTLENGTH ignores the timeout of a hung window and blocks.
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(H(w), WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, timeoutMs, &length))
    return std::nullopt;
  if (static_cast<LRESULT>(length) > kMaxForeignText) length = kMaxForeignText;
  // Room for a double-byte code page, where one wide character may take two.
  std::vector<char> buf(length * 2 + 1, '\0');
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

}  // namespace zt
