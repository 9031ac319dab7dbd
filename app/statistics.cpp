// The statistics window's table cells and counter lines.
#include "app/statistics.h"

#include "engine/closing_rules.h"

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

std::array<std::string, 7> CounterLines(const HistoryCounts& c, const StatisticsTexts& t) {
  return {std::string(t.countWindowSize) + std::to_string(c.windowSize),
          std::string(t.countUrl) + std::to_string(c.url),
          std::string(t.countKeywords) + std::to_string(c.keyword),
          std::string(t.countCaption) + std::to_string(c.caption),
          std::string(t.countFlash) + std::to_string(c.flash),
          std::string(t.countNotepad) + std::to_string(c.notepad),
          std::string(t.countTotal) + std::to_string(c.total)};
}

}  // namespace zt
