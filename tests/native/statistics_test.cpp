// The statistics window's logic: counters kept as entries arrive (and
// leave a full history), table cells, counter lines, column captions.
#include <gtest/gtest.h>

#include "app/statistics.h"
#include "engine_world.h"

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

}  // namespace
}  // namespace zt::test
