// browser_fixture.exe driven from a test or a measuring program: the
// windows of a spec file opened by the fixture, what its log says they
// received, and the figures read from a series of popups. Also the program's
// engine and main window run in this process against the fixture's windows.
#pragma once
#include <windows.h>

#include <algorithm>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/zapotrix_main.h"
#include "platform/sim/sim_download.h"
#include "platform/sim/sim_registry.h"
#include "platform/sim/sim_services.h"
#include "platform/sim/sim_shell.h"
#include "platform/sim/sim_system.h"
#include "platform/sim/sim_timer.h"
#include "platform/sim/sim_worker.h"
#include "platform/win32/win32_desktop.h"
#include "platform/win32/win32_download.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_system.h"
#include "platform/win32/win32_worker.h"
#include "recording_view.h"
#include "system/settings.h"
#include "ui/main_window.h"
#include "wine_support.h"

namespace zt::test {

struct LogLine {
  long long us;
  std::string name, event;
};

// browser_fixture.exe with a spec file and a log file in a folder; ended
// by force when the object goes away.
class BrowserFixture {
 public:
  BrowserFixture(const std::string& dir, const std::string& spec) {
    static int counter = 0;
    std::string tag = std::to_string(++counter);
    specPath_ = dir + "\\fixture" + tag + ".txt";
    logPath_ = dir + "\\fixture" + tag + ".log";
    WriteBytes(specPath_, spec);
    std::string exe = BuildDir() + "\\browser_fixture.exe";
    std::string cmd = "\"" + exe + "\" \"" + specPath_ + "\" \"" + logPath_ + "\"";
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    if (!CreateProcessA(exe.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &info_)) info_ = {};
  }
  ~BrowserFixture() {
    if (!info_.hProcess) return;
    TerminateProcess(info_.hProcess, 0);
    WaitForSingleObject(info_.hProcess, 5000);
    CloseHandle(info_.hProcess);
    CloseHandle(info_.hThread);
  }
  BrowserFixture(const BrowserFixture&) = delete;
  BrowserFixture& operator=(const BrowserFixture&) = delete;

  DWORD pid() const { return info_.dwProcessId; }
  std::vector<LogLine> Log() const {
    std::vector<LogLine> out;
    std::istringstream in(ReadBytes(logPath_));
    std::string line;
    while (std::getline(in, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      size_t a = line.find('\t'), b = line.find('\t', a + 1);
      if (a == std::string::npos || b == std::string::npos) continue;
      out.push_back({std::stoll(line.substr(0, a)), line.substr(a + 1, b - a - 1), line.substr(b + 1)});
    }
    return out;
  }
  int Count(const std::string& name, const std::string& event) const {
    std::vector<LogLine> log = Log();
    return static_cast<int>(std::count_if(log.begin(), log.end(), [&](const LogLine& l) {
      return l.name == name && l.event == event;
    }));
  }
  // Waits until the fixture logged an event for a window (times times).
  ::testing::AssertionResult WaitFor(const std::string& name, const std::string& event, DWORD timeoutMs,
                                     int times = 1) const {
    if (WaitUntil([&] { return Count(name, event) >= times; }, timeoutMs)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << name << " got " << event << " " << Count(name, event) << " times within "
                                         << timeoutMs << " ms, not " << times;
  }
  ::testing::AssertionResult Ready() const { return WaitFor("fixture", "ready", 15000); }
  // Watches the log for ms on purpose: none of the windows may get event.
  ::testing::AssertionResult NoneGets(std::initializer_list<const char*> names, const std::string& event,
                                      DWORD ms) const {
    std::string got;
    auto happened = [&] {
      for (const char* n : names)
        if (Count(n, event) > 0) return !(got = n).empty();
      return false;
    };
    if (!WaitUntil(happened, ms)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << got << " got " << event << " within " << ms << " ms";
  }
  // Posts WM_NULL to one of the fixture's windows and waits until the
  // fixture logged it: posted messages are handled in order, so everything
  // posted to the fixture before has been handled by then.
  ::testing::AssertionResult HandledAllPosted(HWND window, const std::string& name) const {
    int before = Count(name, "WM_NULL");
    if (!PostMessageA(window, WM_NULL, 0, 0)) return ::testing::AssertionFailure() << "cannot post to " << name;
    return WaitFor(name, "WM_NULL", 5000, before + 1);
  }

 private:
  std::string specPath_, logPath_;
  PROCESS_INFORMATION info_ = {};
};

inline std::string Window(const std::string& cls, const std::string& caption, int w, int h, const std::string& options = "",
                   const std::string& address = "") {
  return "window\t" + cls + "\t" + caption + "\t" + std::to_string(w) + "\t" + std::to_string(h) + "\t" + options +
         "\t" + address + "\r\n";
}

inline const char kIE[] = " - Microsoft Internet Explorer";

// The visible time of each popup s0, s1, ... of a fixture's series, from
// its showing to its first WM_CLOSE, in microseconds and in the order they
// opened; -1 for one that was never closed.
inline std::vector<long long> SeriesVisibleTimes(const BrowserFixture& fx, int popups) {
  std::vector<LogLine> log = fx.Log();
  std::vector<long long> times(static_cast<size_t>(popups), -1);
  for (int i = 0; i < popups; ++i) {
    std::string name = "s" + std::to_string(i);
    long long open = -1;
    for (const LogLine& l : log) {
      if (l.name == name && l.event == "open") open = l.us;
      if (l.name == name && l.event == "WM_CLOSE" && open >= 0) {
        times[static_cast<size_t>(i)] = l.us - open;
        break;
      }
    }
  }
  return times;
}

// Median, worst and best of visible times, in milliseconds.
struct TimeFigures {
  double median, worst, best;
};
inline TimeFigures Figures(std::vector<long long> us) {
  std::sort(us.begin(), us.end());
  size_t n = us.size();
  return {(us[(n - 1) / 2] + us[n / 2]) / 2000.0, us.back() / 1000.0, us.front() / 1000.0};
}

// The engine in this process on the real window, registry and file
// backends; services and shell are stand-ins, nothing here touches them.
struct RealBackend {
  Win32Registry registry;
  Win32System system;
  Win32Desktop desktop;
  Win32Downloader downloader;
  Win32Worker worker;
  SimServiceManager services;
  SimShell shell;
  Platform os{registry, system, desktop, downloader, worker, services, shell};
  RecordingView view;
  SimTimer timer1, timerCheck;
  ZapotrixMain main{os, view, timer1, timerCheck};
};

// The stand-in system with the real clock: instant mode's watch and the
// tooltip's pace run on it.
struct RealClockSystem : SimSystem {
  uint32_t TickCount() override { return GetTickCount(); }
};

// Committed private memory of this process (Wine reports no PrivateUsage).
inline double PrivateMegabytes(HANDLE process) {
  SIZE_T total = 0;
  MEMORY_BASIC_INFORMATION m;
  for (char* at = nullptr; VirtualQueryEx(process, at, &m, sizeof m) == sizeof m; at += m.RegionSize) {
    if (m.State == MEM_COMMIT && m.Type == MEM_PRIVATE) total += m.RegionSize;
    if (m.RegionSize == 0) break;
  }
  return total / 1048576.0;
}

struct InProcessProgram {
  SimRegistry registry;
  RealClockSystem system;
  Win32Desktop desktop;
  SimDownloader downloader;
  SimWorker worker;
  SimServiceManager services;
  SimShell shell;
  Platform os{registry, system, desktop, downloader, worker, services, shell};
  std::unique_ptr<MainWindow> window;

  explicit InProcessProgram(const std::string& rules) {
    const std::string dir = "C:\\Program Files\\Zapotrix\\";
    system.PutFile(dir + "config\\zapotrix_mainDB.ini", rules);
    system.PutFile(dir + "config\\zapotrix_hosts.dat", "ads.example.com\r\n");
    system.PutFile(dir + "config\\zapotrix_mozilla.dat", "/* filter */\r\n");
    system.PutFile(dir + "help\\zapotrix_handbuch.pdf", "%PDF-1.4\n");
    Settings s;
    SetDefaults(s);
    s.AutoStart = false;
    s.Internet_Explorer = s.Mozilla = s.Firefox = true;
    RegIniSave(registry, s);
    window = std::make_unique<MainWindow>(os);
    created = window->Create();
  }
  ~InProcessProgram() {
    window.reset();
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
  }
  // Handles this thread's messages (the system's window announcements among
  // them) for about ms milliseconds.
  void Pump(DWORD ms) {
    DWORD start = GetTickCount();
    do {
      MSG msg;
      while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) continue;
        if (window->PreTranslate(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
      }
      if (ms) MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    } while (GetTickCount() - start < ms);
  }
  AppState& App() { return window->main().state(); }
  bool created = false;
};

}  // namespace zt::test
