// hosts_editor_timing: times the hosts list editor window under Wine or
// Windows with today's public lists: the unified list of the data folder
// as a list file (one name a line), and 150,000 names. For each: the time
// from the opening command to a usable window (Timer1's 200 ms included),
// a sort by the column header, a scroll to the end, a search by typing, an
// add; and the process's private memory before the editor opened and with
// it open.
//   hosts_editor_timing DATA_DIR   (the folder with hosts-000-unified.txt)
// Works in a temporary folder; needs a display.
#include "platform/win32/win.h"
#include <commctrl.h>
#include <psapi.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "app/app_state.h"
#include "platform/sim/sim_timer.h"
#include "platform/win32/win32_platform.h"
#include "tests/recording_view.h"
#include "tools/file_tree.h"
#include "ui/hosts_editor.h"
#include "ui/resource.h"

namespace {

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

void Put(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

double PrivateMegabytes() {
  PROCESS_MEMORY_COUNTERS_EX pmc = {};
  pmc.cb = sizeof pmc;
  GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&pmc), sizeof pmc);
  // Wine leaves PrivateUsage empty; PagefileUsage is the same figure there
  // and on the NT family.
  SIZE_T bytes = pmc.PrivateUsage ? pmc.PrivateUsage : pmc.PagefileUsage;
  return bytes / (1024.0 * 1024.0);
}

void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

void Measure(const char* name, zt::AppState& app, HWND main) {
  double before = PrivateMegabytes();
  double t0 = zt::MillisecondsNow();
  zt::THostlistenEditor editor(app, main);
  editor.Create();
  editor.Show();
  HWND ed = editor.hwnd();
  HWND ok = GetDlgItem(ed, IDC_HOSTS_BT_OK);
  while (!IsWindowEnabled(ok)) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    Pump();
  }
  UpdateWindow(ed);
  double usable = zt::MillisecondsNow() - t0;
  double open = PrivateMegabytes();

  HWND list = GetDlgItem(ed, IDC_LISTVIEWHOSTS);
  auto timed = [&](auto action) {
    double s = zt::MillisecondsNow();
    action();
    UpdateWindow(ed);
    return zt::MillisecondsNow() - s;
  };
  auto headerClick = [&] {
    NMLISTVIEW n = {};
    n.hdr = {list, IDC_LISTVIEWHOSTS, static_cast<UINT>(LVN_COLUMNCLICK)};
    SendMessageA(ed, WM_NOTIFY, IDC_LISTVIEWHOSTS, reinterpret_cast<LPARAM>(&n));
  };
  double sortDown = timed(headerClick);
  double sortUp = timed(headerClick);
  int rows = ListView_GetItemCount(list);
  double scroll = timed([&] { ListView_EnsureVisible(list, rows - 1, FALSE); });
  double find = timed([&] {
    LVFINDINFOA f = {};
    f.flags = LVFI_STRING | LVFI_PARTIAL;
    f.psz = "zz";
    SendMessageA(list, LVM_FINDITEMA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&f));
  });
  double add = timed([&] {
    SetDlgItemTextA(ed, IDC_EDADDHOSTS, "new-entry.example.org");
    SendMessageA(GetDlgItem(ed, IDC_BTHOSTSADD), BM_CLICK, 0, 0);
  });
  std::printf("%s: %d entries; command to usable window %.0f ms (Timer1 waits 200 ms of it); "
              "sort descending %.1f ms, ascending %.1f ms; scroll to the end %.1f ms; "
              "find by typing %.2f ms; add %.1f ms; private memory %.1f MB before, %.1f MB with the editor open\n",
              name, rows, usable, sortDown, sortUp, scroll, find, add, before, open);
  SendMessageA(GetDlgItem(ed, IDC_HOSTS_BT_CANCEL), BM_CLICK, 0, 0);
  Pump();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: hosts_editor_timing DATA_DIR\n");
    return 2;
  }
  std::istringstream unified(Slurp(std::string(argv[1]) + "\\hosts-000-unified.txt"));
  std::vector<std::string> names;
  for (std::string line; std::getline(unified, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.compare(0, 8, "0.0.0.0 ") == 0 && line.find('#') == std::string::npos && line != "0.0.0.0 0.0.0.0")
      names.push_back(line.substr(8));
  }
  if (names.empty()) {
    std::fprintf(stderr, "hosts_editor_timing: no data in %s\n", argv[1]);
    return 1;
  }
  std::string unifiedList, big;
  for (const std::string& n : names) unifiedList += n + "\r\n";
  for (size_t i = 0; i < 150000; ++i) {
    size_t round = i / names.size();
    big += (round ? "m" + std::to_string(round) + "." : std::string()) + names[i % names.size()] + "\r\n";
  }

  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&icc);
  char tmp[MAX_PATH];
  GetTempPathA(MAX_PATH, tmp);
  std::string dir = std::string(tmp) + "zt-editor-timing-" + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(dir.c_str(), nullptr);
  CreateDirectoryA((dir + "\\config").c_str(), nullptr);

  zt::Win32Platform<> platform;
  zt::test::RecordingView view;
  zt::SimTimer t1, t2;
  zt::AppState app(platform.os, view, t1, t2);
  app.paths.ProgramDir = dir + "\\";
  app.paths.HostsListFile = dir + "\\config\\zapotrix_hosts.dat";
  HWND main = CreateWindowExA(0, "STATIC", "main", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE, 0, 0, 635, 485, nullptr,
                              nullptr, nullptr, nullptr);
  for (int round = 0; round < 2; ++round) {
    Put(app.paths.HostsListFile, unifiedList);
    Measure("unified list", app, main);
    Put(app.paths.HostsListFile, big);
    Measure("150,000 names", app, main);
  }
  DestroyWindow(main);
  zt::RemoveTree(dir);
  return 0;
}
