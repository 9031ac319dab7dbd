// The statistics window's table cells, counter lines and flow.
#include "app/statistics.h"

#include "app/help_actions.h"
#include "engine/closing_rules.h"
#include "rules/list_ops.h"

namespace zt {

const char* HistoryColumnCaption(int column, const StatisticsTexts& texts) {
  if (column < 0 || column >= kHistoryColumnCount) return "";
  const HistoryColumn& c = kHistoryColumns[column];
  return c.text ? texts.*c.text : c.fixed;
}

std::string HistoryCellText(const History& history, size_t row, int column, const Texts& texts) {
  if (row >= history.size()) return {};
  const HistoryEntry& e = history[row];
  switch (column) {
    case 0: return std::to_string(row + 1) + ".";
    case 1: return e.title;
    case 2: return e.url;
    case 3: return e.width;
    case 4: return e.height;
    case 5: return e.scanner;
    case 6: return e.time;
    case kHistoryRuleColumn: return RuleText(e.rule, texts);
    default: return {};
  }
}

std::array<std::string, kCounterLineCount> CounterLines(const HistoryCounts& c, const StatisticsTexts& t) {
  return {std::string(t.countWindowSize) + std::to_string(c.windowSize),
          std::string(t.countUrl) + std::to_string(c.url),
          std::string(t.countKeywords) + std::to_string(c.keyword),
          std::string(t.countCaption) + std::to_string(c.caption),
          std::string(t.countFlash) + std::to_string(c.flash),
          std::string(t.countNotepad) + std::to_string(c.notepad),
          std::string(t.countTotal) + std::to_string(c.total)};
}

Statistik::Statistik(AppState& app, StatisticsView& view)
    : app_(app),
      view_(view),
      language_([](const Texts& t) -> const StatisticsTexts& { return t.statistics; }),
      editing_(app) {}

void Statistik::FormShow() {
  SetLanguage(app_.flags.IsGerman ? kLanguageGerman : kLanguageEnglish);
  refreshStatistik();
}

void Statistik::SetLanguage(int language) {
  if (!language_.Set(language)) return;
  view_.ShowTexts(language_.texts());
  counterLines_ = {};  // the counter boxes are written anew in this language
}

void Statistik::refreshStatistik() {
  size_t rows = app_.engine.history.size();
  view_.SetRowCount(rows);
  for (const auto& [column, width] : rowwidthLW(ListViewId::History, view_.TableWidth(), rows))
    view_.SetColumnWidth(column, width);
  std::array<std::string, kCounterLineCount> lines = CounterLines(app_.engine.historyCounts, language_.texts());
  for (int i = 0; i < kCounterLineCount; ++i) {
    if (lines[i] == counterLines_[i]) continue;
    view_.SetCounterLine(i, lines[i]);
    counterLines_[i] = lines[i];
  }
}

std::string Statistik::CellText(size_t row, int column) const {
  return HistoryCellText(app_.engine.history, row, column, app_.texts());
}

void Statistik::ListViewHistoryContextPopup(int row) {
  const History& history = app_.engine.history;
  if (row < 0 || static_cast<size_t>(row) >= history.size()) return;
  // A copy: scan cycles run while the menu is open and may drop the entry.
  ClosingRule rule = history[static_cast<size_t>(row)].rule;
  if (view_.RemoveRuleChosen(editing_.RuleInForce(rule))) Regelentfernen1Click(rule);
}

void Statistik::Button2Click() {
  OpenHandbook(app_.os.system, app_.os.shell, app_.paths.HandbookFile, app_.texts());
}

}  // namespace zt
