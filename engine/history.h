// The history of closed popups: one entry per closing by a scanner or an
// extra killer, kept for the whole run, and the per-scanner counting that
// the statistics window shows.
#pragma once
#include <string>
#include <vector>

namespace zt {

struct AppState;

struct HistoryEntry {
  std::string title;    // the closed window's caption
  std::string url;      // its address, empty for most scanners
  std::string width;    // decimal, empty when no size was passed
  std::string height;
  std::string scanner;  // display name of the scanner in the start-up language
  std::string time;     // time of day in the system's long time format
};

using History = std::vector<HistoryEntry>;

// The counters of the statistics window, counted afresh from the history.
struct HistoryCounts {
  int windowSize = 0;  // the size scanner and the minimum-size rule
  int url = 0;
  int keyword = 0;
  int caption = 0;
  int flash = 0;
  int notepad = 0;
  int total = 0;  // the sum of the six
};

// Display name of a scanner key ("WDS", "SmallWDS", "URL", "ADS", "WCS",
// "FlashAX", "NTP"); empty for any other key.
std::string ScannerDisplayName(const std::string& key, bool german);

// Counts the entries of each scanner by the display names of the language.
HistoryCounts CountHistory(const History& history, bool german);

// Empties the history (start-up).
void ClearHistory(AppState& app);

// Records one closing (width and height 0 or less: none), lets pending
// messages be processed, then tells the view that the history changed so
// an open statistics window shows it.
void historylist(AppState& app, const std::string& caption, const std::string& url, int width,
                 int height, const std::string& scannerKey);

}  // namespace zt
