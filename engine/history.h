// The history of closed popups: one entry per closing by a scanner or an
// extra killer, kept while the program runs, and the per-scanner counting
// that the statistics window shows.
#pragma once
#include <cstddef>
#include <deque>
#include <string>

#include "lang/texts.h"

namespace zt {

struct ScanContext;

// Where the rule that decided a closing lives: one of the four rule lists,
// the minimum-size rule, or the setting of an extra killer.
enum class RuleSource { None, WCS, URL, ADS, WDS, MinSize, Flash, Notepad };

// The rule that decided a closing. For the four lists, the entry as its
// row held it when the window was closed (first column; WDS: width, then
// height); for the minimum-size rule, the limits in force (width, height);
// nothing more for the Flash and Notepad killers, whose setting is the
// rule. Two plain texts rather than a list: a closing must stay cheap.
struct ClosingRule {
  RuleSource source = RuleSource::None;
  std::string first;
  std::string second;

  bool operator==(const ClosingRule& o) const {
    return source == o.source && first == o.first && second == o.second;
  }
  bool operator!=(const ClosingRule& o) const { return !(*this == o); }
};

struct HistoryEntry {
  std::string title;    // the closed window's caption
  std::string url;      // its address, empty for most scanners
  std::string width;    // decimal, empty when no size was passed
  std::string height;
  std::string scanner;  // display name of the scanner in the start-up language
  std::string time;     // time of day in the system's long time format
  ClosingRule rule;     // what decided the closing; not one of the table's six texts
};

// The newest entries, oldest first. A window that ignores WM_CLOSE is
// closed and recorded at every cycle, four times a second in fast mode; so
// the history keeps the newest kMaxHistory entries (about a week of such a
// window, far more than a day of popups) and drops the oldest beyond them.
using History = std::deque<HistoryEntry>;
constexpr size_t kMaxHistory = 100000;

// The counters of the statistics window: counted afresh from the history
// by CountHistory, or kept up to date entry by entry by AppendHistory.
struct HistoryCounts {
  int windowSize = 0;  // the size scanner and the minimum-size rule
  int url = 0;
  int keyword = 0;
  int caption = 0;
  int flash = 0;
  int notepad = 0;
  int total = 0;  // the sum of the six

  // Counts one entry in (delta 1) or out (delta -1) by its scanner's display
  // name in the language of the texts; other names count nowhere.
  void Count(const HistoryEntry& entry, const Texts& texts, int delta);
  bool operator==(const HistoryCounts& o) const {
    return windowSize == o.windowSize && url == o.url && keyword == o.keyword && caption == o.caption &&
           flash == o.flash && notepad == o.notepad && total == o.total;
  }
};

// Display name of a scanner key ("WDS", "SmallWDS", "URL", "ADS", "WCS",
// "FlashAX", "NTP"); empty for any other key.
std::string ScannerDisplayName(const std::string& key, const Texts& texts);

// Counts the entries of each scanner by the display names of the language.
HistoryCounts CountHistory(const History& history, const Texts& texts);

// Appends one entry, dropping the oldest beyond kMaxHistory.
void AppendHistory(History& history, HistoryEntry entry);
// The same, keeping counts equal to CountHistory(history, texts) without
// counting the whole history again.
void AppendHistory(History& history, HistoryCounts& counts, const Texts& texts, HistoryEntry entry);

// Records one closing (width and height 0 or less: none), lets pending
// messages be processed, then tells the view that the history changed so
// an open statistics window shows it. Never called from inside a window
// enumeration: a quit handled while messages run would destroy the main
// window under it.
void historylist(const ScanContext& ctx, const std::string& caption, const std::string& url, int width,
                 int height, const std::string& scannerKey, ClosingRule rule);

}  // namespace zt
