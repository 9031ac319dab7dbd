// Instant mode against the stand-ins: the single-window check decides and
// records as the scan cycle does, announcements are coalesced and watched,
// Ctrl lets a popup through, and the tray tooltip counts the closings.
#include <gtest/gtest.h>

#include "app/instant_mode.h"
#include "engine_world.h"

namespace zt::test {
namespace {

// A started program with every browser kind and scanner on and a rule of
// each list.
struct InstantWorld : EngineWorld {
  InstantWorld() {
    Install();
    main.Start();
    Settings& s = app.settings;
    s.Internet_Explorer = s.Mozilla = s.Firefox = true;
    s.Small_Windows = false;
    Fill(app.rules.ADS, {{"casino"}});
    Fill(app.rules.URL, {{"http://ads.example.com"}});
    Fill(app.rules.WCS, {{"Gewinnspiel"}});
    Fill(app.rules.WDS, {{"640", "480"}});
  }
  std::vector<std::string> HistoryRows() const {
    std::vector<std::string> v;
    for (const HistoryEntry& e : app.engine.history)
      v.push_back(e.title + "|" + e.url + "|" + e.width + "|" + e.height + "|" + e.scanner);
    return v;
  }
  std::vector<unsigned> PostedMessages() const {
    std::vector<unsigned> v;
    for (const PostedMessage& m : desktop.posted) v.push_back(m.msg);
    return v;
  }
};

// One window on the desktop as a case describes it.
struct WindowCase {
  const char* name;
  int kind;
  const char* title;
  int width, height;
  const char* address;  // Internet Explorer's address bar; nullptr: none
  bool visible = true;
  bool flash = false;
  bool smallWindows = false;  // the minimum-size rule on (300 x 300)
  bool paused = false;
  bool kindOff = false;
};

WindowHandle Open(InstantWorld& w, const WindowCase& c) {
  w.app.settings.Small_Windows = c.smallWindows;
  w.app.settings.SmallWindowWidth = w.app.settings.SmallWindowHeight = 300;
  w.app.settings.FlashAX = c.flash;
  w.app.flags.IsPaused = c.paused;
  if (c.kindOff) w.app.settings.Mozilla = false;
  WindowHandle h = w.Browser(c.kind, c.title, c.width, c.height);
  w.desktop.at(h).visible = c.visible;
  if (c.address) w.AddressBar(h, c.address);
  if (c.flash) w.desktop.AddChild(h, "MacromediaFlashPlayerActiveX");
  return h;
}

const WindowCase kWindowCases[] = {
    {"keyword", kInternetExplorer, "Online Casino", 800, 600, nullptr},
    {"address", kInternetExplorer, "Page", 800, 600, "http://ads.example.com/banner"},
    {"caption", kMozilla, "Gewinnspiel", 800, 600, nullptr},
    {"size", kFirefox, "Sized", 640, 480, nullptr},
    {"minimum size", kInternetExplorer, "Small", 200, 700, nullptr, true, false, true},
    {"flash", kInternetExplorer, "Video", 800, 600, nullptr, true, true},
    {"no rule", kInternetExplorer, "News", 800, 600, "http://news.example/"},
    {"hidden", kInternetExplorer, "Casino hidden", 800, 600, nullptr, false},
    {"paused", kInternetExplorer, "Casino", 640, 480, nullptr, true, false, false, true},
    {"kind off", kMozilla, "Casino", 800, 600, nullptr, true, false, false, false, true},
    {"keyword, Opera", kOpera, "Online Casino", 800, 600, nullptr},
    {"caption, Chrome", kGoogleChrome, "Gewinnspiel", 800, 600, nullptr},
    {"size, K-Meleon", kKMeleon, "Sized", 640, 480, nullptr},
    {"address, Internet Explorer 7/8", kWindowsInternetExplorer, "Page", 800, 600, "http://ads.example.com/banner"},
};

TEST(SingleWindowCheck, DecidesAndRecordsAsTheScanCycle) {
  for (const WindowCase& c : kWindowCases) {
    SCOPED_TRACE(c.name);
    InstantWorld cycle, instant;
    Open(cycle, c);
    WindowHandle h = Open(instant, c);
    cycle.Cycle();
    CheckOutcome outcome = instant.main.CheckWindowNow(h);
    EXPECT_EQ(cycle.HistoryRows(), instant.HistoryRows());
    EXPECT_EQ(cycle.PostedMessages(), instant.PostedMessages());
    EXPECT_EQ(cycle.app.engine.closedSinceStart, instant.app.engine.closedSinceStart);
    bool browser = c.visible && !c.kindOff;
    EXPECT_EQ(browser ? CheckOutcome::Checked : CheckOutcome::NotABrowserWindow, outcome);
  }
}

TEST(SingleWindowCheck, LeavesTheCyclesSnapshotAsItWas) {
  InstantWorld w;
  WindowHandle a = w.Browser(kMozilla, "Home"), b = w.Browser(kFirefox, "Mail");
  w.Cycle();
  WindowHandle popup = w.Browser(kInternetExplorer, "Casino");
  w.AddressBar(popup, "http://casino.example/");
  EXPECT_EQ(CheckOutcome::Checked, w.main.CheckWindowNow(popup));
  EXPECT_EQ((std::vector<WindowHandle>{popup}), w.CloseTargets());
  const OpenWindowsTable& t = w.app.engine.OpenWindows;
  ASSERT_EQ(2u, t.count);
  EXPECT_EQ(a, t.records[0].Handle);
  EXPECT_EQ(b, t.records[1].Handle);
  EXPECT_EQ("Home - Mozilla", t.records[0].Caption);
  // Its address bar is known to the next cycle's reading.
  ASSERT_EQ(1u, w.app.engine.addressBars.size());
  EXPECT_TRUE(w.app.engine.addressBars[0].answered);
}

TEST(SingleWindowCheck, WaitsWhileACycleRunsAndLeavesStandby) {
  InstantWorld w;
  WindowHandle popup = w.Browser(kInternetExplorer, "Casino");
  // Inside a cycle's message-processing point the check must not run.
  CheckOutcome during = CheckOutcome::Checked;
  bool asked = false;
  w.view.onPump = [&] {
    if (asked) return;
    asked = true;
    during = w.main.CheckWindowNow(popup);
  };
  w.desktop.at(popup).visible = false;
  w.Cycle();
  w.view.onPump = nullptr;
  EXPECT_EQ(CheckOutcome::Busy, during);
  EXPECT_EQ(kStandbyInterval, w.timer1.Interval());
  // A browser window seen in standby brings the mode's interval at once.
  w.desktop.at(popup).visible = true;
  EXPECT_EQ(CheckOutcome::Checked, w.main.CheckWindowNow(popup));
  EXPECT_EQ(kFastInterval, w.timer1.Interval());
  EXPECT_EQ(" Active", w.view.panels[6]);
}

// InstantMode with a stand-in wake-up message.
struct InstantRig : InstantWorld {
  SimTimer watchTimer;
  int wakes = 0;
  InstantMode instant{main, watchTimer, [this] { ++wakes; }};
  InstantRig() { EXPECT_TRUE(instant.Start()); }
  // The system's announcement of a window.
  void Announce(WindowHandle h, WindowEvent e = WindowEvent::Created) { desktop.Announce(h, e); }
  // Runs the watch timer's ticks for ms milliseconds.
  void Tick(unsigned ms) {
    for (unsigned t = 0; t < ms && watchTimer.Enabled(); t += kWatchIntervalMs) {
      system.clockMs += kWatchIntervalMs;
      instant.Run();
    }
  }
};

TEST(InstantMode, ABurstIsOneWakeUpAndIsCheckedInPortions) {
  InstantRig r;
  std::vector<WindowHandle> popups;
  for (int i = 0; i < 20; ++i) popups.push_back(r.Browser(kInternetExplorer, "Casino " + std::to_string(i)));
  WindowHandle other = r.desktop.Add("Shell_TrayWnd", "Casino - Microsoft Internet Explorer");
  for (int round = 0; round < 3; ++round) {
    for (WindowHandle h : popups) r.Announce(h, round == 0 ? WindowEvent::Created : WindowEvent::NameChanged);
    r.Announce(other, WindowEvent::Shown);
  }
  EXPECT_EQ(1, r.wakes);
  EXPECT_EQ(20u, r.instant.watched());  // each window once; no other class
  r.instant.Run();
  EXPECT_EQ(kChecksPerRun, r.CloseTargets().size());
  EXPECT_TRUE(r.watchTimer.Enabled());
  EXPECT_EQ(kWatchIntervalMs, r.watchTimer.Interval());
  r.Deliver();
  r.Tick(kWatchIntervalMs);
  EXPECT_EQ(20u, r.app.engine.history.size());
  r.Deliver();
  r.Tick(kWatchIntervalMs);
  EXPECT_EQ(0u, r.instant.watched());
  EXPECT_FALSE(r.watchTimer.Enabled());
  // The next burst asks for a wake-up again.
  r.Announce(r.Browser(kMozilla, "Casino"));
  EXPECT_EQ(2, r.wakes);
}

TEST(InstantMode, WatchesAtMostItsBoundOfWindows) {
  InstantRig r;
  for (size_t i = 0; i < kMaxWatched + 10; ++i) r.Announce(r.Browser(kMozilla, "Page " + std::to_string(i)));
  EXPECT_EQ(kMaxWatched, r.instant.watched());
}

TEST(InstantMode, AWindowAnnouncedOnlyAtItsCreationIsCheckedWhenShownAndRenamed) {
  InstantRig r;
  // Announced at its creation only, as Wine does, and shown a moment later.
  WindowHandle hidden = r.Browser(kMozilla, "Casino");
  r.desktop.at(hidden).visible = false;
  r.Announce(hidden);
  r.instant.Run();
  r.Tick(50);
  EXPECT_TRUE(r.CloseTargets().empty());
  r.desktop.at(hidden).visible = true;
  r.Tick(kWatchIntervalMs);
  EXPECT_EQ((std::vector<WindowHandle>{hidden}), r.CloseTargets());
  r.Deliver();
  // Shown with a first caption that no rule matches, then its page's title.
  WindowHandle renamed = r.Browser(kMozilla, "Loading");
  r.Announce(renamed);
  r.instant.Run();
  r.Tick(50);
  EXPECT_TRUE(r.CloseTargets().empty());
  r.desktop.at(renamed).caption = "Online Casino - Mozilla";
  r.Tick(kWatchIntervalMs);
  EXPECT_EQ((std::vector<WindowHandle>{renamed}), r.CloseTargets());
  r.Deliver();
  // A window that stays is watched no longer than the bound.
  WindowHandle page = r.Browser(kMozilla, "News");
  r.Announce(page);
  r.instant.Run();
  r.Tick(kWatchMs + kWatchIntervalMs);
  EXPECT_EQ(0u, r.instant.watched());
  EXPECT_FALSE(r.watchTimer.Enabled());
  EXPECT_EQ(2u, r.app.engine.history.size());
}

TEST(InstantMode, AnAnnouncementDuringACycleIsCheckedAfterIt) {
  InstantRig r;
  r.Browser(kMozilla, "Home");
  WindowHandle popup = r.Browser(kMozilla, "Casino");
  r.desktop.at(popup).visible = false;
  r.view.onPump = [&] {
    r.desktop.at(popup).visible = true;
    r.Announce(popup, WindowEvent::Shown);
    r.instant.Run();  // the wake-up message, handled inside the cycle
  };
  r.Cycle();
  r.view.onPump = nullptr;
  EXPECT_TRUE(r.CloseTargets().empty());
  r.Tick(kWatchIntervalMs);
  EXPECT_EQ((std::vector<WindowHandle>{popup}), r.CloseTargets());
}

// The program listens from before its start-up: a popup announced while
// the rules still load waits, and is checked once start-up has ended.
TEST(InstantMode, APopupAnnouncedDuringStartUpIsCheckedOnceItHasEnded) {
  EngineWorld w;
  w.Install("[ADS]\r\n1=casino\r\n");
  SimTimer timer;
  InstantMode instant(w.main, timer, [] {});
  ASSERT_TRUE(instant.Start());
  WindowHandle popup = w.Browser(kInternetExplorer, "Casino");
  w.desktop.Announce(popup, WindowEvent::Created);
  instant.Run();
  EXPECT_EQ(CheckOutcome::Busy, w.main.CheckWindowNow(popup));
  EXPECT_TRUE(w.CloseTargets().empty());
  EXPECT_TRUE(timer.Enabled());  // still watched
  w.main.Start();
  instant.Run();  // the watch timer's next tick
  EXPECT_EQ((std::vector<WindowHandle>{popup}), w.CloseTargets());
  ASSERT_EQ(1u, w.app.engine.history.size());
  EXPECT_EQ("casino", w.app.engine.history[0].rule.first);
}

TEST(InstantMode, StartsOnlyWhereTheSystemAnnouncesWindows) {
  InstantWorld w;
  w.desktop.hasWindowEvents = false;
  SimTimer timer;
  InstantMode instant(w.main, timer, [] {});
  EXPECT_FALSE(instant.Start());
  EXPECT_FALSE(instant.running());
  w.desktop.hasWindowEvents = true;
  EXPECT_TRUE(instant.Start());
  instant.Stop();
  EXPECT_FALSE(static_cast<bool>(w.desktop.eventSink));
}

// The Ctrl rule, step by step: what the user does and what must be closed.
struct CtrlStep {
  const char* what;
  enum Action { CycleStep, InstantStep, Rename, Reopen } action;
  bool ctrl;
  bool closed;  // the popup received WM_CLOSE in this step
};

TEST(LetThrough, CtrlAtTheDecisionKeepsThePopupUntilItsCaptionChangesOrItOpensAgain) {
  const std::vector<CtrlStep> steps = {
      {"opened with Ctrl held", CtrlStep::InstantStep, true, false},
      {"Ctrl released", CtrlStep::CycleStep, false, false},
      {"more cycles", CtrlStep::CycleStep, false, false},
      {"announced again", CtrlStep::InstantStep, false, false},
      {"caption changed with Ctrl held", CtrlStep::Rename, true, false},
      {"caption changed", CtrlStep::Rename, false, true},
      {"opened again without Ctrl", CtrlStep::Reopen, false, true},
      {"opened again with Ctrl", CtrlStep::Reopen, true, false},
      {"the next cycle", CtrlStep::CycleStep, false, false},
  };
  InstantWorld w;
  w.Browser(kMozilla, "Home");
  WindowHandle popup = 0;
  int renames = 0;
  auto open = [&] { popup = w.Browser(kInternetExplorer, "Casino"); };
  open();
  for (const CtrlStep& s : steps) {
    SCOPED_TRACE(s.what);
    w.desktop.posted.clear();
    size_t recorded = w.app.engine.history.size();
    w.desktop.ctrlDown = s.ctrl;
    switch (s.action) {
      case CtrlStep::CycleStep: w.Cycle(); break;
      case CtrlStep::InstantStep: w.main.CheckWindowNow(popup); break;
      case CtrlStep::Rename:
        w.desktop.at(popup).caption = "Casino " + std::to_string(++renames) + BrowserSuffix(kInternetExplorer);
        w.Cycle();
        break;
      case CtrlStep::Reopen:
        w.desktop.Destroy(popup);
        w.Cycle();
        open();
        w.main.CheckWindowNow(popup);
        break;
    }
    bool closed = !w.CloseTargets().empty();
    EXPECT_EQ(s.closed, closed);
    // Nothing is recorded for a window let through.
    EXPECT_EQ(recorded + (closed ? 1 : 0), w.app.engine.history.size());
    if (closed) {
      w.Deliver();
      open();
    }
  }
  // Only the window still open is remembered.
  w.desktop.ctrlDown = false;
  w.Cycle();
  ASSERT_EQ(1u, w.app.engine.letThrough.size());
  EXPECT_EQ(popup, w.app.engine.letThrough[0].window);
}

TEST(LetThrough, AWindowLetThroughByOnePassIsLeftByTheOthersAndItsFlashStillGoes) {
  InstantWorld w;
  w.app.settings.FlashAX = true;
  WindowHandle popup = w.Browser(kInternetExplorer, "Casino Gewinnspiel", 640, 480);
  WindowHandle flash = w.desktop.AddChild(popup, "MacromediaFlashPlayerActiveX");
  w.desktop.ctrlDown = true;
  w.Cycle();
  EXPECT_EQ((std::vector<WindowHandle>{flash}), w.CloseTargets());
  EXPECT_EQ((std::vector<std::string>{"Flashremove"}), w.Scanners());
}

TEST(TrayTip, SaysHowManyPopupsWereClosedInEachLanguage) {
  const struct {
    bool german;
    unsigned long closed;
    const char* tip;
  } cases[] = {
      {false, 0, "Zapotrix \x96 0 popups closed"},      {false, 1, "Zapotrix \x96 1 popup closed"},
      {false, 12, "Zapotrix \x96 12 popups closed"},    {true, 0, "Zapotrix \x96 0 Popups geschlossen"},
      {true, 1, "Zapotrix \x96 1 Popup geschlossen"},   {true, 12, "Zapotrix \x96 12 Popups geschlossen"},
      {true, 4000000000ul, "Zapotrix \x96 4000000000 Popups geschlossen"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.tip, TrayTipText(TextsFor(c.german), c.closed)) << c.closed;
}

TEST(TrayTip, ChangesAtMostOnceASecondAndShowsTheLastCountLate) {
  const struct {
    uint32_t now;
    unsigned long closed;
    bool due;
  } asks[] = {
      {0, 0, true},      // the first asking always shows
      {250, 0, false},   // unchanged
      {500, 1, false},   // changed within the second
      {999, 3, false},
      {1000, 3, true},   // the second is over: the latest count
      {1250, 3, false},
      {5000, 4, true},   // long after: at once
      {5001, 5, false},
      {6001, 5, true},
      {6001 + 0xFFFFFFFFu - 100, 6, true},  // 49 days later, across the tick count's wrap
  };
  TrayTipPacer pacer;
  for (const auto& a : asks) EXPECT_EQ(a.due, pacer.Due(a.now, a.closed)) << a.now;
}

TEST(TrayTip, TheCycleShowsTheCountOfItsClosings) {
  InstantWorld w;
  w.Cycle();
  w.Browser(kMozilla, "Casino");
  w.Browser(kMozilla, "Gewinnspiel");
  w.system.clockMs += 2500;
  w.Cycle();
  w.Deliver();
  WindowHandle third = w.Browser(kMozilla, "More Casino");
  w.system.clockMs += 250;
  w.main.CheckWindowNow(third);
  w.Deliver();
  w.system.clockMs += 250;
  w.Cycle();
  w.system.clockMs += 1000;
  w.Cycle();
  EXPECT_EQ((std::vector<std::string>{"Zapotrix \x96 0 popups closed", "Zapotrix \x96 2 popups closed",
                                      "Zapotrix \x96 3 popups closed"}),
            w.view.trayTips);
}

}  // namespace
}  // namespace zt::test
