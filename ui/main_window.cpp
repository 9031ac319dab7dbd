// The main window: creation, the view operations, and the messages that
// end the program (quit, log-off, close without saving) or hide it.
#include "ui/main_window.h"

#include <commctrl.h>

#include "lang/texts.h"
#include "ui/resource.h"

namespace zt {

MainWindow::~MainWindow() {
  if (shortcuts_) DestroyAcceleratorTable(shortcuts_);
}

bool MainWindow::TranslateShortcut(MSG& msg) {
  return shortcuts_ && TranslateAcceleratorA(hwnd(), shortcuts_, &msg);
}

bool MainWindow::Create() {
  ACCEL keys[] = {{FCONTROL | FVIRTKEY, 'S', IDM_ZAPOTRIXHALTEN}};
  shortcuts_ = CreateAcceleratorTableA(keys, sizeof keys / sizeof *keys);
  HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_APP));
  if (!CreateTopLevel("Tzapotrix_main", "Zapotrix", WS_OVERLAPPEDWINDOW & ~WS_MAXIMIZEBOX, kWidth,
                      kHeight, icon))
    return false;
  CreateChildren();
  WindowHandle self = reinterpret_cast<WindowHandle>(hwnd());
  timer1_ = std::make_unique<Win32Timer>(self, kTimer1Id);
  timerCheckMessenger_ = std::make_unique<Win32Timer>(self, kTimerCheckMessengerId);
  main_ = std::make_unique<ZapotrixMain>(os_, *this, *timer1_, *timerCheckMessenger_);
  main_->Start();
  // A quit that arrived while the start-up order let messages run waits
  // until the rules are loaded: closing earlier would save empty lists.
  if (closePending_) PostMessageA(hwnd(), WM_CLOSE, 0, 0);
  return true;
}

void MainWindow::CreateChildren() {
  HINSTANCE inst = GetModuleHandleA(nullptr);
  HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  status_ = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, hwnd(),
                            reinterpret_cast<HMENU>(IDC_STATUSBAR), inst, nullptr);
  int edges[7];
  int x = 0;
  for (int i = 0; i < 7; ++i) edges[i] = (x += kPanelWidths[i]);
  SendMessageA(status_, SB_SETPARTS, 7, reinterpret_cast<LPARAM>(edges));
  for (int i = 0; i < 7; ++i) SendMessageA(status_, SB_SETTEXTA, i, reinterpret_cast<LPARAM>(kInitialPanels[i]));

  label1_ = CreateWindowExA(0, "STATIC", "", WS_CHILD | SS_LEFT, 12, 8, 300, 20, hwnd(),
                            reinterpret_cast<HMENU>(IDC_LABEL1), inst, nullptr);
  edWidth_ = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_NUMBER, 12, 300,
                             60, 21, hwnd(), reinterpret_cast<HMENU>(IDC_EDSWWIDTH), inst, nullptr);
  edHeight_ = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_NUMBER, 80, 300,
                              60, 21, hwnd(), reinterpret_cast<HMENU>(IDC_EDSWHEIGHT), inst, nullptr);
  for (HWND h : {label1_, edWidth_, edHeight_}) SendMessageA(h, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
}

void MainWindow::SetCaption(const std::string& caption) { SetWindowTextA(hwnd(), caption.c_str()); }

void MainWindow::SetStatusPanel(int panel, const std::string& text) {
  SendMessageA(status_, SB_SETTEXTA, panel, reinterpret_cast<LPARAM>(text.c_str()));
}

void MainWindow::SetLanguage(int language) {
  if (language == kLanguageGerman || language == kLanguageEnglish)
    pauseActionCaption_ = TextsFor(language == kLanguageGerman).main.Action_zapotrixhalten;
}

void MainWindow::SetPauseLabelVisible(bool visible) {
  if (main_) SetWindowTextA(label1_, main_->state().texts().msg.pausedLabel);
  ShowWindow(label1_, visible ? SW_SHOW : SW_HIDE);
}

RECT MainWindow::Rect() {
  RECT r = {};
  GetWindowRect(hwnd(), &r);
  return r;
}

int MainWindow::WindowWidth() { RECT r = Rect(); return r.right - r.left; }
int MainWindow::WindowHeight() { RECT r = Rect(); return r.bottom - r.top; }
int MainWindow::WindowLeft() { return Rect().left; }
int MainWindow::WindowTop() { return Rect().top; }

void MainWindow::MoveWindow(int left, int top) {
  SetWindowPos(hwnd(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::SetSmallWindowEdits(const std::string& width, const std::string& height) {
  SetWindowTextA(edWidth_, width.c_str());
  SetWindowTextA(edHeight_, height.c_str());
}

void MainWindow::ProcessPendingMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // leave it for the main loop
      return;
    }
    if (TranslateShortcut(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

void MainWindow::OnCommand(int id) {
  switch (id) {
    case IDM_ZAPOTRIXHALTEN:  // Action_zapotrixhaltenExecute
      main_->Bypassmanager();
      break;
  }
}

void MainWindow::OnClose() {
  switch (main_->QuitRequested()) {
    case QuitAnswer::Wait:
      closePending_ = true;
      return;
    case QuitAnswer::EndWithoutSaving:
      DestroyWindow(hwnd());
      return;
    case QuitAnswer::SaveAndEnd:
      // A settings write error reaches the generic error box, and a rule
      // database that could not be written keeps the window: the program
      // keeps running.
      if (main_->FormClose()) DestroyWindow(hwnd());
      return;
  }
}

LRESULT MainWindow::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_TIMER:
      if (!main_) return 0;
      if (wp == kTimer1Id) main_->Timer1Timer();
      else if (wp == kTimerCheckMessengerId) main_->Timer_checkMessengerTimer();
      return 0;
    case WM_COMMAND:
      if (main_) OnCommand(LOWORD(wp));
      return 0;
    case WM_SIZE:
      SendMessageA(status_, WM_SIZE, 0, 0);
      return 0;
    case WM_SYSCOMMAND:
      // Minimize and close from the title bar only hide the window: the
      // program lives in the tray.
      if ((wp & 0xFFF0) == SC_MINIMIZE || (wp & 0xFFF0) == SC_CLOSE) {
        AddTrayIcon();
        ShowWindow(hwnd(), SW_HIDE);
        return 0;
      }
      break;
    case WM_CLOSE:
      if (main_) OnClose();
      else DestroyWindow(hwnd());
      return 0;
    case kMsgCloseWithoutSaving:
      if (main_) main_->SetSkipSaveOnClose();
      SendMessageA(hwnd(), WM_CLOSE, 0, 0);
      return 0;
    case WM_QUERYENDSESSION: {
      LRESULT answer = DefWindowProcA(hwnd(), msg, wp, lp);
      if (main_) {
        try {
          main_->Cleanup();
        } catch (const std::exception& e) {
          ShowError(e.what());
        }
      }
      return answer;
    }
    case WM_DESTROY:
      if (timer1_) timer1_->SetEnabled(false);
      if (timerCheckMessenger_) timerCheckMessenger_->SetEnabled(false);
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcA(hwnd(), msg, wp, lp);
}

}  // namespace zt
