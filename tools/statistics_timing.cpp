// statistics_timing: what a new history entry costs while the statistics
// window is open: 100,000 entries first, then the window opens, then 100
// more arrive as the scan cycle records them (the pending messages run, the
// window refreshes and repaints). Prints the time per new entry, and the
// same with 10 entries for comparison. In-process on the stand-in system,
// with the real windows.
//   statistics_timing   (under Wine or Windows; needs a display: exits 1,
//                        saying why, when it cannot measure)
#include "platform/win32/win.h"
#include <commctrl.h>

#include <cstdio>

#include "sim_world.h"
#include "ui/main_window.h"
#include "ui/resource.h"

namespace {

// CPU time of this process (user and kernel), in seconds: on a busy
// machine the wall time mostly measures the waits for the X server.
double CpuSeconds() {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  auto s = [](const FILETIME& f) {
    return static_cast<double>((static_cast<unsigned long long>(f.dwHighDateTime) << 32) | f.dwLowDateTime) / 1e7;
  };
  return s(kernel) + s(user);
}

double Seconds() {
  LARGE_INTEGER f, t;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) / static_cast<double>(f.QuadPart);
}

void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

const char* const kKeys[] = {"WDS", "URL", "ADS", "WCS", "FlashAX", "NTP", "SmallWDS"};

// Prints the milliseconds per entry of `arriving` entries after `before`
// entries: wall time, the part spent painting, and CPU time. False, after
// saying why, when it could not measure.
bool PerEntry(size_t before, int arriving) {
  zt::test::SimWorld w;
  w.Install("");
  zt::MainWindow window(w.os);
  if (!window.Create()) {
    std::printf("statistics_timing: not measured: the main window could not be created (is there a display?)\n");
    return false;
  }
  zt::AppState& a = window.main().state();
  // The history as the scanners left it, without the window open.
  for (size_t i = 0; i < before; ++i)
    zt::AppendHistory(a.engine.history, a.engine.historyCounts, a.texts(),
                      zt::HistoryEntry{"Popup " + std::to_string(i), "http://ads.example.com/", "468", "60",
                                       zt::ScannerDisplayName(kKeys[i % 7], a.texts()), "14:10:00", {}});
  SendMessageA(window.hwnd(), WM_COMMAND, IDM_ACTION_STATISTIK, 0);
  Pump();
  HWND stat = window.statistik() ? window.statistik()->hwnd() : nullptr;
  if (!stat) {
    std::printf("statistics_timing: not measured: the statistics window did not open\n");
    return false;
  }
  HWND list = GetDlgItem(stat, IDC_LISTVIEWHISTORY);
  ListView_EnsureVisible(list, static_cast<int>(a.engine.history.size()) - 1, FALSE);
  UpdateWindow(stat);
  double start = Seconds(), cpu = CpuSeconds(), painting = 0;
  for (int i = 0; i < arriving; ++i) {
    zt::historylist(a.Scan(), "Popup", "http://ads.example.com/", 468, 60, kKeys[i % 7], {});
    double p = Seconds();
    UpdateWindow(list);  // the repaint the user sees, included
    painting += Seconds() - p;
  }
  double wall = (Seconds() - start) * 1000.0 / arriving, used = (CpuSeconds() - cpu) * 1000.0 / arriving;
  std::printf("%d new entries after %zu with the statistics window open: %.3f ms per entry (painting %.3f ms), "
              "CPU %.3f ms per entry\n",
              arriving, before, wall, painting * 1000.0 / arriving, used);
  if (ListView_GetItemCount(list) != static_cast<int>(a.engine.history.size())) {
    std::printf("statistics_timing: the window's rows are out of step with the history\n");
    return false;
  }
  return true;
}

}  // namespace

int main() {
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&icc);
  bool measured = PerEntry(10, 100);
  measured = PerEntry(100000, 100) && measured;
  return measured ? 0 : 1;
}
