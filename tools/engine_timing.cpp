// engine_timing: what the popup engine costs and how fast it is, measured
// against browser_fixture.exe's windows under Wine or Windows:
//   cycle    the time each scan cycle blocks the user-interface thread with
//            twenty Internet Explorer windows whose address bars never
//            answer (the engine in this process on the real window backend);
//   latency  zapotrix.exe in fast mode, a browser window open all the time,
//            60 popups one after the other: showing to WM_CLOSE;
//   visible  the same with instant mode, and polling only, in one run;
//   standby  zapotrix.exe's CPU time over 60 s of standby.
// Usage: engine_timing [cycle|latency|visible|standby]...   (all without
// arguments; next to the build's dist folder and fixtures; needs a display)
// Prints one line per figure. Exits 1, saying why, when a figure could not
// be measured.
#include "platform/win32/win.h"

#include <cstdio>
#include <cstring>
#include <functional>
#include <map>

#include "browser_fixture.h"
#include "wine_support.h"

namespace zt::test {
namespace {

const char kRules[] =
    "[ADS]\r\n1=casino\r\n2=für\r\n"
    "[URL]\r\n1=http://ads.example.com\r\n"
    "[WCS]\r\n1=\"Bonus \"\r\n2=Gewinnspiel\r\n"
    "[WDS]\r\n1=640\r\n2=480\r\n";

// Why a measurement could not be taken; main prints it and exits 1.
struct CannotMeasure {
  std::string why;
};
void Require(bool ok, const std::string& why) {
  if (!ok) throw CannotMeasure{why};
}
void Require(const ::testing::AssertionResult& ok, const std::string& what) {
  if (!ok) throw CannotMeasure{what + ": " + ok.message()};
}

// zapotrix.exe in a program folder of its own, watching every browser kind,
// with the settings key removed afterwards.
class Program {
 public:
  Program() {
    reg_.DeleteKey(HKey::CurrentUser, kSettingsKey);
    LayOutProgram(dir_.path());
    SetDefaults(settings_);
    settings_.AutoStart = false;
    settings_.Internet_Explorer = settings_.Mozilla = settings_.Firefox = true;
  }
  ~Program() { reg_.DeleteKey(HKey::CurrentUser, kSettingsKey); }
  // Writes the settings and rules, starts the program and waits until its
  // start-up has ended (the status bar shows " Standby").
  std::unique_ptr<ProgramProcess> Start() {
    RegIniSave(reg_, settings_);
    WriteBytes(dir_.path() + "\\config\\zapotrix_mainDB.ini", kRules);
    auto p = std::make_unique<ProgramProcess>(dir_.path() + "\\zapotrix.exe");
    HWND main = p->WaitForMainWindow();
    Require(main != nullptr, "zapotrix.exe showed no main window within 15 s (no display?)");
    Require(WaitForPanel(WaitForStatusBar(main), 6, " Standby", 15000), "zapotrix.exe did not end its start-up");
    return p;
  }
  const std::string& dir() const { return dir_.path(); }

 private:
  Win32Registry reg_;
  TempDir dir_;
  Settings settings_;
};

std::vector<long long> SeriesOf(const BrowserFixture& fx, int popups) {
  Require(fx.WaitFor("series", "done", 120000), "the fixture's popup series did not end");
  std::vector<long long> times = SeriesVisibleTimes(fx, popups);
  Require(std::count(times.begin(), times.end(), -1) == 0, "a popup of the series was never closed");
  return times;
}

void CycleTime() {
  RealBackend real;
  SetDefaults(real.main.state().settings);
  TempDir dir;
  std::string windows;
  for (int i = 0; i < 20; ++i)
    windows += Window("IEFrame", "Frozen " + std::to_string(i) + kIE, 800, 600, "hungbar", "http://frozen.example/");
  BrowserFixture fx(dir.path(), windows);
  Require(fx.Ready(), "browser_fixture.exe");
  // Within its first 5 s a hung window costs the full wait of every
  // question; after that the system answers for it at once.
  std::printf("cycle: scan cycle time with 20 hung address bars (ms):");
  for (int cycle = 1; cycle <= 12; ++cycle) {
    DWORD start = GetTickCount();
    real.main.Timer1Timer();
    std::printf(" %lu", static_cast<unsigned long>(GetTickCount() - start));
    Sleep(250);  // the fast pace between cycles
  }
  std::printf("\n");
}

void Latency() {
  Program program;
  auto running = program.Start();
  const int popups = 60;
  BrowserFixture fx(program.dir(), Window("IEFrame", std::string("Home") + kIE, 800, 600, "", "http://home.example/") +
                                       "series\t" + std::to_string(popups) + "\t50\tIEFrame\tCasino" + kIE +
                                       "\t800\t600\t400\r\n");
  Require(fx.Ready(), "browser_fixture.exe");
  TimeFigures f = Figures(SeriesOf(fx, popups));
  Require(fx.Count("w0", "WM_CLOSE") == 0, "the browser window that stays open was closed");
  std::printf("latency: popup showing to WM_CLOSE in fast mode over %d popups: median %.1f ms, worst %.1f ms, "
              "best %.1f ms\n", popups, f.median, f.worst, f.best);
}

void Visible() {
  const int popups = 60;
  for (bool polling : {false, true}) {
    Program program;
    SetEnvironmentVariableA(kPollingOnlyVariable, polling ? "1" : nullptr);
    auto running = program.Start();
    SetEnvironmentVariableA(kPollingOnlyVariable, nullptr);
    // As a user meets it: start-up has ended and a browser is open, so the
    // cycle runs at its active pace rather than in standby.
    HWND status = WaitForStatusBar(running->WaitForMainWindow());
    BrowserFixture home(program.dir(), Window("IEFrame", std::string("Home") + kIE, 800, 600, "", "http://home.example/"));
    Require(home.Ready(), "browser_fixture.exe");
    Require(WaitForPanel(status, 6, " Active"), "the program did not see the browser window");
    BrowserFixture fx(program.dir(), "series\t" + std::to_string(popups) + "\t50\tIEFrame\tCasino" + kIE +
                                         "\t800\t600\t400\r\n");
    Require(fx.Ready(), "browser_fixture.exe");
    TimeFigures f = Figures(SeriesOf(fx, popups));
    Require(home.Count("w0", "WM_CLOSE") == 0, "the browser window that stays open was closed");
    std::printf("visible: %s: popup visible time over %d popups: median %.1f ms, worst %.1f ms, best %.1f ms\n",
                polling ? "polling only" : "instant mode", popups, f.median, f.worst, f.best);
  }
}

ULONGLONG CpuTime100ns(HANDLE process) {
  FILETIME created, ended, kernel, user;
  if (!GetProcessTimes(process, &created, &ended, &kernel, &user)) return 0;
  auto v = [](const FILETIME& f) { return (static_cast<ULONGLONG>(f.dwHighDateTime) << 32) | f.dwLowDateTime; };
  return v(kernel) + v(user);
}

void Standby() {
  Program program;
  auto running = program.Start();
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, running->pid());
  Require(process != nullptr, "cannot open zapotrix.exe's process");
  ULONGLONG before = CpuTime100ns(process);
  Sleep(60000);  // the span measured
  ULONGLONG after = CpuTime100ns(process);
  CloseHandle(process);
  std::printf("standby: zapotrix.exe CPU time up to the end of start-up %.1f ms; over 60 s of standby %.1f ms\n",
              before / 1e4, (after - before) / 1e4);
}

}  // namespace
}  // namespace zt::test

int main(int argc, char** argv) {
  using namespace zt::test;
  const std::map<std::string, std::function<void()>> measures = {
      {"cycle", CycleTime}, {"latency", Latency}, {"visible", Visible}, {"standby", Standby}};
  std::vector<std::string> chosen(argv + 1, argv + argc);
  if (chosen.empty()) chosen = {"cycle", "latency", "visible", "standby"};
  int status = 0;
  for (const std::string& name : chosen) {
    auto m = measures.find(name);
    if (m == measures.end()) {
      std::printf("engine_timing: no measurement \"%s\" (cycle, latency, visible, standby)\n", name.c_str());
      return 2;
    }
    try {
      m->second();
    } catch (const CannotMeasure& e) {
      std::printf("engine_timing: %s: not measured: %s\n", name.c_str(), e.why.c_str());
      status = 1;
    }
    std::fflush(stdout);
  }
  return status;
}
