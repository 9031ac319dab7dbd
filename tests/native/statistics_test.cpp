// The statistics window's logic: counters kept as entries arrive (and
// leave a full history), table cells, counter lines, column captions, and
// the window's flow driven through a recording view.
#include <gtest/gtest.h>

#include <map>
#include <utility>
#include <vector>

#include "app/statistics.h"
#include "engine_world.h"
#include "lang/texts.h"
#include "rules/list_ops.h"

namespace zt::test {
namespace {

TEST(Statistics, CountsKeptAsEntriesArriveEqualACountOfTheWholeHistory) {
  struct Case {
    const char* name;
    std::vector<const char*> keys;
    HistoryCounts expected;  // windowSize, url, keyword, caption, flash, notepad, total
  } cases[] = {
      {"empty", {}, {0, 0, 0, 0, 0, 0, 0}},
      {"one of each", {"WDS", "SmallWDS", "URL", "ADS", "WCS", "FlashAX", "NTP"}, {2, 1, 1, 1, 1, 1, 7}},
      {"unknown keys count nowhere", {"bogus", "wds", "", "ADS"}, {0, 0, 1, 0, 0, 0, 1}},
      {"repeats", {"NTP", "NTP", "NTP", "URL"}, {0, 1, 0, 0, 0, 3, 4}},
  };
  for (bool german : {false, true})
    for (const Case& c : cases) {
      EngineWorld w;
      w.app.flags.IsGerman = german;
      for (const char* key : c.keys) historylist(w.app.Scan(), "t", "", 0, 0, key, {});
      EXPECT_EQ(c.expected, w.app.engine.historyCounts) << c.name << " german=" << german;
      EXPECT_EQ(CountHistory(w.app.engine.history, TextsFor(german)), w.app.engine.historyCounts) << c.name;
    }
}

TEST(Statistics, CountsFollowTheOldestEntriesOutOfAFullHistory) {
  const Texts& texts = TextsFor(true);
  const char* keys[] = {"WDS", "URL", "ADS", "WCS", "FlashAX", "NTP", "SmallWDS", "bogus"};
  History h;
  HistoryCounts counts;
  for (size_t i = 0; i < kMaxHistory + 13; ++i)
    AppendHistory(h, counts, texts, HistoryEntry{"t", "", "", "", ScannerDisplayName(keys[i % 8], texts), "", {}});
  ASSERT_EQ(kMaxHistory, h.size());
  EXPECT_EQ(CountHistory(h, texts), counts);
  EXPECT_EQ(static_cast<int>(kMaxHistory - kMaxHistory / 8), counts.total);  // every eighth counts nowhere
}

TEST(Statistics, CellsNumberTheRowsFromOneAndShowTheSixFieldsAndTheRule) {
  History h = {{"Werbung", "http://ads.example.com", "468", "60", "Windowsize", "14:10:00", {RuleSource::WDS, "468", "60"}},
               {kFlashTitle, "", "", "", "Flashremove", "14:10:01", {RuleSource::Flash, "", ""}}};
  struct Case {
    size_t row;
    int column;
    std::string text;
  } cases[] = {
      {0, 0, "1."}, {1, 0, "2."}, {0, 1, "Werbung"}, {0, 2, "http://ads.example.com"}, {0, 3, "468"},
      {0, 4, "60"}, {0, 5, "Windowsize"}, {0, 6, "14:10:00"}, {1, 1, "Macromedia Flash Player"},
      {1, 2, ""},   {1, 3, ""}, {1, 4, ""}, {2, 0, ""},  // no such row
      {0, 7, "WDS: 468 x 60"}, {1, 7, "Setting: Remove Flash-Movies (Filter bis Version 6)"},
      {0, 8, ""},   {0, -1, ""},                      // no such column
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.text, HistoryCellText(h, c.row, c.column, EnglishTexts())) << c.row << "/" << c.column;
}

TEST(Statistics, CounterLinesAreTheLabelsFollowedByTheCounters) {
  struct Case {
    bool german;
    HistoryCounts counts;
    std::array<std::string, 7> lines;
  } cases[] = {
      {false,
       {},
       {"Window Size : 0", "URL : 0", "Keywords : 0", "Window Caption : 0", "Flash movies removed : 0",
        "Notepad blocked : 0", "sum : 0"}},
      {true,
       {},
       {"Fenstergröße : 0", "URL : 0", "Schlüsselwörter : 0", "Fenstername : 0", "Flash Filme entfernt : 0",
        "Notepad gestoppt : 0", "insgesamt : 0"}},
      {true,
       {3, 1, 2, 1, 1, 2, 10},
       {"Fenstergröße : 3", "URL : 1", "Schlüsselwörter : 2", "Fenstername : 1", "Flash Filme entfernt : 1",
        "Notepad gestoppt : 2", "insgesamt : 10"}},
  };
  for (const Case& c : cases) EXPECT_EQ(c.lines, CounterLines(c.counts, TextsFor(c.german).statistics));
}

TEST(Statistics, ColumnsInBothLanguages) {
  const char* english[] = {"No.", "Window Caption", "URL", "Width", "Height", "Scanner", "Time", "Rule"};
  const char* german[] = {"Nr.", "Fenstertitel", "URL", "Breite", "Höhe", "Scanner", "Zeit", "Regel"};
  const int widths[] = {30, 200, 140, 45, 45, 80, 56, 120};
  ASSERT_EQ(8, kHistoryColumnCount);
  for (int c = 0; c < kHistoryColumnCount; ++c) {
    EXPECT_STREQ(english[c], HistoryColumnCaption(c, TextsFor(false).statistics));
    EXPECT_STREQ(german[c], HistoryColumnCaption(c, TextsFor(true).statistics));
    EXPECT_EQ(widths[c], kHistoryColumns[c].width);
  }
}

// Records what Statistik asks of the window.
struct RecordingStatisticsView : StatisticsView {
  void ShowTexts(const StatisticsTexts& t) override { texts = &t; }
  void SetRowCount(size_t n) override { rows = n; }
  int TableWidth() override { return 760; }
  void SetColumnWidth(int column, int width) override { widths[column] = width; }
  void SetCounterLine(int line, const std::string& text) override { written.push_back({line, text}); }
  bool RemoveRuleChosen(bool enabled) override {
    menus.push_back(enabled);
    return choose;
  }
  void Close() override { ++closed; }

  const StatisticsTexts* texts = nullptr;
  size_t rows = 0;
  std::map<int, int> widths;
  std::vector<std::pair<int, std::string>> written;
  std::vector<bool> menus;  // one per menu shown: "Remove rule" enabled
  bool choose = false;
  int closed = 0;
};

class StatistikFlow : public ::testing::Test {
 protected:
  StatistikFlow() {
    w.app.settings.Notepad = true;
    EngineWorld::Fill(w.app.rules.ADS, {{"casino"}});
  }
  void Entry(const char* key, ClosingRule rule = {}) { historylist(w.app.Scan(), "t", "", 0, 0, key, rule); }

  EngineWorld w;
  RecordingStatisticsView view;
  Statistik statistik{w.app, view};
};

TEST_F(StatistikFlow, ShowsInTheProgramsLanguageAndWritesOnlyTheCounterLinesThatChanged) {
  for (bool german : {false, true}) {
    EngineWorld fresh;
    fresh.app.flags.IsGerman = german;
    RecordingStatisticsView v;
    Statistik s{fresh.app, v};
    historylist(fresh.app.Scan(), "t", "", 0, 0, "WDS", {});
    s.FormShow();
    EXPECT_EQ(&TextsFor(german).statistics, v.texts);
    EXPECT_EQ(1u, v.rows);
    ASSERT_EQ(static_cast<size_t>(kCounterLineCount), v.written.size());
    EXPECT_EQ(german ? "Fenstergröße : 1" : "Window Size : 1", v.written[0].second);
  }

  statistik.FormShow();
  view.written.clear();
  statistik.refreshStatistik();
  EXPECT_TRUE(view.written.empty());  // nothing new: nothing written
  Entry("URL");
  statistik.refreshStatistik();
  EXPECT_EQ((std::vector<std::pair<int, std::string>>{{1, "URL : 1"}, {6, "sum : 1"}}), view.written);
  EXPECT_EQ(1u, view.rows);
  // Another language writes every line anew, a language not known nothing.
  view.written.clear();
  statistik.SetLanguage(kLanguageGerman);
  statistik.refreshStatistik();
  EXPECT_EQ(&GermanTexts().statistics, view.texts);
  EXPECT_EQ(static_cast<size_t>(kCounterLineCount), view.written.size());
  view.written.clear();
  statistik.SetLanguage(99);
  statistik.refreshStatistik();
  EXPECT_EQ(&GermanTexts().statistics, view.texts);
  EXPECT_TRUE(view.written.empty());
}

TEST_F(StatistikFlow, ColumnsAreFittedToTheRowsAndCellsReadFromTheHistory) {
  for (size_t n = 1; n <= 12; ++n) {
    Entry("ADS");
    statistik.refreshStatistik();
    for (const auto& [column, width] : rowwidthLW(ListViewId::History, view.TableWidth(), n))
      EXPECT_EQ(width, view.widths[column]) << n << "/" << column;
  }
  EXPECT_EQ(12u, view.rows);
  EXPECT_EQ("12.", statistik.CellText(11, 0));
  EXPECT_EQ("", statistik.CellText(12, 0));
}

TEST_F(StatistikFlow, RemoveRuleIsEnabledWhileTheRowsRuleIsInForce) {
  Entry("ADS", {RuleSource::ADS, "casino", ""});
  Entry("ADS", {RuleSource::ADS, "bingo", ""});  // not in the list
  Entry("WCS");                                   // recorded without a rule
  Entry("NTP", {RuleSource::Notepad, "", ""});
  struct Case {
    int row;
    bool choose;
    std::vector<bool> menus;  // empty: no menu
    size_t questions;
  } cases[] = {
      {-1, true, {}, 0},     {4, true, {}, 0},      // no such row
      {1, true, {false}, 0}, {2, true, {false}, 0}, // nothing to take back
      {0, false, {true}, 0},                        // the menu closed without a choice
      {0, true, {true}, 1},  {3, true, {true}, 1},
  };
  for (const Case& c : cases) {
    RecordingStatisticsView v;
    Statistik s{w.app, v};
    v.choose = c.choose;
    w.system.boxes.clear();
    w.system.answers = {kIdYes};
    s.ListViewHistoryContextPopup(c.row);
    EXPECT_EQ(c.menus, v.menus) << c.row;
    EXPECT_EQ(c.questions, w.system.boxes.size()) << c.row;
  }
  // Taken back: the list entry and the setting are gone, the menu grays.
  EXPECT_EQ(0u, w.app.rules.ADS.size());
  EXPECT_FALSE(w.app.settings.Notepad);
  view.choose = true;
  statistik.ListViewHistoryContextPopup(0);
  EXPECT_EQ(std::vector<bool>{false}, view.menus);
}

TEST_F(StatistikFlow, HelpOpensTheManualAndOkCloses) {
  w.app.paths.HandbookFile = "C:\\Zapotrix\\help\\zapotrix_handbuch.pdf";
  w.system.PutFile(w.app.paths.HandbookFile, "%PDF");
  statistik.Button2Click();
  ASSERT_EQ(1u, w.shell.executed.size());
  EXPECT_EQ(w.app.paths.HandbookFile, w.shell.executed[0].file);
  EXPECT_EQ(0, view.closed);
  statistik.Button1Click();
  EXPECT_EQ(1, view.closed);
}

}  // namespace
}  // namespace zt::test
