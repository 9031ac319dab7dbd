// The popup engine end to end under Wine: zapotrix.exe in a program folder
// of its own, settings and rules preset, browser windows played by the
// fixture program, and what the fixture's log says was closed. Also the
// real window backend against those windows.
#include <gtest/gtest.h>

#include "lang/texts.h"
#include <windows.h>

#include <algorithm>
#include <cstdio>

#include "browser_fixture.h"
#include "engine/browsers.h"
#include "engine/snapshot.h"
#include "wine_support.h"

namespace zt::test {
namespace {

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

  void ExpectEachScannerClosesWhatItsRulesMatch();

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

// Fifteen fixture windows, each judged by the program as started: the
// scanners close what their rules match, through the address bar too, and
// nothing else.
void EngineE2E::ExpectEachScannerClosesWhatItsRulesMatch() {
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
                     Window("IEFrame", "Casino - Windows Internet Explorer", 800, 600) +            // w10 ADS
                     Window("FixtureOther", "Casino - Mozilla", 640, 480) +                         // w11
                     Window("IEFrame", std::string("News") + kIE, 800, 600, "",
                            "http://news.example/ads.example.com") +                                // w12
                     Window("IEFrame", std::string("Bank") + kIE, 800, 600, "",
                            "HTTP://ADS.EXAMPLE.COM/") +                                            // w13
                     Window("IEFrame", std::string("Bonus ") + kIE, 800, 600);                      // w14 WCS
  BrowserFixture fx(dir.path(), spec);
  ASSERT_TRUE(fx.Ready());
  for (const char* closed : {"w0", "w1", "w2", "w3", "w4", "w7", "w10", "w14"})
    EXPECT_TRUE(fx.WaitFor(closed, "WM_CLOSE", 10000));
  // Every cycle scans every window: the others stay untouched through
  // several more cycles (250 ms each in fast mode).
  EXPECT_TRUE(fx.NoneGets({"w5", "w6", "w8", "w9", "w11", "w12", "w13"}, "WM_CLOSE", 1500));
}

TEST_F(EngineE2E, EachScannerClosesWhatItsRulesMatchAndNothingElse) {
  ExpectEachScannerClosesWhatItsRulesMatch();
}

// The program as Windows 98 runs it (Wine's version mode for zapotrix.exe
// alone; the fixtures and this test stay in XP mode). Wine still answers
// the wide-character functions there, so what this shows is the Windows 98
// behaviour of the program itself: its address reading, its hosts file;
// that it calls no wide-character function is the import table test's.
class EngineWin98E2E : public EngineE2E {
 protected:
  void SetUp() override {
    EngineE2E::SetUp();
    ASSERT_TRUE(reg.CreateKey(HKey::CurrentUser, kAppDefaults));
    ASSERT_TRUE(reg.SetString(HKey::CurrentUser, kAppDefaults, "Version", "win98"));
    RemoveHostsFiles();
  }
  void TearDown() override {
    reg.DeleteKey(HKey::CurrentUser, kAppDefaults);
    RemoveHostsFiles();
    EngineE2E::TearDown();
  }
  static std::string WindowsFile(const char* name) {
    char dir[MAX_PATH] = {};
    GetWindowsDirectoryA(dir, MAX_PATH);
    return std::string(dir) + "\\" + name;
  }
  static void RemoveHostsFiles() {
    for (const char* name : {"HOSTS", "hosts.sam"}) DeleteFileA(WindowsFile(name).c_str());
  }
  static constexpr const char* kAppDefaults = "Software\\Wine\\AppDefaults\\zapotrix.exe";
};

TEST_F(EngineWin98E2E, EachScannerClosesWhatItsRulesMatchAsInXpMode) {
  ExpectEachScannerClosesWhatItsRulesMatch();
}

TEST_F(EngineWin98E2E, HostsBlockingWritesHostsInTheWindowsFolder) {
  settings.hosts = settings.hosts_onstartup = true;
  WriteBytes(dir.path() + "\\config\\zapotrix_hosts.dat", "ads.example.com\r\ntrack.example.net\r\n");
  auto program = Start(kRules);
  std::string hosts = WindowsFile("HOSTS");
  ASSERT_TRUE(WaitUntil([&] { return ReadBytes(hosts).find("track.example.net") != std::string::npos; }, 10000))
      << "HOSTS: " << ReadBytes(hosts);
  EXPECT_EQ("\r\n\r\n127.0.0.1  localhost\r\n127.0.0.1  ads.example.com\r\n127.0.0.1  track.example.net\r\n",
            ReadBytes(hosts));
  // Windows 98 had no HOSTS: its backup is empty, and marked as one of HOSTS.
  EXPECT_TRUE(FileExists(dir.path() + "\\hosts_org.bak"));
  EXPECT_EQ("", ReadBytes(dir.path() + "\\hosts_org.bak"));
  EXPECT_EQ(hosts + "\r\n", ReadBytes(dir.path() + "\\hosts_org.txt"));
  EXPECT_FALSE(FileExists(WindowsFile("hosts.sam")));
}

// Expects WM_CLOSE for each window of closed and none for the others of
// the fixture's names w0 ... w<count - 1>, through a few more cycles.
void ExpectClosedExactly(const BrowserFixture& fx, const std::vector<bool>& closed, const std::string& spec) {
  for (size_t i = 0; i < closed.size(); ++i)
    if (closed[i]) EXPECT_TRUE(fx.WaitFor("w" + std::to_string(i), "WM_CLOSE", 10000)) << spec;
  Sleep(1000);
  for (size_t i = 0; i < closed.size(); ++i)
    if (!closed[i]) EXPECT_EQ(0, fx.Count("w" + std::to_string(i), "WM_CLOSE")) << "w" << i << " in\n" << spec;
}

// A popup of every row of the recognition table is closed by its keyword,
// its caption and its size; a page of the same browser beside it stays.
TEST_F(EngineE2E, EveryRecognisedBrowserIsClosedByKeywordCaptionAndSize) {
  auto program = Start(kRules);
  const struct {
    const char* title;
    int width, height;
  } popups[] = {{"Online Casino", 800, 600}, {"Gewinnspiel", 800, 600}, {"Sized", 640, 480}};
  for (const auto& p : popups) {
    SCOPED_TRACE(p.title);
    std::string spec;
    std::vector<bool> closed;
    for (const RecognitionRow& row : RecognitionRows()) {
      spec += Window(row.className, p.title + BrowserSuffix(row.kind), p.width, p.height);
      spec += Window(row.className, "News" + BrowserSuffix(row.kind), 800, 600);
      closed.insert(closed.end(), {true, false});
    }
    BrowserFixture fx(dir.path(), spec);
    ASSERT_TRUE(fx.Ready());
    ExpectClosedExactly(fx, closed, spec);
  }
}

// Internet Explorer 7 and 8 are closed by their address as read through
// their address bars; Firefox has no address that is read.
TEST_F(EngineE2E, InternetExplorer7And8AreClosedByTheAddressInTheirBars) {
  auto program = Start(kRules);
  const std::string ie7 = " - Windows Internet Explorer";
  std::string spec = Window("IEFrame", "Page" + ie7, 800, 600, "ie8bar", "http://ads.example.com/pop") +  // w0
                     Window("IEFrame", "Page" + ie7, 800, 600, "ie7bar", "http://ads.example.com/pop") +  // w1
                     Window("IEFrame", "News" + ie7, 800, 600, "ie8bar", "http://news.example/") +        // w2
                     Window("IEFrame", "News" + ie7, 800, 600, "ie7bar", "http://news.example/") +        // w3
                     Window("MozillaWindowClass", "Page - Mozilla Firefox", 800, 600, "ie8bar",
                            "http://ads.example.com/pop");                                                // w4
  BrowserFixture fx(dir.path(), spec);
  ASSERT_TRUE(fx.Ready());
  ExpectClosedExactly(fx, {true, true, false, false, false}, spec);
}

// Captions as Unicode browsers set them, in UTF-8 for the fixture: an em or
// en dash before the browser's name, a dash the code page has not got
// (U+2015), letters outside the code page. The fixture reads its window list as UTF-8.
const char kWideCaptions[] =
    u8"window\tMozillaWindowClass\tGewinnspiel \u2014 Mozilla Firefox\t800\t600\twide\t\r\n"       // w0
    u8"window\tMozillaWindowClass\tGewinnspiel \u2013 Pale Moon\t800\t600\twide\t\r\n"             // w1
    u8"window\tChrome_WidgetWin_1\tGewinnspiel \u2015 Google Chrome\t800\t600\twide\t\r\n"         // w2
    u8"window\tOperaWindowClass\t\u039a\u03b1\u03b6\u03af\u03bd\u03bf casino - Opera\t800\t600\twide\t\r\n"  // w3
    u8"window\tMozillaWindowClass\tNews \u2014 Mozilla Firefox\t800\t600\twide\t\r\n";             // w4

// On the NT family the program reads those captions in Unicode: the rules
// match them as the user reads them.
TEST_F(EngineE2E, UnicodeCaptionsWithDashesAreRecognisedAndMatched) {
  auto program = Start(kRules);
  BrowserFixture fx(dir.path(), kWideCaptions);
  ASSERT_TRUE(fx.Ready());
  ExpectClosedExactly(fx, {true, true, true, true, false}, kWideCaptions);
}

// What the real backend reads of them, in the code page (Windows-1252 here).
TEST(Win32DesktopE2E, UnicodeCaptionsAreReadInTheCodePage) {
  ASSERT_EQ(1252u, GetACP());
  TempDir dir;
  BrowserFixture fx(dir.path(), kWideCaptions);
  ASSERT_TRUE(fx.Ready());
  Win32Desktop desk;
  desk.ReadCaptionsInUnicode(true);
  std::vector<std::string> captions;
  desk.EnumTopLevel([&](WindowHandle w) {
    DWORD pid = 0;
    GetWindowThreadProcessId(reinterpret_cast<HWND>(w), &pid);
    if (pid == fx.pid() && desk.IsVisible(w)) captions.push_back(desk.Caption(w, 255));
    return true;
  });
  std::sort(captions.begin(), captions.end());
  EXPECT_EQ((std::vector<std::string>{"?????? casino - Opera", "Gewinnspiel - Google Chrome",
                                      "Gewinnspiel \x96 Pale Moon", "Gewinnspiel \x97 Mozilla Firefox",
                                      "News \x97 Mozilla Firefox"}),
            captions);
  // Cut to the buffer as the ANSI call cuts.
  desk.EnumTopLevel([&](WindowHandle w) {
    DWORD pid = 0;
    GetWindowThreadProcessId(reinterpret_cast<HWND>(w), &pid);
    if (pid == fx.pid() && desk.ClassName(w, 255) == "Chrome_WidgetWin_1") {
      EXPECT_EQ("Gewinn", desk.Caption(w, 7));
    }
    return true;
  });
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
  // A key pressed by keybd_event is held in Wine's key state, not in the X
  // server's. When a window appears under the mouse pointer, Wine's X
  // driver takes Ctrl, Shift and Alt from the X server again and so lets go
  // of this Ctrl: the popup would race that release (it lost it now and
  // then). Windows has no second key state to reconcile with; here the
  // pointer goes to a corner that no window of the fixture reaches.
  ASSERT_TRUE(SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1));
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

}  // namespace
}  // namespace zt::test

// Instant mode: the program's main window in this process on the real
// window backend (registry, files and the rest are stand-ins), against the
// fixture's windows.
namespace zt::test {
namespace {

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

}  // namespace
}  // namespace zt::test
