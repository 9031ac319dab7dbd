// Window class registration and message dispatch to the window objects.
#include "ui/window_base.h"

#include <algorithm>
#include <exception>
#include <vector>

#include "lang/texts.h"

namespace zt {
namespace {

// The window being created: its first message attaches it. Windows are
// created on the one user-interface thread, one at a time.
WindowBase* g_creating = nullptr;
// The windows that exist, for PreTranslate.
std::vector<WindowBase*> g_windows;

}  // namespace

WindowBase::~WindowBase() { g_windows.erase(std::remove(g_windows.begin(), g_windows.end(), this), g_windows.end()); }

void ShowErrorBox(const char* text) { MessageBoxA(nullptr, text, kAppCaption, MB_OK | MB_ICONERROR); }

bool WindowBase::CreateFromTemplate(const char* className, int templateId, HWND owner, HICON icon) {
  HINSTANCE inst = GetModuleHandleA(nullptr);
  WNDCLASSEXA wc = {};
  if (!GetClassInfoExA(inst, className, &wc)) {
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = Proc;
    wc.cbWndExtra = DLGWINDOWEXTRA;
    wc.hInstance = inst;
    wc.hIcon = icon;
    wc.hIconSm = icon;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = className;
    if (!RegisterClassExA(&wc)) return false;
  }
  g_creating = this;
  HWND h = CreateDialogParamA(inst, MAKEINTRESOURCEA(templateId), owner, DialogProc, 0);
  g_creating = nullptr;
  return h != nullptr;
}

// The dialog manager asks this procedure first; the window's own procedure
// has already handled the message, so it only accepts the default focus.
INT_PTR CALLBACK WindowBase::DialogProc(HWND, UINT msg, WPARAM, LPARAM) { return msg == WM_INITDIALOG; }

LRESULT CALLBACK WindowBase::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* self = reinterpret_cast<WindowBase*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!self && g_creating) {
    self = g_creating;
    g_creating = nullptr;
    self->hwnd_ = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    g_windows.push_back(self);
  }
  if (!self) return DefDlgProcA(hwnd, msg, wp, lp);
  try {
    LRESULT r = self->HandleMessage(msg, wp, lp);
    if (msg == WM_NCDESTROY) {
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
      self->hwnd_ = nullptr;
      g_windows.erase(std::remove(g_windows.begin(), g_windows.end(), self), g_windows.end());
    }
    return r;
  } catch (const std::exception& e) {
    ShowErrorBox(e.what());
  } catch (...) {
    ShowErrorBox(kUnknownError);
  }
  return 0;
}

bool WindowBase::PreTranslate(MSG& msg) {
  for (WindowBase* w : g_windows) {
    HWND self = w->hwnd_;
    if (!self || (msg.hwnd != self && !IsChild(self, msg.hwnd))) continue;
    if (w->shortcuts_ && TranslateAcceleratorA(self, w->shortcuts_, &msg)) return true;
    return IsDialogMessageA(self, &msg) != FALSE;
  }
  return false;
}

void WindowBase::BringToFront() {
  if (!hwnd_ || !IsWindowVisible(hwnd_)) return;
  BringWindowToTop(hwnd_);
  SetForegroundWindow(hwnd_);
}

HWND CreateHiddenOwner() {
  constexpr char kOwnerClass[] = "Tzapotrix_owner";
  HINSTANCE inst = GetModuleHandleA(nullptr);
  WNDCLASSA wc = {};
  if (!GetClassInfoA(inst, kOwnerClass, &wc)) {
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = inst;
    wc.lpszClassName = kOwnerClass;
    RegisterClassA(&wc);
  }
  return CreateWindowExA(0, kOwnerClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, inst, nullptr);
}

void PumpPendingMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    if (WindowBase::PreTranslate(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

}  // namespace zt
