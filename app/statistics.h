// The statistics window TQvStatistik, window-free: the columns of its
// history table (one table, so a column can be appended), the text of each
// cell, the seven counter lines, and the window's flow (Statistik) behind
// StatisticsView, which the window (ui/statistics_window.h) implements.
#pragma once
#include <array>
#include <cstddef>
#include <string>

#include "app/app_state.h"
#include "app/rule_editing.h"
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
constexpr int kCounterLineCount = 7;
std::array<std::string, kCounterLineCount> CounterLines(const HistoryCounts& counts, const StatisticsTexts& texts);

class StatisticsView {
 public:
  virtual ~StatisticsView() = default;
  // The captions of the columns, the group box, the buttons and the
  // context menu in the language of the texts.
  virtual void ShowTexts(const StatisticsTexts& texts) = 0;
  // The number of rows of the virtual table; the rows on screen are drawn
  // again, their cells asked for through CellText.
  virtual void SetRowCount(size_t rows) = 0;
  virtual int TableWidth() = 0;
  virtual void SetColumnWidth(int column, int width) = 0;
  // A counter box, in the order of CounterLines.
  virtual void SetCounterLine(int line, const std::string& text) = 0;
  // The context menu of a history row with "Remove rule" enabled or grayed;
  // true when the user chose it.
  virtual bool RemoveRuleChosen(bool enabled) = 0;
  // FormClose: hides the window, brings the application to the front
  // while the main window is shown, and destroys the window.
  virtual void Close() = 0;
};

class Statistik {
 public:
  Statistik(AppState& app, StatisticsView& view);

  // The language of the program, then the history's length and counters.
  void FormShow();
  void SetLanguage(int language);
  // Shows the history's length and counters again: only the counter lines
  // that changed are written.
  void refreshStatistik();
  // The text of a cell of the virtual table.
  std::string CellText(size_t row, int column) const;
  // The context menu on a history row (-1: none): "Remove rule" is enabled
  // while the row's rule is in force.
  void ListViewHistoryContextPopup(int row);
  void Regelentfernen1Click(const ClosingRule& rule) { editing_.RemoveHistoryRule(rule); }
  void Button1Click() { view_.Close(); }
  // The program has no help file of its own: Help opens the manual, as the
  // main window's help menu does.
  void Button2Click();

 private:
  AppState& app_;
  StatisticsView& view_;
  WindowLanguage<StatisticsTexts> language_;
  std::array<std::string, kCounterLineCount> counterLines_;  // as shown
  RuleEditing editing_;  // takes a row's rule back as the main window's editors do
};

}  // namespace zt
