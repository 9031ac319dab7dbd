// What the statistics window TQvStatistik shows, window-free: the columns
// of its history table (one table, so a column can be appended), the text
// of each cell, and the seven counter lines.
#pragma once
#include <array>
#include <cstddef>
#include <string>

#include "engine/history.h"
#include "lang/texts.h"

namespace zt {

// A column of ListViewHistory: its width before the first fitting and its
// caption, either from the language table or the same in both languages.
struct HistoryColumn {
  int width;
  const char* StatisticsTexts::*text;  // nullptr: `fixed` in both languages
  const char* fixed;
};
inline constexpr HistoryColumn kHistoryColumns[] = {
    {30, &StatisticsTexts::ListViewHistoryColumn0, nullptr},  // "Nr."
    {200, &StatisticsTexts::ListViewHistoryColumn1, nullptr}, // window title
    {140, nullptr, kStatisticsColumn2},                       // "URL"
    {45, &StatisticsTexts::ListViewHistoryColumn3, nullptr},  // width
    {45, &StatisticsTexts::ListViewHistoryColumn4, nullptr},  // height
    {80, nullptr, kStatisticsColumn5},                        // "Scanner"
    {56, &StatisticsTexts::ListViewHistoryColumn6, nullptr},  // time
    {120, &StatisticsTexts::ListViewHistoryColumn7, nullptr}, // the rule that decided
};
// The column naming the rule that decided each closing.
constexpr int kHistoryRuleColumn = 7;
constexpr int kHistoryColumnCount = static_cast<int>(sizeof kHistoryColumns / sizeof kHistoryColumns[0]);

// The caption of a column in the language of the texts.
const char* HistoryColumnCaption(int column, const StatisticsTexts& texts);

// The text of one cell: column 0 numbers the rows from "1.", the next six
// are the entry's six fields, the last names its rule ("ADS: casino") in
// the language of the texts; empty outside the table.
std::string HistoryCellText(const History& history, size_t row, int column, const Texts& texts);

// The seven counter boxes in the order Edit1 (window size), Edit2 (URL),
// Edit3 (keywords), Edit4 (window caption), Edit7 (Flash), Edit5
// (Notepad), Edit8 (sum): each its label followed by its counter.
std::array<std::string, 7> CounterLines(const HistoryCounts& counts, const StatisticsTexts& texts);

}  // namespace zt
