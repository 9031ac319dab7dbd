// Popup scanners: what each pass closes and leaves, walking order, Handled,
// the error endings and user edits in the middle of a pass.
#include <gtest/gtest.h>

#include "engine_world.h"

namespace zt::test {

TEST(Killwnd, ModesPostTheirMessages) {
  EngineWorld w;
  WindowHandle a = w.Browser(kInternetExplorer, "A");
  WindowHandle b = w.Browser(kMozilla, "B");
  WindowHandle c = w.Browser(kMozilla, "C");
  killwnd(w.app.os.desktop, a, kCloseIE);
  killwnd(w.app.os.desktop, b, kCloseMozilla);
  killwnd(w.app.os.desktop, c, 3);
  killwnd(w.app.os.desktop, 0xDEAD, kCloseMozilla);
  EXPECT_EQ((std::vector<unsigned>{kWmClose, kWmNcDestroy}), w.desktop.PostedTo(a));
  EXPECT_EQ((std::vector<unsigned>{kWmClose}), w.desktop.PostedTo(b));
  EXPECT_TRUE(w.desktop.PostedTo(c).empty());
  for (const PostedMessage& m : w.desktop.posted) {
    EXPECT_EQ(0u, m.wParam);
    EXPECT_EQ(0, m.lParam);
  }
  // A window that went away on WM_CLOSE gets no WM_NCDESTROY.
  WindowHandle d = w.Browser(kInternetExplorer, "D");
  w.desktop.at(d).closesOnClose = true;
  killwnd(w.app.os.desktop, d, kCloseIE);
  EXPECT_EQ((std::vector<unsigned>{kWmClose}), w.desktop.PostedTo(d));
}

TEST(KillwindowWDS, ExactOuterSizeClosesAndRecordsTheSize) {
  EngineWorld w;
  EngineWorld::Fill(w.app.rules.WDS, {{"400", "300"}, {"468", "60"}});
  WindowHandle hit = w.Browser(kInternetExplorer, "Banner", 468, 60);
  WindowHandle nearby = w.Browser(kInternetExplorer, "Near", 401, 300);
  WindowHandle moz = w.Browser(kMozilla, "Moz", 400, 300);
  w.Snapshot();
  KillwindowWDS(w.app.Scan());
  EXPECT_EQ((std::vector<WindowHandle>{moz, hit}), w.CloseTargets());  // last record first
  EXPECT_TRUE(w.desktop.PostedTo(nearby).empty());
  EXPECT_EQ((std::vector<unsigned>{kWmClose}), w.desktop.PostedTo(moz));
  ASSERT_EQ(2u, w.app.engine.history.size());
  const HistoryEntry& e = w.app.engine.history[1];
  EXPECT_EQ("Banner - Microsoft Internet Explorer", e.title);
  EXPECT_EQ("468", e.width);
  EXPECT_EQ("60", e.height);
  EXPECT_EQ("Windowsize", e.scanner);
  EXPECT_TRUE(w.app.engine.OpenWindows.records[0].Handled);
  EXPECT_FALSE(w.app.engine.OpenWindows.records[1].Handled);
}

TEST(KillwindowWDS, EntryThatIsNotANumberEndsThePassAtTheFirstWindowReachingIt) {
  for (const char* bad : {"3x0", "", " 12 "}) {
    EngineWorld w;
    // In list order: 300 x 250, the broken entry, 640 x 480.
    EngineWorld::Fill(w.app.rules.WDS, {{"300", "250"}, {"3x0", bad}, {"640", "480"}});
    if (std::string(bad) == "3x0") w.app.rules.WDS.SetText(1, 1, "1");
    WindowHandle top = w.Browser(kInternetExplorer, "Top", 640, 480);
    WindowHandle bottom = w.Browser(kInternetExplorer, "Bottom", 300, 250);
    w.app.settings.Small_Windows = true;
    w.app.settings.SmallWindowWidth = 100;
    w.Cycle();
    // The entry before the broken one still acts on the bottom window.
    EXPECT_EQ((std::vector<WindowHandle>{bottom}), w.CloseTargets()) << bad;
    w.Deliver();
    for (int cycle = 0; cycle < 3; ++cycle) w.Cycle();
    EXPECT_TRUE(w.desktop.posted.empty()) << bad;  // never reaches 640 x 480

    // The minimum-size rule still acts on the window at the broken entry.
    w.Resize(top, 90, 480);
    w.Cycle();
    EXPECT_EQ((std::vector<WindowHandle>{top}), w.CloseTargets());
    EXPECT_EQ("MinSize", w.app.engine.history.back().scanner);
  }
}

TEST(KillwindowWDS, EntryRemovedWhileAClosingIsRecordedEndsThePass) {
  EngineWorld w;
  EngineWorld::Fill(w.app.rules.WDS, {{"400", "300"}, {"500", "500"}});
  WindowHandle top = w.Browser(kInternetExplorer, "Top", 400, 300);
  WindowHandle bottom = w.Browser(kInternetExplorer, "Bottom", 400, 300);
  w.Snapshot();
  w.view.onPump = [&] { if (w.app.rules.WDS.size() == 2) w.app.rules.WDS.Erase(1); };
  KillwindowWDS(w.app.Scan());
  EXPECT_EQ((std::vector<WindowHandle>{bottom}), w.CloseTargets());

  // Entries added meanwhile do not end it.
  EngineWorld g;
  EngineWorld::Fill(g.app.rules.WDS, {{"400", "300"}, {"500", "500"}});
  g.Browser(kInternetExplorer, "Top", 400, 300);
  g.Browser(kInternetExplorer, "Bottom", 400, 300);
  g.Snapshot();
  g.view.onPump = [&] { g.app.rules.WDS.Add({"999", "999"}); };
  KillwindowWDS(g.app.Scan());
  EXPECT_EQ(2u, g.CloseTargets().size());
  (void)top;
}

TEST(Smallwindows, LimitsIncludedMinimisedNeverAndWidthMustHoldStill) {
  struct Case {
    int width, height;
    bool iconic;
    bool closed;
  } cases[] = {{320, 600, false, true}, {800, 200, false, true}, {800, 201, false, false},
               {321, 201, false, false}, {100, 100, true, false}};
  for (const Case& c : cases) {
    EngineWorld w;
    w.app.settings.Small_Windows = true;
    WindowHandle h = w.Browser(kInternetExplorer, "Small", c.width, c.height);
    w.desktop.at(h).iconic = c.iconic;
    w.Snapshot();
    KillwindowWDS(w.app.Scan());
    EXPECT_EQ(c.closed, !w.CloseTargets().empty()) << c.width << "x" << c.height;
    if (c.closed) {
      EXPECT_EQ(100u, w.system.sleptMs);
      EXPECT_EQ("MinSize", w.app.engine.history[0].scanner);
      EXPECT_EQ(std::to_string(c.width), w.app.engine.history[0].width);
      EXPECT_EQ(std::to_string(c.height), w.app.engine.history[0].height);
      EXPECT_EQ((std::vector<unsigned>{kWmClose, kWmNcDestroy}), w.desktop.PostedTo(h));
    }
  }

  // The width moves during the wait: left alone this cycle; only the width counts.
  EngineWorld w;
  w.app.settings.Small_Windows = true;
  WindowHandle h = w.Browser(kMozilla, "Growing", 300, 150);
  w.Snapshot();
  w.view.onPump = [&] { w.Resize(h, 310, 150); };
  KillwindowWDS(w.app.Scan());
  EXPECT_TRUE(w.desktop.posted.empty());
  w.view.onPump = [&] { w.Resize(h, 310, 900); };
  KillwindowWDS(w.app.Scan());
  EXPECT_EQ((std::vector<unsigned>{kWmClose}), w.desktop.PostedTo(h));
  EXPECT_EQ("150", w.app.engine.history[0].height);  // the first measurement is recorded
}

TEST(Smallwindows, TwoSmallPopupsCloseInTwoCyclesLowerFirstAndEndThePass) {
  EngineWorld w;
  w.app.settings.Small_Windows = true;
  EngineWorld::Fill(w.app.rules.WDS, {{"1024", "700"}});
  WindowHandle big = w.Browser(kInternetExplorer, "Big", 1024, 700);
  WindowHandle upper = w.Browser(kInternetExplorer, "Upper", 200, 150);
  WindowHandle lower = w.Browser(kInternetExplorer, "Lower", 250, 100);
  w.Cycle();
  EXPECT_EQ((std::vector<WindowHandle>{lower}), w.CloseTargets());
  w.Deliver();
  w.Cycle();
  EXPECT_EQ((std::vector<WindowHandle>{upper}), w.CloseTargets());
  w.Deliver();
  w.Cycle();
  EXPECT_EQ((std::vector<WindowHandle>{big}), w.CloseTargets());
  EXPECT_EQ((std::vector<std::string>{"MinSize", "MinSize", "Windowsize"}), w.Scanners());

  // Off with the size scanner.
  EngineWorld off;
  off.app.settings.Small_Windows = true;
  off.app.settings.UseWDS = false;
  off.Browser(kInternetExplorer, "Small", 200, 100);
  off.Cycle();
  EXPECT_TRUE(off.desktop.posted.empty());
}

TEST(KillwindowURL, InternetExplorerAddressesOnly) {
  EngineWorld w;
  EngineWorld::Fill(w.app.rules.URL, {{"http://ads.example.com"}, {"http://pop.example"}});
  WindowHandle ad = w.Browser(kInternetExplorer, "Ad");
  w.AddressBar(ad, "HTTP://x/");  // unreadable: empty URL
  w.AddressBar(ad, "http://ADS.example.com/banner?id=1");
  WindowHandle blank = w.Browser(kInternetExplorer, "Blank");
  w.AddressBar(blank, "about:blank");
  w.Browser(kMozilla, "http://pop.example");
  w.Snapshot();
  killwindowURL(w.app.Scan());
  EXPECT_TRUE(w.CloseTargets().empty());  // the first chain wins: its address is empty

  w.desktop.Destroy(ad);
  WindowHandle ad2 = w.Browser(kInternetExplorer, "Ad2");
  w.AddressBar(ad2, "http://ADS.example.com/banner?id=1");
  w.Snapshot();
  killwindowURL(w.app.Scan());
  EXPECT_EQ((std::vector<WindowHandle>{ad2}), w.CloseTargets());
  EXPECT_EQ("URL", w.app.engine.history[0].scanner);
  EXPECT_EQ("http://ADS.example.com", w.app.engine.history[0].url);
  EXPECT_EQ("", w.app.engine.history[0].width);

  w.desktop.posted.clear();
  w.app.settings.Internet_Explorer = false;
  w.app.engine.OpenWindows.records[1].Handled = false;
  killwindowURL(w.app.Scan());
  EXPECT_TRUE(w.desktop.posted.empty());
}

TEST(KillwindowURL, SettingSwitchedOffWhileAClosingIsRecordedActsAtOnce) {
  EngineWorld w;
  EngineWorld::Fill(w.app.rules.URL, {{"http://pop.example"}});
  for (const char* t : {"One", "Two"}) w.AddressBar(w.Browser(kInternetExplorer, t), "http://pop.example/");
  w.Snapshot();
  w.view.onPump = [&] { w.app.settings.Internet_Explorer = false; };
  killwindowURL(w.app.Scan());
  EXPECT_EQ((std::vector<std::string>{"Two - Microsoft Internet Explorer"}), w.ClosedTitles());
}

TEST(KillwindowADS, KeywordsFoldOnlyAToZAndMatchTheWholeCaption) {
  EngineWorld w;
  EngineWorld::Fill(w.app.rules.ADS, {{"casino"}, {"für"}, {""}});
  WindowHandle casino = w.Browser(kInternetExplorer, "Online CASINO");
  WindowHandle fuer = w.Browser(kMozilla, "Angebote FÜR Sie");
  WindowHandle fuer2 = w.Browser(kFirefox, "Angebote für Sie");
  w.Browser(kInternetExplorer, "Nothing here");
  w.Snapshot();
  killwindowADS(w.app.Scan());
  EXPECT_EQ((std::vector<WindowHandle>{fuer2, casino}), w.CloseTargets());
  EXPECT_TRUE(w.desktop.PostedTo(fuer).empty());
  EXPECT_EQ((std::vector<std::string>{"Keyword", "Keyword"}), w.Scanners());

  // The suffix is part of the caption.
  EngineWorld e;
  EngineWorld::Fill(e.app.rules.ADS, {{"explorer"}});
  e.Browser(kInternetExplorer, "One");
  e.Browser(kInternetExplorer, "Two");
  e.Browser(kMozilla, "Three");
  e.Snapshot();
  killwindowADS(e.app.Scan());
  EXPECT_EQ(2u, e.CloseTargets().size());

  e.desktop.posted.clear();
  e.app.settings.Internet_Explorer = false;
  e.Snapshot();
  killwindowADS(e.app.Scan());
  EXPECT_TRUE(e.desktop.posted.empty());
}

TEST(KillwindowADS, EntryRemovedWhileAClosingIsRecordedEndsThePassUnlessTheMatchWasLast) {
  for (bool matchLast : {false, true}) {
    EngineWorld w;
    EngineWorld::Fill(w.app.rules.ADS, {{"aaa"}, {"mmm"}, {"zzz"}});
    std::string word = matchLast ? "zzz" : "aaa";
    w.Browser(kInternetExplorer, "Top " + word);
    WindowHandle bottom = w.Browser(kInternetExplorer, "Bottom " + word);
    w.Snapshot();
    w.view.onPump = [&] { if (w.app.rules.ADS.size() == 3) w.app.rules.ADS.Erase(1); };
    killwindowADS(w.app.Scan());
    if (matchLast) EXPECT_EQ(2u, w.CloseTargets().size());
    else EXPECT_EQ((std::vector<WindowHandle>{bottom}), w.CloseTargets());
    // The next pass sees the list as it is now.
    w.app.engine.OpenWindows.records[0].Handled = false;
    w.desktop.posted.clear();
    killwindowADS(w.app.Scan());
    EXPECT_EQ(1u, w.CloseTargets().size());
  }
}

TEST(KillwindowADS, ListReplacedByAnotherIsReadAfresh) {
  EngineWorld w;
  EngineWorld::Fill(w.app.rules.ADS, {{"casino"}});
  WindowHandle poker = w.Browser(kInternetExplorer, "Poker");
  w.Snapshot();
  killwindowADS(w.app.Scan());
  EXPECT_TRUE(w.desktop.posted.empty());
  // A list made elsewhere with as many changes, put in place whole.
  ListModel fresh(ListViewId::ADS);
  EngineWorld::Fill(fresh, {{"poker"}});
  w.app.rules.ADS = fresh;
  killwindowADS(w.app.Scan());
  EXPECT_EQ((std::vector<WindowHandle>{poker}), w.CloseTargets());
}

TEST(KillwindowWCS, WholeTitleWithoutSuffixAndTrailingBlanksNeverMatch) {
  EngineWorld w;
  EngineWorld::Fill(w.app.rules.WCS, {{"Gewinnspiel"}, {"Sonderpreis"}, {"Bonus "}});
  WindowHandle ie = w.Browser(kInternetExplorer, "Gewinnspiel");
  WindowHandle moz = w.Browser(kMozilla, "gewinnspiel");
  WindowHandle ff = w.Browser(kFirefox, "  Sonderpreis");  // leading blanks are ignored
  w.Browser(kInternetExplorer, "Gewinnspiel 2");
  w.Browser(kInternetExplorer, "Bonus");  // the rule's blank stands before the suffix
  WindowHandle blank = w.Browser(kInternetExplorer, "Bonus ");
  w.Snapshot();
  killwindowWCS(w.app.Scan());
  EXPECT_EQ((std::vector<WindowHandle>{blank, ff, moz, ie}), w.CloseTargets());
  EXPECT_EQ("Window Caption", w.app.engine.history[0].scanner);
  EXPECT_EQ((std::vector<unsigned>{kWmClose, kWmNcDestroy}), w.desktop.PostedTo(ie));
}

TEST(ScanCycle, HandledWindowIsClosedOnceAndAgainNextCycleIfStillOpen) {
  EngineWorld w;
  EngineWorld::Fill(w.app.rules.WDS, {{"468", "60"}});
  EngineWorld::Fill(w.app.rules.ADS, {{"banner"}});
  EngineWorld::Fill(w.app.rules.WCS, {{"Banner"}});
  WindowHandle b = w.Browser(kInternetExplorer, "Banner", 468, 60);
  w.AddressBar(b, "http://banner.example/");
  EngineWorld::Fill(w.app.rules.URL, {{"http://banner.example"}});
  w.Cycle();
  EXPECT_EQ((std::vector<std::string>{"Windowsize"}), w.Scanners());
  w.Cycle();  // it ignored the messages
  EXPECT_EQ((std::vector<std::string>{"Windowsize", "Windowsize"}), w.Scanners());

  w.main.Bypassmanager();  // paused: nothing is closed
  w.Cycle();
  EXPECT_EQ(2u, w.app.engine.history.size());
  EXPECT_EQ(1u, w.app.engine.OpenWindows.count);
}

}  // namespace zt::test
