// ui_timing: starts zapotrix.exe under Wine or Windows and reports what a
// user waits for and what the program costs: the time from the start to
// its tray icon and to the end of start-up, and its private memory when
// idle, once with the rule database as installed and once with 10,000
// rules in each list.
//   ui_timing   (next to the build's dist folder)
// Works in a temporary copy of the program folder; the settings key is
// removed afterwards. Needs a display: exits 1, saying why, when the program
// showed no tray icon or did not end its start-up within 60 s.
#include "platform/win32/win.h"
#include <psapi.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

#include "platform/win32/win32_registry.h"
#include "system/probes.h"
#include "system/settings.h"
#include "tools/remote_text.h"
#include "tools/file_tree.h"

namespace {

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD wrote = 0;
  WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &wrote, nullptr);
  CloseHandle(h);
}

// A rule database with n entries in each of the four lists.
std::string BigDatabase(int n) {
  std::string s;
  const char* sections[] = {"ADS", "URL", "WCS"};
  for (const char* section : sections) {
    s += std::string("[") + section + "]\r\n";
    for (int i = 1; i <= n; ++i)
      s += std::to_string(i) + "=" + (section[0] == 'U' ? "http://host" : "entry ") + std::to_string(i) + "\r\n";
  }
  s += "[WDS]\r\n";
  for (int i = 0; i < n; ++i)
    s += std::to_string(2 * i + 1) + "=" + std::to_string(100 + i) + "\r\n" + std::to_string(2 * i + 2) + "=60\r\n";
  return s;
}

struct Found {
  DWORD pid;
  HWND window;
};

BOOL CALLBACK FindMain(HWND w, LPARAM lp) {
  auto* f = reinterpret_cast<Found*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  char cls[64] = {};
  GetClassNameA(w, cls, sizeof cls);
  if (pid == f->pid && lstrcmpA(cls, "Tzapotrix_main") == 0) {
    f->window = w;
    return FALSE;
  }
  return TRUE;
}

// Committed private memory of a process: what it allocated for itself (its
// heap, stacks, list views), without the mapped program and system files.
// Summed from the address space, as Wine does not report PrivateUsage.
double PrivateMegabytes(HANDLE process) {
  SIZE_T total = 0;
  MEMORY_BASIC_INFORMATION m;
  for (char* at = nullptr; VirtualQueryEx(process, at, &m, sizeof m) == sizeof m; at += m.RegionSize) {
    if (m.State == MEM_COMMIT && m.Type == MEM_PRIVATE) total += m.RegionSize;
    if (m.RegionSize == 0) break;
  }
  return total / 1048576.0;
}

bool TrayIconExists(HWND main) {
  NOTIFYICONDATAA nid = {};
  nid.cbSize = NOTIFYICONDATAA_V1_SIZE;
  nid.hWnd = main;
  nid.uID = 100;
  return Shell_NotifyIconA(NIM_MODIFY, &nid) != FALSE;
}

bool Measure(const std::string& dir, const char* what) {
  std::string exe = dir + "\\zapotrix.exe";
  std::string cmd = "\"" + exe + "\"";
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  double start = zt::MillisecondsNow();
  if (!CreateProcessA(exe.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &si, &pi)) {
    std::printf("ui_timing: %s: not measured: could not start %s\n", what, exe.c_str());
    return false;
  }
  Found f = {pi.dwProcessId, nullptr};
  double tray = -1, ready = -1;
  while (zt::MillisecondsNow() - start < 60000 && ready < 0) {
    if (!f.window) EnumWindows(FindMain, reinterpret_cast<LPARAM>(&f));
    if (f.window && tray < 0 && TrayIconExists(f.window)) tray = zt::MillisecondsNow() - start;
    HWND status = f.window ? FindWindowExA(f.window, nullptr, "msctls_statusbar32", nullptr) : nullptr;
    if (status && RemoteStatusPanelText(status, 6) == " Standby") ready = zt::MillisecondsNow() - start;
    Sleep(5);
  }
  bool measured = tray >= 0 && ready >= 0;
  if (!measured) {
    std::printf("ui_timing: %s: not measured: within 60 s zapotrix.exe %s (is there a display?)\n", what,
                !f.window ? "showed no main window" : tray < 0 ? "showed no tray icon" : "did not end its start-up");
  } else {
    Sleep(5000);  // idle: the scan cycle in standby
    PROCESS_MEMORY_COUNTERS mem = {};
  mem.cb = sizeof mem;
  GetProcessMemoryInfo(pi.hProcess, &mem, sizeof mem);
    std::printf("%-28s start to tray icon %5.0f ms, to end of start-up %5.0f ms, idle private memory %5.1f MB "
                "(working set %5.1f MB)\n",
                what, tray, ready, PrivateMegabytes(pi.hProcess), mem.WorkingSetSize / 1048576.0);
  }
  if (f.window) PostMessageA(f.window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(pi.hProcess, 30000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  return measured;
}

}  // namespace

int main() {
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string build(self);
  build = build.substr(0, build.rfind('\\'));
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  std::string dir = std::string(temp) + "zt-ui-timing-" + std::to_string(GetCurrentProcessId());

  zt::Win32Registry reg;
  zt::Settings s;
  zt::SetDefaults(s);
  s.AutoStart = false;
  zt::RegIniSave(reg, s);

  zt::CopyTree(build + "\\dist", dir);
  bool measured = Measure(dir, "rule database as installed");
  zt::RegIniSave(reg, s);
  WriteFileBytes(dir + "\\config\\zapotrix_mainDB.ini", BigDatabase(10000));
  measured = Measure(dir, "10,000 rules in each list") && measured;

  zt::RemoveTree(dir);
  reg.DeleteKey(zt::HKey::CurrentUser, zt::kSettingsKey);
  return measured ? 0 : 1;
}
