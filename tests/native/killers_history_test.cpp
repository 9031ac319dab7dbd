// Extra killers (Flash controls, Notepad) and the history with its counting.
#include <gtest/gtest.h>

#include "engine_world.h"

namespace zt::test {

TEST(KillFlashAX, ClosesEveryFlashControlInsideRecordedWindowsAtEveryCycle) {
  EngineWorld w;
  w.app.settings.FlashAX = true;
  WindowHandle ie = w.Browser(kInternetExplorer, "Flashy");
  WindowHandle shell = w.desktop.AddChild(ie, "Shell Embedding");
  WindowHandle deep = w.desktop.AddChild(shell, "MacromediaFlashPlayerActiveX");
  WindowHandle moz = w.Browser(kMozilla, "Moz");
  WindowHandle direct = w.desktop.AddChild(moz, "MacromediaFlashPlayerActiveX");
  w.desktop.AddChild(moz, "macromediaflashplayeractivex");
  WindowHandle outside = w.desktop.Add("Shell_TrayWnd", "");
  w.desktop.AddChild(outside, "MacromediaFlashPlayerActiveX");
  w.Cycle();
  EXPECT_EQ((std::vector<WindowHandle>{deep, direct}), w.CloseTargets());
  ASSERT_EQ(2u, w.app.engine.history.size());
  const HistoryEntry& e = w.app.engine.history[0];
  EXPECT_EQ("Macromedia Flash Player", e.title);
  EXPECT_EQ("", e.url);
  EXPECT_EQ("", e.width);
  EXPECT_EQ("", e.height);
  EXPECT_EQ("Flashremove", e.scanner);
  w.Cycle();
  EXPECT_EQ(4u, w.app.engine.history.size());
}

TEST(KillFlashAX, LooksPastHandledAndIdlesWhenPausedOrOff) {
  EngineWorld w;
  w.app.settings.FlashAX = true;
  EngineWorld::Fill(w.app.rules.WCS, {{"Flashy"}});
  WindowHandle ie = w.Browser(kInternetExplorer, "Flashy");
  WindowHandle flash = w.desktop.AddChild(ie, "MacromediaFlashPlayerActiveX");
  w.Cycle();
  EXPECT_EQ((std::vector<WindowHandle>{ie, flash}), w.CloseTargets());
  EXPECT_EQ((std::vector<std::string>{"Window Caption", "Flashremove"}), w.Scanners());

  w.desktop.posted.clear();
  w.main.Bypassmanager();
  w.Cycle();
  EXPECT_TRUE(w.desktop.posted.empty());
  w.main.Bypassmanager();
  w.app.settings.FlashAX = false;
  w.app.settings.UseWCS = false;
  w.Cycle();
  EXPECT_TRUE(w.desktop.posted.empty());
}

TEST(ExtraKillers, RecordOnlyAfterTheirEnumerationReturned) {
  // Recording lets messages run; a quit handled there must not find the
  // program inside a system enumeration.
  EngineWorld w;
  w.app.settings.FlashAX = w.app.settings.Notepad = true;
  WindowHandle ie = w.Browser(kInternetExplorer, "Flashy");
  w.desktop.AddChild(ie, "MacromediaFlashPlayerActiveX");
  w.desktop.Add("Notepad", "Untitled - Notepad");
  std::vector<int> depths;
  w.view.onPump = [&] { depths.push_back(w.desktop.enumerating); };
  w.Cycle();
  EXPECT_EQ((std::vector<std::string>{"Flashremove", "Notepad"}), w.Scanners());
  ASSERT_FALSE(depths.empty());
  for (int d : depths) EXPECT_EQ(0, d);
}

TEST(History, KeepsTheNewestEntriesUpToItsBound) {
  History h;
  for (size_t i = 0; i < kMaxHistory + 5; ++i) {
    HistoryEntry e;
    e.title = std::to_string(i);
    AppendHistory(h, e);
  }
  ASSERT_EQ(kMaxHistory, h.size());
  EXPECT_EQ("5", h.front().title);
  EXPECT_EQ(std::to_string(kMaxHistory + 4), h.back().title);
}

TEST(KillNotepad, EveryNotepadIncludingHiddenOnlyWhileABrowserIsOpen) {
  EngineWorld w;
  w.app.settings.Notepad = true;
  WindowHandle shown = w.desktop.Add("Notepad", "Untitled - Notepad");
  SimWindow h;
  h.className = "Notepad";
  h.visible = false;
  WindowHandle hidden = w.desktop.Add(h);
  w.desktop.Add("notepad", "Lower case");
  w.desktop.Add("NotepadPlus", "Other");
  w.Cycle();
  EXPECT_TRUE(w.desktop.posted.empty());  // standby

  w.Browser(kMozilla, "Any");
  w.Cycle();
  EXPECT_EQ((std::vector<WindowHandle>{shown, hidden}), w.CloseTargets());
  EXPECT_EQ((std::vector<std::string>{"Notepad", "Notepad"}), w.ClosedTitles());
  EXPECT_EQ("Notepad", w.app.engine.history[0].scanner);

  w.desktop.posted.clear();
  w.main.Bypassmanager();
  w.Cycle();
  EXPECT_TRUE(w.desktop.posted.empty());
}

TEST(KillNotepad, AnErrorOnOneWindowDoesNotStopTheOthers) {
  EngineWorld w;
  WindowHandle bad = w.desktop.Add("Notepad", "Broken");
  WindowHandle good = w.desktop.Add("Notepad", "Fine");
  w.desktop.failing = bad;
  KillNotepad(w.app.Scan());
  EXPECT_EQ((std::vector<WindowHandle>{good}), w.CloseTargets());
}

TEST(History, FieldsNamesInBothLanguagesAndTheRefreshPoint) {
  EngineWorld w;
  w.system.timeOfDay = "09:15:07";
  std::vector<std::string> seen;
  size_t changedAtPump = 99;
  w.view.onPump = [&] {
    seen.push_back(w.app.engine.history.back().scanner);
    changedAtPump = w.view.changed.size();
  };
  historylist(w.app.Scan(), "Ad - Mozilla", "http://ad.example", 468, 60, "WDS", {});
  ASSERT_EQ(1u, w.app.engine.history.size());
  const HistoryEntry& e = w.app.engine.history[0];
  EXPECT_EQ("Ad - Mozilla", e.title);
  EXPECT_EQ("http://ad.example", e.url);
  EXPECT_EQ("468", e.width);
  EXPECT_EQ("60", e.height);
  EXPECT_EQ("Windowsize", e.scanner);
  EXPECT_EQ("09:15:07", e.time);
  // Appended, then pending messages, then the statistics window is told.
  EXPECT_EQ((std::vector<std::string>{"Windowsize"}), seen);
  EXPECT_EQ(0u, changedAtPump);
  EXPECT_EQ((std::vector<ListViewId>{ListViewId::History}), w.view.changed);

  historylist(w.app.Scan(), "x", "", -5, 0, "wds", {});
  EXPECT_EQ("", w.app.engine.history[1].width);
  EXPECT_EQ("", w.app.engine.history[1].height);
  EXPECT_EQ("", w.app.engine.history[1].scanner);  // keys are compared exactly

  struct Name {
    const char* key;
    const char* english;
    const char* german;
  } names[] = {{"WCS", "Window Caption", "Fenstername"}, {"URL", "URL", "URL"},
               {"ADS", "Keyword", "Keyword"},          {"WDS", "Windowsize", "Fenstergröße"},
               {"SmallWDS", "MinSize", "MinSize"},     {"FlashAX", "Flashremove", "Flashremove"},
               {"NTP", "Notepad", "Notepad"}};
  for (const Name& n : names) {
    EXPECT_EQ(n.english, ScannerDisplayName(n.key, TextsFor(false)));
    EXPECT_EQ(n.german, ScannerDisplayName(n.key, TextsFor(true)));
  }
  EXPECT_EQ("Fenstergr\xF6\xDF" "e", ScannerDisplayName("WDS", TextsFor(true)));  // CP1252 bytes
}

TEST(History, CountsEachScannerInEitherLanguage) {
  for (bool german : {false, true}) {
    EngineWorld w;
    w.app.flags.IsGerman = german;
    EXPECT_EQ(0, CountHistory(w.app.engine.history, TextsFor(german)).total);
    for (const char* key : {"WDS", "SmallWDS", "WDS", "URL", "ADS", "ADS", "WCS", "FlashAX", "NTP", "NTP", "bogus"})
      historylist(w.app.Scan(), "t", "", 0, 0, key, {});
    HistoryCounts c = CountHistory(w.app.engine.history, TextsFor(german));
    EXPECT_EQ(3, c.windowSize);
    EXPECT_EQ(1, c.url);
    EXPECT_EQ(2, c.keyword);
    EXPECT_EQ(1, c.caption);
    EXPECT_EQ(1, c.flash);
    EXPECT_EQ(2, c.notepad);
    EXPECT_EQ(10, c.total);
    w.app.engine.history.clear();
    EXPECT_TRUE(w.app.engine.history.empty());
  }
}

}  // namespace zt::test
