// The updater window TDBUpdater in-process under Wine, with the real
// downloader and worker thread against the test's HTTP server on
// 127.0.0.1: the controls and buttons after success, error pages, an
// unsigned database, a refused connection and a cancelled trickle; the rule
// lists afterwards; and the opening through the main window's menu command.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstdio>

#include "app/app_state.h"
#include "http_test_server.h"
#include "platform/sim/sim_desktop.h"
#include "platform/sim/sim_registry.h"
#include "platform/sim/sim_services.h"
#include "platform/sim/sim_shell.h"
#include "platform/sim/sim_timer.h"
#include "platform/win32/win32_download.h"
#include "platform/win32/win32_system.h"
#include "platform/win32/win32_worker.h"
#include "recording_view.h"
#include "sim_world.h"
#include "ui/db_updater.h"
#include "ui/main_window.h"
#include "ui/resource.h"
#include "updater_cases.h"
#include "wine_support.h"

namespace zt::test {
namespace {

constexpr DWORD kRunLimitMs = 30000;
constexpr int kCheckBoxes[] = {IDC_CHECKBOXUPWDS, IDC_CHECKBOXUPURL, IDC_CHECKBOXUPADS, IDC_CHECKBOXUPWCS,
                               IDC_CHECKBOXUPCLEAR};

class QuietSystem : public Win32System {
 public:
  int MessageBox(const std::string& text, const std::string&, unsigned) override {
    boxes.push_back(text);
    return IDOK;
  }
  Strings boxes;
};

void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

std::string Text(HWND w) {
  char text[256] = {};
  GetWindowTextA(w, text, sizeof text);
  return text;
}

class UpdaterWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(CreateDirectoryA((dir.path() + "\\config").c_str(), nullptr));
    app.paths.ProgramDir = dir.path() + "\\";
    app.paths.NewMainDBFile = dir.path() + "\\config\\zapotrix_mainDB_new.ini";
    SetEnvironmentVariableA(kUpdateBaseVariable, server.base().c_str());
    SeedLists(app.rules);
    TrustTestKey(registry);
  }
  void TearDown() override {
    window.reset();
    worker.Wait(kRunLimitMs);
    SetEnvironmentVariableA(kUpdateBaseVariable, nullptr);
  }

  void Open() {
    window = std::make_unique<DBUpdater>(app, nullptr);
    ASSERT_TRUE(window->Create());
    window->Show();
  }
  HWND Item(int id) { return GetDlgItem(window->hwnd(), id); }
  void Click(int id) { SendMessageA(Item(id), BM_CLICK, 0, 0); }
  // The window's own timer takes the run to its end.
  void PumpUntilEnded() {
    DWORD start = GetTickCount();
    while (window->run().Running() && GetTickCount() - start < kRunLimitMs) {
      Pump();
      Sleep(10);
    }
    ASSERT_FALSE(window->run().Running());
    Pump();
  }
  Strings Lines() {
    Strings lines;
    HWND list = Item(IDC_UPD_LISTBOX1);
    for (LRESULT i = 0, n = SendMessageA(list, LB_GETCOUNT, 0, 0); i < n; ++i) {
      char text[256] = {};
      SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
      lines.push_back(text);
    }
    return lines;
  }
  // Caption and state of a button, as "Finish on" / "Close off".
  std::string Button(int id) { return Text(Item(id)) + (IsWindowEnabled(Item(id)) ? " on" : " off"); }
  bool Shown(int id) { return IsWindowVisible(Item(id)) != FALSE; }
  int Progress() { return static_cast<int>(SendMessageA(Item(IDC_PROGRESSCHECK), PBM_GETPOS, 0, 0)); }
  void Publish(const std::string& body, int status = 200, const std::string& type = "text/plain") {
    HttpReply r;
    r.status = status;
    r.body = body;
    r.contentType = type;
    server.Serve(kUpdatePath, r);
  }

  HttpTestServer server;
  TempDir dir;
  QuietSystem files;
  SimRegistry registry;
  SimDesktop desktop;
  Win32Downloader downloader;
  Win32Worker worker;
  SimServiceManager services;
  SimShell shell;
  Platform os{registry, files, desktop, downloader, worker, services, shell};
  RecordingView mainView;
  SimTimer timer1, timer2;
  AppState app{os, mainView, timer1, timer2};
  std::unique_ptr<DBUpdater> window;
};

TEST_F(UpdaterWindow, OpensWithTheChoicesAllCheckedInItsLanguage) {
  struct Case {
    bool german;
    const char* caption;
    const char* next;
    const char* cancel;
    const char* wds;
  };
  for (const Case& c : {Case{false, "Database Updater", "Next", "Cancel", "Window Size Scanner"},
                        Case{true, "Datenbank Updater", "Weiter", "Abbrechen", "Fenstergrößen-Scanner"}}) {
    SCOPED_TRACE(c.caption);
    app.flags.IsGerman = c.german;
    Open();
    EXPECT_EQ(c.caption, Text(window->hwnd()));
    EXPECT_EQ(" Datenbank aktualisieren ", Text(Item(IDC_UPD_GROUPBOX1)));
    EXPECT_EQ(c.wds, Text(Item(IDC_CHECKBOXUPWDS)));
    EXPECT_EQ(std::string(c.next) + " on", Button(IDC_BTUPDATE));
    EXPECT_EQ(std::string(c.cancel) + " on", Button(IDC_BTCLOSE));
    EXPECT_TRUE(Shown(IDC_UPD_GROUPBOX1));
    EXPECT_FALSE(Shown(IDC_UPD_PANEL1));
    EXPECT_FALSE(Shown(IDC_UPD_LISTBOX1));
    for (int box : kCheckBoxes) {
      EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(window->hwnd(), box)) << box;
      Click(box);  // unchecked now: the next opening checks it again
    }
    window.reset();
  }
}

// What the server does and how the window ends.
struct RunCase {
  const char* name;
  int status;  // 0: nobody listens on the port
  std::string body;
  std::string signature;  // served beside the database when not empty
  Strings lines;
  const char* update;
  const char* close;
  bool merged;
};

const Strings kSuccessLines = {"Connecting to server ...", "", "Connection etablished ...", "Receiving new data ...",
                               "done..."};
const Strings kFailureLines = {"Connecting to server ...", "", "Error on update"};

class UpdaterWindowRun : public UpdaterWindow, public ::testing::WithParamInterface<RunCase> {};

TEST_P(UpdaterWindowRun, EndsWithItsButtonsAndLists) {
  const RunCase& k = GetParam();
  if (k.status) Publish(k.body, k.status, k.status == 200 ? "text/plain" : "text/html");
  if (!k.signature.empty()) {
    HttpReply sig;
    sig.body = k.signature;
    server.Serve(std::string(kUpdatePath) + kSignatureSuffix, sig);
  }
  if (!k.status) SetEnvironmentVariableA(kUpdateBaseVariable, ("http://127.0.0.1:" + std::to_string(HttpTestServer::UnusedPort())).c_str());
  Open();
  Click(IDC_BTUPDATE);
  EXPECT_TRUE(Shown(IDC_UPD_PANEL1));
  EXPECT_TRUE(Shown(IDC_UPD_LISTBOX1));
  EXPECT_TRUE(Shown(IDC_PROGRESSCHECK));
  EXPECT_FALSE(Shown(IDC_CHECKBOXUPWDS));
  PumpUntilEnded();

  EXPECT_EQ(k.lines, Lines());
  EXPECT_EQ(kProgressEnd, Progress());
  EXPECT_EQ(k.update, Button(IDC_BTUPDATE));
  EXPECT_EQ(k.close, Button(IDC_BTCLOSE));
  if (k.merged) {
    ExpectMergedPublished(app.rules, UpdateChoices{});
  } else {
    EXPECT_EQ((Strings{"Casino", "Gewinn"}), Firsts(app.rules.WCS));
    EXPECT_EQ((Strings{"120x600", "300x250"}), Sizes(app.rules.WDS));
  }
  EXPECT_TRUE(files.boxes.empty());

  // The user leaves with the one enabled button.
  Click(k.merged ? IDC_BTUPDATE : IDC_BTCLOSE);
  EXPECT_TRUE(window->closed());
}

INSTANTIATE_TEST_SUITE_P(
    Server, UpdaterWindowRun,
    ::testing::Values(RunCase{"Success", 200, SigningFile("published.ini"), SigningFile("published.ini.minisig"),
                              kSuccessLines, "Finish on", "Close off", true},
                      RunCase{"NotFoundPage", 404, "<html><body><h1>404 Not Found</h1></body></html>\n", "",
                              kFailureLines, "Finish off", "Close on", false},
                      RunCase{"Unsigned", 200, SigningFile("published.ini"), "",
                              Strings{"Connecting to server ...", "", "Error on update",
                                      "The database has no signature."},
                              "Finish off", "Close on", false},
                      RunCase{"RefusedConnection", 0, "", "", kFailureLines, "Finish off", "Close on", false}),
    [](const ::testing::TestParamInfo<RunCase>& i) { return std::string(i.param.name); });

TEST_F(UpdaterWindow, SlowServerLeavesTheWindowAnsweringAndCancelMergesNothing) {
  HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HttpReply r;
  r.body = std::string(64 * 1024, 'a');  // 16 bytes every 20 ms: about 80 s
  r.hold = release;
  r.chunkDelayMs = 20;
  server.Serve(kUpdatePath, r);
  Open();
  Click(IDC_BTUPDATE);
  // The click has returned while the server still holds its answer.
  EXPECT_TRUE(window->run().Running());
  EXPECT_EQ("Next off", Button(IDC_BTUPDATE));
  EXPECT_EQ("Cancel on", Button(IDC_BTCLOSE));
  // The window paints and answers meanwhile; a second "Next" starts nothing.
  InvalidateRect(window->hwnd(), nullptr, TRUE);
  EXPECT_TRUE(UpdateWindow(window->hwnd()));
  SendMessageA(window->hwnd(), WM_COMMAND, MAKEWPARAM(IDC_BTUPDATE, BN_CLICKED), 0);
  SetEvent(release);  // the server trickles its answer now
  DWORD start = GetTickCount();
  while (GetTickCount() - start < 500) Pump();

  // From the click on "Cancel" until the window has answered it (closed)
  // and answers the next message.
  LARGE_INTEGER f, t0, t1;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&t0);
  Click(IDC_BTCLOSE);
  DWORD_PTR answer = 0;
  SendMessageTimeoutA(window->hwnd(), WM_NULL, 0, 0, SMTO_NORMAL, 1000, &answer);
  QueryPerformanceCounter(&t1);
  double ms = 1000.0 * static_cast<double>(t1.QuadPart - t0.QuadPart) / static_cast<double>(f.QuadPart);
  std::printf("updater: Cancel answered in %.2f ms during a trickle\n", ms);
  EXPECT_TRUE(window->closed());
  EXPECT_LT(ms, 1000.0);
  EXPECT_TRUE(worker.Wait(0));  // the transfer is no longer waited for

  start = GetTickCount();
  while (GetTickCount() - start < 300) Pump();
  CloseHandle(release);
  EXPECT_EQ(UpdateRun::Phase::Cancelled, window->run().phase());
  EXPECT_EQ(1, server.requests());
  EXPECT_EQ((Strings{"Casino", "Gewinn"}), Firsts(app.rules.WCS));
  EXPECT_EQ((Strings{"120x600", "300x250"}), Sizes(app.rules.WDS));
}

// ---- through the main window's menu command ----

// What the timer found while the modal window was open.
struct Seen {
  HWND window = nullptr;
  bool mainEnabled = true;
  std::string version;
  int checked = 0;
};
Seen g_seen;
int g_closeButton = 0;

void CALLBACK LookAndClose(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  HWND w = FindWindowA("TDBUpdater", nullptr);
  if (!w) w = FindWindowA("TINFO", nullptr);
  g_seen.window = w;
  if (!w) return;
  g_seen.mainEnabled = IsWindowEnabled(GetWindow(w, GW_OWNER)) != FALSE;
  for (int box : kCheckBoxes) g_seen.checked += IsDlgButtonChecked(w, box) == BST_CHECKED;
  char text[64] = {};
  GetDlgItemTextA(w, IDC_INFO_LABEL3, text, sizeof text);
  g_seen.version = text;
  SendMessageA(GetDlgItem(w, g_closeButton), BM_CLICK, 0, 0);
}

class SecondaryFromMenu : public ::testing::Test {
 protected:
  void SetUp() override {
    w.Install("[WCS]\r\n1=Werbung\r\n");
    window = std::make_unique<MainWindow>(w.os);
    ASSERT_TRUE(window->Create());
    ShowWindow(window->hwnd(), SW_SHOW);
    Pump();
  }
  void TearDown() override {
    window.reset();
    MSG msg;
    while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
  }
  // Sends the menu command; a timer inside the modal loop looks at the
  // window and closes it with the button.
  Seen Command(int command, int closeButton) {
    g_seen = Seen{};
    g_closeButton = closeButton;
    UINT_PTR timer = SetTimer(nullptr, 0, 100, LookAndClose);
    SendMessageA(window->hwnd(), WM_COMMAND, MAKEWPARAM(command, 0), 0);
    KillTimer(nullptr, timer);
    return g_seen;
  }
  SimWorld w;
  std::unique_ptr<MainWindow> window;
};

TEST_F(SecondaryFromMenu, EachOpeningBuildsTheWindowAfreshAndClosingDestroysIt) {
  struct Case {
    const char* name;
    int command;
    int closeButton;
    const char* windowClass;
  };
  for (const Case& c : {Case{"updater", IDM_ACTION_DATENBANKUPDATER, IDC_BTCLOSE, "TDBUpdater"},
                        Case{"info", IDM_ACTION_INFO, IDC_INFO_BUTTON1, "TINFO"}}) {
    SCOPED_TRACE(c.name);
    for (int opening = 0; opening < 2; ++opening) {
      Seen seen = Command(c.command, c.closeButton);
      ASSERT_NE(nullptr, seen.window) << "no window opened";
      EXPECT_FALSE(seen.mainEnabled) << "modal: the main window takes no input meanwhile";
      if (c.command == IDM_ACTION_DATENBANKUPDATER) EXPECT_EQ(5, seen.checked);
      else EXPECT_EQ("Version 1.2.0.90", seen.version);
      EXPECT_FALSE(IsWindow(seen.window));
      EXPECT_EQ(nullptr, FindWindowA(c.windowClass, nullptr));
      EXPECT_TRUE(IsWindowEnabled(window->hwnd()));
    }
  }
}

// Whether the updater may run is the program's to say, not the menu's grey
// state: a command sent to the window regardless opens it once the rules
// are loaded.
TEST_F(SecondaryFromMenu, UpdaterCommandAsksTheProgramNotTheMenu) {
  ASSERT_TRUE(window->main().UpdaterMayRun());
  EXPECT_FALSE(GetMenuState(GetMenu(window->hwnd()), IDM_ACTION_DATENBANKUPDATER, MF_BYCOMMAND) & MF_GRAYED);
  window->EnableUpdaterAction(false);
  EXPECT_NE(nullptr, Command(IDM_ACTION_DATENBANKUPDATER, IDC_BTCLOSE).window);
}

}  // namespace
}  // namespace zt::test
