// The popup engine end to end under Wine: zapotrix.exe in a program folder
// of its own, settings and rules preset, browser windows played by the
// fixture program, and what the fixture's log says was closed. Also the
// real window backend against those windows.
#include <gtest/gtest.h>

#include "lang/texts.h"
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <sstream>

#include "app/zapotrix_main.h"
#include "engine/snapshot.h"
#include "gui_objects.h"
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
namespace {

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

std::string Window(const std::string& cls, const std::string& caption, int w, int h, const std::string& options = "",
                   const std::string& address = "") {
  return "window\t" + cls + "\t" + caption + "\t" + std::to_string(w) + "\t" + std::to_string(h) + "\t" + options +
         "\t" + address + "\r\n";
}

const char kIE[] = " - Microsoft Internet Explorer";

// The visible time of each popup s0, s1, ... of a fixture's series, from
// its showing to its first WM_CLOSE, in microseconds and in the order they
// opened; -1 for one that was never closed.
std::vector<long long> SeriesVisibleTimes(const BrowserFixture& fx, int popups) {
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
TimeFigures Figures(std::vector<long long> us) {
  std::sort(us.begin(), us.end());
  size_t n = us.size();
  return {(us[(n - 1) / 2] + us[n / 2]) / 2000.0, us.back() / 1000.0, us.front() / 1000.0};
}

class EngineE2E : public ::testing::Test {
 protected:
  void SetUp() override {
    reg.DeleteKey(HKey::CurrentUser, kSettingsKey);
    LayOutProgram(dir.path());
    exe = dir.path() + "\\zapotrix.exe";
    SetDefaults(settings);
    settings.AutoStart = false;
    settings.Internet_Explorer = settings.Mozilla = settings.Firefox = true;
  }
  void TearDown() override { reg.DeleteKey(HKey::CurrentUser, kSettingsKey); }

  // Writes the settings and the rule database, then starts the program.
  std::unique_ptr<ProgramProcess> Start(const std::string& mainDb) {
    RegIniSave(reg, settings);
    WriteBytes(dir.path() + "\\config\\zapotrix_mainDB.ini", mainDb);
    auto p = std::make_unique<ProgramProcess>(exe);
    EXPECT_NE(nullptr, p->WaitForMainWindow());
    return p;
  }

  Win32Registry reg;
  TempDir dir;
  std::string exe;
  Settings settings;
};

const char kRules[] =
    "[ADS]\r\n1=casino\r\n2=für\r\n"
    "[URL]\r\n1=http://ads.example.com\r\n"
    "[WCS]\r\n1=\"Bonus \"\r\n2=Gewinnspiel\r\n"
    "[WDS]\r\n1=640\r\n2=480\r\n";

TEST_F(EngineE2E, EachScannerClosesWhatItsRulesMatchAndNothingElse) {
  auto program = Start(kRules);
  std::string spec = Window("IEFrame", std::string("Online Casino") + kIE, 800, 600) +              // w0 ADS
                     Window("IEFrame", std::string("Page") + kIE, 800, 600, "",
                            "http://ads.example.com/banner/1") +                                    // w1 URL
                     Window("MozillaWindowClass", "gewinnspiel - Mozilla", 800, 600) +              // w2 WCS
                     Window("MozillaUIWindowClass", "Sized - Mozilla Firefox", 640, 480) +          // w3 WDS
                     Window("IEFrame", std::string("Small") + kIE, 320, 700) +                      // w4 MinSize
                     Window("IEFrame", std::string("Bonus") + kIE, 800, 600) +                      // w5 blank rule
                     Window("IEFrame", std::string("Angebote FÜR Sie") + kIE, 800, 600) +           // w6 umlaut
                     Window("IEFrame", std::string("Tiny casino") + kIE, 200, 100, "minimized") +   // w7 ADS
                     Window("IEFrame", std::string("Tiny") + kIE, 200, 100, "minimized") +          // w8
                     Window("IEFrame", std::string("Casino hidden") + kIE, 800, 600, "hidden") +    // w9
                     Window("IEFrame", "Casino - Windows Internet Explorer", 800, 600) +            // w10
                     Window("FixtureOther", "Casino - Mozilla", 640, 480) +                         // w11
                     Window("IEFrame", std::string("News") + kIE, 800, 600, "",
                            "http://news.example/ads.example.com") +                                // w12
                     Window("IEFrame", std::string("Bank") + kIE, 800, 600, "",
                            "HTTP://ADS.EXAMPLE.COM/") +                                            // w13
                     Window("IEFrame", std::string("Bonus ") + kIE, 800, 600);                      // w14 WCS
  BrowserFixture fx(dir.path(), spec);
  ASSERT_TRUE(fx.Ready());
  for (const char* closed : {"w0", "w1", "w2", "w3", "w4", "w7", "w14"})
    EXPECT_TRUE(fx.WaitFor(closed, "WM_CLOSE", 10000));
  // Every cycle scans every window: the others stay untouched through
  // several more cycles (250 ms each in fast mode).
  EXPECT_TRUE(fx.NoneGets({"w5", "w6", "w8", "w9", "w10", "w11", "w12", "w13"}, "WM_CLOSE", 1500));
}

TEST_F(EngineE2E, PausedTakesTheSnapshotButClosesNothing) {
  const WPARAM kPauseCommand = 2001;  // Action_zapotrixhalten (Ctrl+S)
  settings.FlashAX = true;
  auto program = Start(kRules);
  HWND main = program->WaitForMainWindow();
  HWND status = WaitForStatusBar(main);
  ASSERT_TRUE(WaitForPanel(status, 6, " Standby"));
  PostMessageA(main, WM_COMMAND, kPauseCommand, 0);
  // The main window is hidden, so the label's own style tells whether it shows.
  HWND label = nullptr;
  auto shown = [&] { return (GetWindowLongA(label, GWL_STYLE) & WS_VISIBLE) != 0; };
  ASSERT_TRUE(WaitUntil([&] { return (label = FindWindowExA(main, nullptr, "Static", TextsFor(false).msg.pausedLabel)) && shown(); },
                        5000));
  BrowserFixture fx(dir.path(), Window("IEFrame", std::string("Online Casino") + kIE, 640, 480, "flash"));
  ASSERT_TRUE(fx.Ready());
  // The snapshot sees the browser window...
  EXPECT_TRUE(WaitForPanel(status, 6, " Active"));
  // ...and several cycles (250 ms each) close neither it nor its Flash control.
  EXPECT_TRUE(fx.NoneGets({"w0"}, "WM_CLOSE", 1500));
  EXPECT_EQ(0, fx.Count("w0.flash", "flash WM_CLOSE"));

  PostMessageA(main, WM_COMMAND, kPauseCommand, 0);  // continue blocking
  EXPECT_TRUE(fx.WaitFor("w0", "WM_CLOSE", 10000));
  EXPECT_FALSE(shown());
}

TEST_F(EngineE2E, BrowserKindSwitchedOffIsNeitherScannedNorClosed) {
  settings.Mozilla = false;
  settings.Firefox = false;
  auto program = Start(kRules);
  HWND status = WaitForStatusBar(program->WaitForMainWindow());
  BrowserFixture fx(dir.path(), Window("MozillaWindowClass", "Casino - Mozilla", 800, 600) +
                                    Window("MozillaUIWindowClass", "Casino - Mozilla Firefox", 800, 600) +
                                    Window("IEFrame", std::string("Casino") + kIE, 800, 600));
  ASSERT_TRUE(fx.Ready());
  EXPECT_TRUE(fx.WaitFor("w2", "WM_CLOSE", 10000));
  // The cycle that closed w2 showed " Active". Once w2 is gone the program
  // goes back to standby although both Mozilla windows are still open: they
  // are not in its snapshot at all.
  EXPECT_TRUE(WaitForPanel(status, 6, " Standby"));
  EXPECT_EQ(0, fx.Count("w0", "WM_CLOSE"));
  EXPECT_EQ(0, fx.Count("w1", "WM_CLOSE"));
}

TEST_F(EngineE2E, WindowThatIgnoresTheCloseIsClosedOncePerCycleAgainAndAgain) {
  // w0 is matched by the size list and by a keyword, yet closed once per
  // cycle. An Internet Explorer window gets WM_NCDESTROY after each WM_CLOSE
  // it survived; other browsers get WM_CLOSE only.
  auto program = Start(kRules);
  BrowserFixture fx(dir.path(), Window("IEFrame", std::string("Casino") + kIE, 640, 480, "noclose") +
                                    Window("MozillaWindowClass", "Casino - Mozilla", 800, 600, "noclose"));
  ASSERT_TRUE(fx.Ready());
  ASSERT_TRUE(fx.WaitFor("w0", "WM_CLOSE", 10000, 6));
  ASSERT_TRUE(fx.WaitFor("w1", "WM_CLOSE", 10000, 3));
  // Two closings in one cycle reach the fixture back to back; a cycle apart
  // they are 250 ms apart. One short gap is allowed for a stall of the
  // fixture, which then handles two cycles' messages at once.
  std::vector<long long> closes;
  for (const LogLine& l : fx.Log())
    if (l.name == "w0" && l.event == "WM_CLOSE") closes.push_back(l.us);
  int backToBack = 0;
  for (size_t i = 1; i < closes.size(); ++i) backToBack += closes[i] - closes[i - 1] < 50000;
  EXPECT_LE(backToBack, 1) << "of " << closes.size() - 1 << " gaps between closings";
  EXPECT_GE(fx.Count("w0", "WM_NCDESTROY"), 3);
  EXPECT_EQ(0, fx.Count("w1", "WM_NCDESTROY"));
}

TEST_F(EngineE2E, FlashControlsInsideBrowserWindowsAreClosed) {
  settings.FlashAX = true;
  auto program = Start("");
  BrowserFixture fx(dir.path(), Window("IEFrame", std::string("Video") + kIE, 800, 600, "flash") +
                                    Window("FixtureOther", "Not a browser", 800, 600, "flash"));
  ASSERT_TRUE(fx.Ready());
  EXPECT_TRUE(fx.WaitFor("w0.flash", "flash WM_CLOSE", 10000));
  // More cycles pass: the browser window itself and the Flash control of
  // the other program stay.
  EXPECT_TRUE(fx.NoneGets({"w0"}, "WM_CLOSE", 1000));
  EXPECT_EQ(0, fx.Count("w1.flash", "flash WM_CLOSE"));
}

TEST_F(EngineE2E, NotepadStaysInStandbyAndIsClosedOnceABrowserIsOpen) {
  settings.Notepad = true;
  auto program = Start("");
  HWND status = WaitForStatusBar(program->WaitForMainWindow());
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION notepad = {};
  char cmd[] = "notepad.exe";
  ASSERT_TRUE(CreateProcessA(nullptr, cmd, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &notepad));
  ASSERT_NE(nullptr, WaitForProcessWindow(notepad.dwProcessId, "Notepad", nullptr, 15000));
  EXPECT_TRUE(WaitForPanel(status, 6, " Standby"));
  // Two standby periods without a browser, on purpose: Notepad stays.
  EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), WaitForSingleObject(notepad.hProcess, 2 * kStandbyInterval + 500));
  {
    BrowserFixture fx(dir.path(), Window("MozillaWindowClass", "Plain - Mozilla", 800, 600));
    ASSERT_TRUE(fx.Ready());
    EXPECT_EQ(static_cast<DWORD>(WAIT_OBJECT_0), WaitForSingleObject(notepad.hProcess, 10000)) << "Notepad still runs";
    EXPECT_EQ(0, fx.Count("w0", "WM_CLOSE"));
  }
  if (WaitForSingleObject(notepad.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(notepad.hProcess, 0);
  CloseHandle(notepad.hProcess);
  CloseHandle(notepad.hThread);
}

TEST_F(EngineE2E, HungAddressBarCostsOnlyTheBoundedWait) {
#ifdef _WIN64
  // In the whole suite under the 64-bit Wine the fixture's popup series
  // now and then never ends (alone it always passes); the bound itself is
  // tested natively and measured by RealBackendE2E.CycleTime...
  GTEST_SKIP() << "intermittent under the 64-bit Wine in the full suite";
#endif
  auto program = Start(kRules);
  BrowserFixture fx(dir.path(), Window("IEFrame", std::string("Frozen") + kIE, 800, 600, "hungbar",
                                       "http://frozen.example/") +
                                    "series\t5\t100\tIEFrame\tCasino" + kIE + "\t800\t600\t400\r\n");
  ASSERT_TRUE(fx.Ready());
  ASSERT_TRUE(fx.WaitFor("series", "done", 30000));
  std::vector<LogLine> log = fx.Log();
  std::vector<long long> latency;
  for (int i = 0; i < 5; ++i) {
    std::string name = "s" + std::to_string(i);
    long long open = -1;
    for (const LogLine& l : log) {
      if (l.name == name && l.event == "open") open = l.us;
      if (l.name == name && l.event == "WM_CLOSE" && open >= 0) {
        latency.push_back(l.us - open);
        break;
      }
    }
  }
  ASSERT_EQ(5u, latency.size());
  std::string figures;
  for (long long us : latency) figures += std::to_string(us / 1000) + " ";
  RecordProperty("latency_ms_with_hung_address_bar", figures);
  printf("popup-to-WM_CLOSE with a hung address bar (ms): %s\n", figures.c_str());
  // A popup waits at most one timer interval for its cycle (the first one
  // the standby interval: no browser window was open before it), and the
  // cycle spends at most the address budget before it closes the popup.
  // The margin is generous: this guards the bound (an unbounded or much
  // longer wait), it does not time the program.
  for (size_t i = 0; i < latency.size(); ++i) {
    const long long boundMs = (i == 0 ? kStandbyInterval : kFastInterval) + kAddressBudgetMs + 1500;
    EXPECT_LT(latency[i] / 1000, boundMs) << "popup s" << i << " waited " << latency[i] / 1000 << " ms";
  }
  // The program itself still answers.
  DWORD_PTR answer = 0;
  EXPECT_TRUE(SendMessageTimeoutA(program->WaitForMainWindow(0), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer));
}

// The real window backend against the fixture's windows.
// The user holds Ctrl, as a real key press holds it for every program:
// a popup opening meanwhile stays open, and stays open after the key is
// let go while its caption stays; one opening afterwards is closed.
TEST_F(EngineE2E, HoldingCtrlWhileAPopupOpensLetsItThrough) {
  auto program = Start(kRules);
  HWND status = WaitForStatusBar(program->WaitForMainWindow());
  ASSERT_TRUE(WaitForPanel(status, 6, " Standby"));
  struct CtrlHeld {
    CtrlHeld() { keybd_event(VK_CONTROL, 0, 0, 0); }
    ~CtrlHeld() { Release(); }
    void Release() {
      if (held) keybd_event(VK_CONTROL, 0, KEYEVENTF_KEYUP, 0);
      held = false;
    }
    bool held = true;
  } ctrl;
  ASSERT_TRUE(WaitUntil([] { return (GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0; }, 2000));

  BrowserFixture kept(dir.path(), Window("IEFrame", std::string("Online Casino") + kIE, 800, 600));
  ASSERT_TRUE(kept.Ready());
  EXPECT_TRUE(kept.NoneGets({"w0"}, "WM_CLOSE", 1500));
  ctrl.Release();
  ASSERT_TRUE(WaitUntil([] { return (GetAsyncKeyState(VK_CONTROL) & 0x8000) == 0; }, 2000));
  EXPECT_TRUE(kept.NoneGets({"w0"}, "WM_CLOSE", 1500));

  BrowserFixture closed(dir.path(), Window("IEFrame", std::string("Casino Bonus") + kIE, 800, 600));
  ASSERT_TRUE(closed.Ready());
  EXPECT_TRUE(closed.WaitFor("w0", "WM_CLOSE", 5000));
  EXPECT_EQ(0, kept.Count("w0", "WM_CLOSE"));
}

TEST(Win32DesktopE2E, ReadsTheFixtureWindowsAsTheSnapshotNeedsThem) {
  TempDir dir;
  BrowserFixture fx(dir.path(), Window("IEFrame", std::string("Desk") + kIE, 640, 480, "flash",
                                       "http://desk.example/path/x") +
                                    Window("IEFrame", std::string("Frozen") + kIE, 700, 500, "hungbar",
                                           "http://frozen.example/") +
                                    Window("MozillaWindowClass", "Hidden - Mozilla", 300, 200, "hidden") +
                                    Window("MozillaWindowClass", "Small - Mozilla", 300, 200, "minimized"));
  ASSERT_TRUE(fx.Ready());
  ASSERT_TRUE(fx.WaitFor("w1", "open", 5000));
  Win32Desktop desk;
  std::map<std::string, WindowHandle> byCaption;
  desk.EnumTopLevel([&](WindowHandle w) {
    DWORD pid = 0;
    GetWindowThreadProcessId(reinterpret_cast<HWND>(w), &pid);
    std::string cls = desk.ClassName(w, 255);
    if (pid == fx.pid() && (cls == "IEFrame" || cls == "MozillaWindowClass")) byCaption[desk.Caption(w, 255)] = w;
    return true;
  });
  ASSERT_EQ(4u, byCaption.size());
  WindowHandle ie = byCaption[std::string("Desk") + kIE];
  EXPECT_EQ("IEFrame", desk.ClassName(ie, 255));
  EXPECT_EQ("IEFr", desk.ClassName(ie, 5));
  EXPECT_EQ("Desk - Micro", desk.Caption(ie, 13));
  EXPECT_TRUE(desk.IsVisible(ie));
  EXPECT_FALSE(desk.IsIconic(ie));
  std::optional<WindowRect> r = desk.Rect(ie);
  ASSERT_TRUE(r.has_value());
  EXPECT_EQ(640, r->Width());
  EXPECT_EQ(480, r->Height());
  EXPECT_FALSE(desk.IsVisible(byCaption["Hidden - Mozilla"]));
  EXPECT_TRUE(desk.IsVisible(byCaption["Small - Mozilla"]));
  EXPECT_TRUE(desk.IsIconic(byCaption["Small - Mozilla"]));

  // The address chain, found whatever the case of the class names.
  WindowHandle w = ie;
  for (const char* cls : {"workerw", "rebarwindow32", "comboboxex32", "ComboBox", "Edit"}) {
    w = desk.FindChild(w, cls);
    ASSERT_NE(0u, w) << cls;
  }
  EXPECT_EQ("http://desk.example/path/x", desk.ReadText(w, 200).value_or("<none>"));

  // Descendants include the Flash control.
  int flash = 0;
  desk.EnumChildren(ie, [&](WindowHandle c) {
    flash += desk.ClassName(c, 128) == "MacromediaFlashPlayerActiveX";
    return true;
  });
  EXPECT_EQ(1, flash);

  // The hung bar answers nothing, and the wait is bounded.
  WindowHandle hw = byCaption[std::string("Frozen") + kIE];
  for (const char* cls : {"WorkerW", "ReBarWindow32", "ComboBoxEx32", "ComboBox", "Edit"}) hw = desk.FindChild(hw, cls);
  ASSERT_NE(0u, hw);
  DWORD start = GetTickCount();
  EXPECT_FALSE(desk.ReadText(hw, 200).has_value());
  DWORD took = GetTickCount() - start;
  EXPECT_LT(took, 2000u);
  printf("hung address bar read took %lu ms\n", static_cast<unsigned long>(took));

  // An exception in the visitor ends the enumeration and reaches the caller.
  int visited = 0;
  EXPECT_THROW(desk.EnumTopLevel([&](WindowHandle) -> bool {
    ++visited;
    throw std::runtime_error("stop");
  }),
               std::runtime_error);
  EXPECT_EQ(1, visited);

  EXPECT_TRUE(desk.Post(ie, kWmClose, 0, 0));
  EXPECT_TRUE(fx.WaitFor("w0", "WM_CLOSE", 5000));
  EXPECT_TRUE(WaitUntil([&] { return !desk.IsWindow(ie); }, 5000));
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

// The engine in this process on the real window backend, against the
// fixture's windows: what the history records (title, address, outer size,
// scanner name, time of day) as the statistics window will show it.
TEST(RealBackendE2E, CycleClosesAndRecordsWithTheRealSizesAndTime) {
  RealBackend real;
  ZapotrixMain& main = real.main;
  AppState& app = main.state();
  SetDefaults(app.settings);
  app.settings.Mozilla = app.settings.Firefox = app.settings.FlashAX = true;
  app.rules.WDS.Add({"640", "480"});
  app.rules.ADS.Add({"casino"});
  app.rules.URL.Add({"http://ads.example.com"});
  app.rules.WCS.Add({"Gewinnspiel"});

  TempDir dir;
  BrowserFixture fx(dir.path(), Window("IEFrame", std::string("Casino") + kIE, 800, 600) +
                                    Window("MozillaUIWindowClass", "Sized - Mozilla Firefox", 640, 480) +
                                    Window("IEFrame", std::string("Small") + kIE, 300, 500) +
                                    Window("IEFrame", std::string("Page") + kIE, 800, 600, "",
                                           "http://ads.example.com/x/y") +
                                    Window("MozillaWindowClass", "Gewinnspiel - Mozilla", 800, 600) +
                                    Window("IEFrame", std::string("Video") + kIE, 800, 600, "flash") +
                                    Window("IEFrame", std::string("News") + kIE, 800, 600, "",
                                           "https://news.example/today"));
  ASSERT_TRUE(fx.Ready());
  HWND news = FindProcessWindow(fx.pid(), "IEFrame", (std::string("News") + kIE).c_str());
  ASSERT_NE(nullptr, news);
  main.Timer1Timer();
  // The active-window list holds every browser window, without suffixes.
  std::vector<std::string> shown;
  for (size_t i = 0; i < app.engine.ListView1.size(); ++i) shown.push_back(app.engine.ListView1.text(i) + "|" + app.engine.ListView1.text(i, 1));
  std::sort(shown.begin(), shown.end());
  EXPECT_EQ((std::vector<std::string>{"Casino|", "Gewinnspiel|", "News|https://news.example", "Page|http://ads.example.com",
                                      "Sized|", "Small|", "Video|"}),
            shown);
  // More cycles, each once the fixture has handled what the one before
  // posted: a closed window is gone then and is recorded only once.
  for (int cycle = 0; cycle < 5; ++cycle) {
    ASSERT_TRUE(fx.HandledAllPosted(news, "w6"));
    main.Timer1Timer();
  }
  ASSERT_TRUE(fx.HandledAllPosted(news, "w6"));

  std::vector<std::string> got;
  for (const HistoryEntry& e : app.engine.history) {
    got.push_back(e.title + "|" + e.url + "|" + e.width + "|" + e.height + "|" + e.scanner);
    EXPECT_NE(std::string::npos, e.time.find(':')) << e.time;
  }
  std::sort(got.begin(), got.end());
  EXPECT_EQ((std::vector<std::string>{
                "Casino - Microsoft Internet Explorer||||Keyword",
                "Gewinnspiel - Mozilla||||Window Caption",
                "Macromedia Flash Player||||Flashremove",
                "Page - Microsoft Internet Explorer|http://ads.example.com|||URL",
                "Sized - Mozilla Firefox||640|480|Windowsize",
                "Small - Microsoft Internet Explorer||300|500|MinSize",
            }),
            got);
  HistoryCounts c = CountHistory(app.engine.history, TextsFor(false));
  EXPECT_EQ(2, c.windowSize);
  EXPECT_EQ(6, c.total);
  EXPECT_EQ(0, fx.Count("w6", "WM_CLOSE"));
}

// Twenty Internet Explorer windows whose address bars never answer: how
// long each scan cycle blocks the user-interface thread. Figures only.
TEST(RealBackendE2E, DISABLED_CycleTimeWithTwentyHungAddressBars) {
  RealBackend real;
  ZapotrixMain& main = real.main;
  SetDefaults(main.state().settings);

  TempDir dir;
  std::string windows;
  for (int i = 0; i < 20; ++i)
    windows += Window("IEFrame", "Frozen " + std::to_string(i) + kIE, 800, 600, "hungbar", "http://frozen.example/");
  BrowserFixture fx(dir.path(), windows);
  ASSERT_TRUE(fx.Ready());
  // Within its first 5 s a hung window costs the full wait of every
  // question; after that the system answers for it at once.
  for (int cycle = 1; cycle <= 12; ++cycle) {
    DWORD start = GetTickCount();
    main.Timer1Timer();
    printf("cycle %2d: %lu ms\n", cycle, static_cast<unsigned long>(GetTickCount() - start));
    Sleep(250);
  }
}

// Fast mode, one browser window open all the time, popups one after the
// other: the time from a popup's showing to its WM_CLOSE. Figures only.
TEST_F(EngineE2E, DISABLED_PopupToCloseLatencyInFastMode) {
  auto program = Start(kRules);
  const int popups = 60;  // figures only: run with --gtest_also_run_disabled_tests
  BrowserFixture fx(dir.path(), Window("IEFrame", std::string("Home") + kIE, 800, 600, "", "http://home.example/") +
                                    "series\t" + std::to_string(popups) + "\t50\tIEFrame\tCasino" + kIE +
                                    "\t800\t600\t400\r\n");
  ASSERT_TRUE(fx.Ready());
  ASSERT_TRUE(fx.WaitFor("series", "done", 120000));
  std::vector<long long> latency = SeriesVisibleTimes(fx, popups);
  ASSERT_EQ(0, std::count(latency.begin(), latency.end(), -1));
  TimeFigures f = Figures(latency);
  RecordProperty("latency_median_ms", std::to_string(f.median));
  RecordProperty("latency_max_ms", std::to_string(f.worst));
  printf("popup-to-WM_CLOSE over %d popups: median %.1f ms, max %.1f ms, min %.1f ms\n", popups, f.median, f.worst,
         f.best);
  EXPECT_EQ(0, fx.Count("w0", "WM_CLOSE"));
}

}  // namespace
}  // namespace zt::test

namespace zt::test {
namespace {

ULONGLONG CpuTime100ns(HANDLE process) {
  FILETIME created, ended, kernel, user;
  if (!GetProcessTimes(process, &created, &ended, &kernel, &user)) return 0;
  auto v = [](const FILETIME& f) { return (static_cast<ULONGLONG>(f.dwHighDateTime) << 32) | f.dwLowDateTime; };
  return v(kernel) + v(user);
}

// CPU time of zapotrix.exe over 60 s of standby. Figures only; run with
// --gtest_also_run_disabled_tests --gtest_filter=*StandbyCpu*.
TEST_F(EngineE2E, DISABLED_StandbyCpuOverSixtySeconds) {
  auto program = Start(kRules);
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, program->pid());
  ASSERT_NE(nullptr, process);
  ASSERT_TRUE(WaitForPanel(WaitForStatusBar(program->WaitForMainWindow()), 6, " Standby"));
  ULONGLONG before = CpuTime100ns(process);
  Sleep(60000);  // the span measured
  ULONGLONG after = CpuTime100ns(process);
  CloseHandle(process);
  printf("zapotrix.exe CPU time after start-up: %.1f ms; over 60 s of standby: %.1f ms\n", before / 1e4,
         (after - before) / 1e4);
  RecordProperty("standby_cpu_ms_per_60s", std::to_string((after - before) / 1e4));
}

}  // namespace
}  // namespace zt::test

// Instant mode: the program's main window in this process on the real
// window backend (registry, files and the rest are stand-ins), against the
// fixture's windows.
namespace zt::test {
namespace {

// The stand-in system with the real clock: instant mode's watch and the
// tooltip's pace run on it.
struct RealClockSystem : SimSystem {
  uint32_t TickCount() override { return GetTickCount(); }
};

// Committed private memory of this process (Wine reports no PrivateUsage).
double PrivateMegabytes(HANDLE process) {
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

// With the scan timer stopped, only the system's announcements can bring a
// popup to the passes: every popup of the series is closed all the same,
// and recorded once.
TEST(InstantE2E, PopupsAreClosedByTheEventPathAlone) {
  InProcessProgram program("[ADS]\r\n1=casino\r\n");
  ASSERT_TRUE(program.created);
  ASSERT_TRUE(program.window->instant().running()) << "the system announces no windows";
  program.App().Timer1.SetEnabled(false);
  TempDir dir;
  BrowserFixture fx(dir.path(), Window("MozillaWindowClass", "Home - Mozilla", 800, 600) +
                                    "series\t3\t50\tIEFrame\tCasino" + kIE + "\t800\t600\r\n");
  ASSERT_TRUE(WaitUntil([&] {
    program.Pump(20);
    return fx.Count("series", "done") > 0;
  }, 20000)) << "closed " << program.App().engine.history.size() << " of 3 popups";
  std::vector<std::string> titles;
  for (const HistoryEntry& e : program.App().engine.history) titles.push_back(e.title + "|" + e.scanner);
  EXPECT_EQ(std::vector<std::string>(3, std::string("Casino") + kIE + "|Keyword"), titles);
  EXPECT_EQ(0, fx.Count("w0", "WM_CLOSE"));
  EXPECT_EQ(3ul, program.App().engine.closedSinceStart);
}

// The program runs 10,000 scan cycles back to back, with instant mode on,
// while the fixture opens popups one after the other (each closed by the
// event path or by a cycle) beside two browser windows that stay. Handles,
// GDI and USER objects and private memory after the warm-up and at the
// end. Figures only: run with --gtest_also_run_disabled_tests.
TEST(InstantE2E, DISABLED_SoakTenThousandCycles) {
  InProcessProgram program("[ADS]\r\n1=casino\r\n[WDS]\r\n1=640\r\n2=480\r\n");
  ASSERT_TRUE(program.created);
  program.App().Timer1.SetEnabled(false);  // the cycles are run below
  TempDir dir;
  BrowserFixture fx(dir.path(), Window("MozillaWindowClass", "Home - Mozilla", 800, 600) +
                                    Window("IEFrame", std::string("News") + kIE, 800, 600, "flash",
                                           "http://news.example/") +
                                    "lifetime\t3600000\r\n" + "series\t1000000\t5\tIEFrame\tCasino" + kIE +
                                    "\t640\t480\t20\r\n");
  ASSERT_TRUE(fx.Ready());
  HWND main = program.window->hwnd();
  struct Figures {
    DWORD handles;
    int gdi, user;
    double privateMb;
    size_t history;
  };
  auto measure = [&] {
    Figures f{};
    GetProcessHandleCount(GetCurrentProcess(), &f.handles);
    f.gdi = GdiObjectCount();
    f.user = UserObjectCount();
    f.privateMb = PrivateMegabytes(GetCurrentProcess());
    f.history = program.App().engine.history.size();
    return f;
  };
  const int kWarmUp = 1000, kCycles = 10000;
  Figures warm{};
  DWORD start = GetTickCount();
  for (int cycle = 1; cycle <= kCycles; ++cycle) {
    SendMessageA(main, WM_TIMER, kTimer1Id, 0);
    program.Pump(cycle % 2 ? 0 : 1);
    if (cycle == kWarmUp) warm = measure();
  }
  Figures end = measure();
  printf("soak: %d cycles in %lu s, %zu popups closed (%zu after the warm-up)\n", kCycles,
         static_cast<unsigned long>((GetTickCount() - start) / 1000), end.history, end.history - warm.history);
  printf("soak: handles %lu -> %lu, GDI objects %d -> %d, USER objects %d -> %d, private %.2f MB -> %.2f MB\n",
         static_cast<unsigned long>(warm.handles), static_cast<unsigned long>(end.handles), warm.gdi, end.gdi,
         warm.user, end.user, warm.privateMb, end.privateMb);
  // The history is kept on purpose (up to kMaxHistory entries): its own
  // growth is told apart from anything else growing.
  auto heapText = [](const std::string& t) { return t.capacity() > 15 ? t.capacity() + 1 : 0; };
  double historyBytes = 0;
  const History& history = program.App().engine.history;
  for (size_t i = warm.history; i < history.size(); ++i) {
    const HistoryEntry& e = history[i];
    historyBytes += sizeof e;
    for (const std::string* t : {&e.title, &e.url, &e.width, &e.height, &e.scanner, &e.time, &e.rule.first,
                                 &e.rule.second})
      historyBytes += heapText(*t);
  }
  printf("soak: the %zu new history entries hold at least %.2f MB; private memory grew by %.2f MB\n",
         end.history - warm.history, historyBytes / (1024 * 1024), end.privateMb - warm.privateMb);
  RecordProperty("soak_handles", std::to_string(warm.handles) + " -> " + std::to_string(end.handles));
  RecordProperty("soak_private_mb", std::to_string(warm.privateMb) + " -> " + std::to_string(end.privateMb));
  EXPECT_EQ(0, fx.Count("w0", "WM_CLOSE"));
}

// Popup visible time, from its showing to its WM_CLOSE, of zapotrix.exe in
// fast mode: once with instant mode, once polling only (as on a system
// without window announcements), in the same run. Figures only.
TEST_F(EngineE2E, DISABLED_PopupVisibleTimeInstantVersusPolling) {
  const int popups = 60;
  for (bool polling : {false, true}) {
    SetEnvironmentVariableA(kPollingOnlyVariable, polling ? "1" : nullptr);
    auto program = Start(kRules);
    SetEnvironmentVariableA(kPollingOnlyVariable, nullptr);
    // Measured in the running program, as a user meets it: start-up has
    // ended (the window events are subscribed to at its end) and a browser
    // is open, so the cycle runs at its active pace rather than in standby.
    HWND status = WaitForStatusBar(program->WaitForMainWindow());
    ASSERT_TRUE(WaitForPanel(status, 6, " Standby"));
    BrowserFixture home(dir.path(), Window("IEFrame", std::string("Home") + kIE, 800, 600, "", "http://home.example/"));
    ASSERT_TRUE(home.Ready());
    ASSERT_TRUE(WaitForPanel(status, 6, " Active"));
    BrowserFixture fx(dir.path(), "series\t" + std::to_string(popups) + "\t50\tIEFrame\tCasino" + kIE +
                                      "\t800\t600\t400\r\n");
    ASSERT_TRUE(fx.Ready());
    ASSERT_TRUE(fx.WaitFor("series", "done", 120000));
    std::vector<long long> latency = SeriesVisibleTimes(fx, popups);
    ASSERT_EQ(0, std::count(latency.begin(), latency.end(), -1));
    for (int i = 0; i < popups && !polling; ++i)
      if (latency[static_cast<size_t>(i)] > 50000) printf("  over 50 ms: s%d, %.1f ms\n", i, latency[static_cast<size_t>(i)] / 1000.0);
    TimeFigures f = Figures(latency);
    const char* mode = polling ? "polling" : "instant";
    printf("%s: popup visible time over %d popups: median %.1f ms, worst %.1f ms, best %.1f ms\n", mode, popups,
           f.median, f.worst, f.best);
    RecordProperty(std::string(mode) + "_median_ms", std::to_string(f.median));
    RecordProperty(std::string(mode) + "_worst_ms", std::to_string(f.worst));
    EXPECT_EQ(0, home.Count("w0", "WM_CLOSE"));
  }
}

}  // namespace
}  // namespace zt::test
