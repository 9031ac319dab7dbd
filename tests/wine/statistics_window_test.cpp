// The statistics window in-process under Wine, on the stand-in system:
// opened from the menu, filled by the scanners' closings, closed and opened
// again.
#include "secondary_window_fixture.h"

namespace zt::test {
namespace {

class Statistics : public Secondary, public ::testing::WithParamInterface<bool> {};

TEST_P(Statistics, ShowEveryScannersEntriesAndCounters) {
  bool german = GetParam();
  Start(german);
  Closed("Werbung", "WDS", 468, 60, {RuleSource::WDS, "468", "60"});  // before the window opens
  HWND stat = OpenStatistics();
  ASSERT_NE(nullptr, stat);
  EXPECT_EQ("Statistik / History", WindowText(stat));
  EXPECT_TRUE(IsWindowVisible(stat));
  HWND list = GetDlgItem(stat, IDC_LISTVIEWHISTORY);
  EXPECT_TRUE(ListView_GetExtendedListViewStyle(list) & LVS_EX_GRIDLINES);
  EXPECT_TRUE(ListView_GetExtendedListViewStyle(list) & LVS_EX_FULLROWSELECT);
  for (int c = 0; c < kHistoryColumnCount; ++c) {
    char caption[64] = {};
    LVCOLUMNA col = {};
    col.mask = LVCF_TEXT;
    col.pszText = caption;
    col.cchTextMax = sizeof caption;
    ListView_GetColumn(list, c, &col);
    EXPECT_STREQ(HistoryColumnCaption(c, T().statistics), caption);
  }
  // The others arrive while the window is open.
  Closed("Small", "SmallWDS", 100, 50);
  Closed("Adresse", "URL");
  Closed("Casino", "ADS", 0, 0, {RuleSource::ADS, "casino", ""});
  Closed("Titel", "WCS");
  Closed(kFlashTitle, "FlashAX");
  Closed(kNotepadTitle, "NTP", 0, 0, {RuleSource::Notepad, "", ""});
  Pump();
  ASSERT_EQ(7, ListView_GetItemCount(list));
  const ScannerNames& n = T().scanner;
  std::string time = App().engine.history[0].time;
  EXPECT_EQ((std::vector<std::string>{"1.", "Werbung", "", "468", "60", n.windowSize, time, "WDS: 468 x 60"}),
            Row(list, 0));
  EXPECT_EQ(german ? "Fenstergröße" : "Windowsize", Cell(list, 0, 5));
  EXPECT_EQ("MinSize", Cell(list, 1, 5));
  std::vector<std::string> url = Row(list, 2), flash = Row(list, 5);
  EXPECT_EQ((std::vector<std::string>{"3.", "Adresse", "http://Adresse", "", "", "URL"}),
            std::vector<std::string>(url.begin(), url.begin() + 6));
  EXPECT_EQ("Keyword", Cell(list, 3, 5));
  EXPECT_EQ(german ? "Fenstername" : "Window Caption", Cell(list, 4, 5));
  EXPECT_EQ((std::vector<std::string>{"6.", "Macromedia Flash Player", "", "", "", "Flashremove"}),
            std::vector<std::string>(flash.begin(), flash.begin() + 6));
  EXPECT_EQ("Notepad", Cell(list, 6, 5));
  // The rule column: the list and its entry, or the setting in the language.
  EXPECT_EQ("ADS: casino", Cell(list, 3, 7));
  EXPECT_EQ(german ? "Einstellung: Notepad anhalten" : "Setting: Stop Notepad", Cell(list, 6, 7));
  EXPECT_EQ("", Cell(list, 4, 7));  // recorded without a rule
  const std::vector<std::string> english = {"Window Size : 2", "URL : 1", "Keywords : 1", "Window Caption : 1",
                                            "Flash movies removed : 1", "Notepad blocked : 1", "sum : 7"};
  const std::vector<std::string> germanLines = {"Fenstergröße : 2", "URL : 1", "Schlüsselwörter : 1",
                                                "Fenstername : 1", "Flash Filme entfernt : 1",
                                                "Notepad gestoppt : 1", "insgesamt : 7"};
  EXPECT_EQ(german ? germanLines : english, Counters(stat));
  EXPECT_EQ(german ? "Hilfe" : "Help", WindowText(GetDlgItem(stat, IDC_STATISTIK_BUTTON2)));
}
INSTANTIATE_TEST_SUITE_P(BothLanguages, Statistics, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "German" : "English"; });

TEST_F(Secondary, StatisticsOpenOnceAndReopenNumberedFromOne) {
  Start(false);
  HWND stat = OpenStatistics();
  ASSERT_NE(nullptr, stat);
  // Empty: no rows, every counter at 0.
  EXPECT_EQ(0, ListView_GetItemCount(GetDlgItem(stat, IDC_LISTVIEWHISTORY)));
  for (const std::string& line : Counters(stat)) EXPECT_EQ('0', line.back()) << line;
  // Chosen again (menu or tray item): the same window, in front.
  EXPECT_EQ(stat, OpenStatistics());
  EXPECT_FALSE(GetWindowLongA(main, GWL_STYLE) & WS_DISABLED);  // not modal
  for (int i = 0; i < 3; ++i) Closed("t" + std::to_string(i), "WCS");
  // OK closes and forgets it; the next opening shows the whole history anew.
  Command(stat, IDC_STATISTIK_BUTTON1);
  Pump();
  EXPECT_FALSE(IsWindow(stat));
  EXPECT_EQ(nullptr, window->statistik());
  Closed("t3", "WCS");  // nothing to refresh
  HWND again = OpenStatistics();
  ASSERT_NE(nullptr, again);
  HWND list = GetDlgItem(again, IDC_LISTVIEWHISTORY);
  ASSERT_EQ(4, ListView_GetItemCount(list));
  EXPECT_EQ("1.", Cell(list, 0, 0));
  EXPECT_EQ("t0", Cell(list, 0, 1));
  EXPECT_EQ("4.", Cell(list, 3, 0));
  EXPECT_EQ("Window Caption : 4", Counters(again)[3]);
  // The close box closes it too.
  SendMessageA(again, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(again));
}

TEST_F(Secondary, StatisticsTitleColumnNarrowsFromTwelveRows) {
  Start(true);
  HWND stat = OpenStatistics();
  HWND list = GetDlgItem(stat, IDC_LISTVIEWHISTORY);
  const int widths[] = {30, 200, 140, 45, 45, 80, 56, 120};
  for (int c = 0; c < kHistoryColumnCount; ++c) EXPECT_EQ(widths[c], ListView_GetColumnWidth(list, c)) << c;
  for (int i = 0; i < 11; ++i) Closed("t", "ADS");
  EXPECT_EQ(200, ListView_GetColumnWidth(list, 1));
  Closed("t", "ADS");
  EXPECT_EQ(183, ListView_GetColumnWidth(list, 1));
}

TEST_F(Secondary, StatisticsHelpOpensTheManual) {
  Start(false);
  HWND stat = OpenStatistics();
  Command(stat, IDC_STATISTIK_BUTTON2);
  ASSERT_EQ(1u, w.shell.executed.size());
  EXPECT_EQ(App().paths.HandbookFile, w.shell.executed[0].file);
  EXPECT_TRUE(IsWindow(stat));
}

TEST_F(Secondary, ClosingWithTheMainWindowShownBringsItToTheFront) {
  Start(false);
  ShowWindow(main, SW_SHOW);
  HWND stat = OpenStatistics();
  Command(stat, IDC_STATISTIK_BUTTON1);
  Pump();
  EXPECT_EQ(main, GetForegroundWindow());
}

}  // namespace
}  // namespace zt::test
