// konfig_timing: how long the user waits for the settings dialog. Runs the
// real main window in this process (real registry, files and desktop; the
// program folder is the build's dist folder), chooses the settings command
// again and again and reports, from the command to the first paint message
// of the dialog and to the last paint message of its controls, the
// fastest, the median and the slowest of the runs.
//   konfig_timing [RUNS]   (next to the build's dist folder; needs a display)
// The settings key is removed afterwards.
#include "platform/win32/win.h"
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/win32/win32_platform.h"
#include "system/settings.h"
#include "tools/file_tree.h"
#include "ui/main_window.h"
#include "ui/resource.h"

namespace {

// The program as installed in dist: its files are found beside "zapotrix.exe".
class DistSystem : public zt::Win32System {
 public:
  explicit DistSystem(std::string exe) : exe_(std::move(exe)) {}
  std::string ExecutablePath() override { return exe_; }

 private:
  std::string exe_;
};

double g_start = 0, g_firstPaint = -1, g_lastPaint = -1;

// Sees every message the thread takes from its queue, paint messages too.
LRESULT CALLBACK WatchPaint(int code, WPARAM wp, LPARAM lp) {
  const MSG* m = reinterpret_cast<const MSG*>(lp);
  if (code == HC_ACTION && m->message == WM_PAINT) {
    HWND dialog = FindWindowA("TKonfiguration", nullptr);
    if (dialog && (m->hwnd == dialog || IsChild(dialog, m->hwnd))) {
      double t = zt::MillisecondsNow() - g_start;
      if (g_firstPaint < 0) g_firstPaint = t;
      g_lastPaint = t;
    }
  }
  return CallNextHookEx(nullptr, code, wp, lp);
}

// Closes the dialog once it has had time to paint everything.
void CALLBACK CloseDialog(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  if (HWND dialog = FindWindowA("TKonfiguration", nullptr)) PostMessageA(dialog, WM_CLOSE, 0, 0);
}

void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

void Report(const char* what, std::vector<double> ms) {
  std::sort(ms.begin(), ms.end());
  std::printf("%-44s min %6.1f ms, median %6.1f ms, max %6.1f ms (%zu runs)\n", what, ms.front(), ms[ms.size() / 2],
              ms.back(), ms.size());
}

}  // namespace

int main(int argc, char** argv) {
  int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string build(self);
  build = build.substr(0, build.rfind('\\'));

  zt::Win32Platform<DistSystem> platform(build + "\\dist\\zapotrix.exe");
  zt::Settings s;
  zt::SetDefaults(s);
  s.AutoStart = false;
  zt::RegIniSave(platform.registry, s);

  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&icc);
  std::vector<double> first, last, create, show;
  {
    zt::MainWindow window(platform.os);
    if (!window.Create()) {
      std::printf("konfig_timing: the main window could not be created\n");
      return 1;
    }
    SendMessageA(window.hwnd(), zt::kMsgTrayCallback, 100, WM_LBUTTONDBLCLK);  // shown, as from the tray
    Pump();
    HHOOK hook = SetWindowsHookExA(WH_GETMESSAGE, WatchPaint, nullptr, GetCurrentThreadId());
    for (int i = 0; i < runs; ++i) {
      g_firstPaint = g_lastPaint = -1;
      SetTimer(nullptr, 0, 700, CloseDialog);
      g_start = zt::MillisecondsNow();
      SendMessageA(window.hwnd(), WM_COMMAND, IDM_ACTION_EINSTELLUNGEN, 0);  // returns when it closed
      if (g_firstPaint >= 0) first.push_back(g_firstPaint);
      if (g_lastPaint >= 0) last.push_back(g_lastPaint);
      Pump();
    }
    UnhookWindowsHookEx(hook);
    // The parts of an opening: the dialog built from its templates, then
    // filled and shown.
    for (int i = 0; i < runs; ++i) {
      double t0 = zt::MillisecondsNow();
      zt::KonfigurationWindow dialog(window.main(), window.hwnd());
      dialog.Create();
      double t1 = zt::MillisecondsNow();
      dialog.Open();
      double t2 = zt::MillisecondsNow();
      create.push_back(t1 - t0);
      show.push_back(t2 - t1);
      dialog.Close();
    }
    Pump();
    window.main().SetSkipSaveOnClose();
  }
  platform.registry.DeleteKey(zt::HKey::CurrentUser, zt::kSettingsKey);
  if (first.empty() || last.empty()) {
    std::printf("konfig_timing: the dialog was never painted\n");
    return 1;
  }
  Report("settings command to the dialog's first paint", first);
  Report("settings command to its last control's paint", last);
  Report("of it: building the dialog and its pages", create);
  Report("of it: filling and showing it", show);
  return 0;
}
