// History of closed popups and its counting.
#include "engine/history.h"

#include <exception>

#include "app/app_state.h"

namespace zt {
namespace {

struct ScannerName {
  const char* key;
  const char* english;
  const char* german;
};

constexpr ScannerName kScannerNames[] = {
    {"WCS", "Window Caption", "Fenstername"},
    {"URL", "URL", "URL"},
    {"ADS", "Keyword", "Keyword"},
    {"WDS", "Windowsize", "Fenstergröße"},
    {"SmallWDS", "MinSize", "MinSize"},
    {"FlashAX", "Flashremove", "Flashremove"},
    {"NTP", "Notepad", "Notepad"},
};

std::string SizeText(int value) { return value > 0 ? std::to_string(value) : std::string(); }

}  // namespace

std::string ScannerDisplayName(const std::string& key, bool german) {
  for (const ScannerName& n : kScannerNames)
    if (key == n.key) return german ? n.german : n.english;
  return {};
}

HistoryCounts CountHistory(const History& history, bool german) {
  const std::string wds = ScannerDisplayName("WDS", german), small = ScannerDisplayName("SmallWDS", german),
                    url = ScannerDisplayName("URL", german), ads = ScannerDisplayName("ADS", german),
                    wcs = ScannerDisplayName("WCS", german), flash = ScannerDisplayName("FlashAX", german),
                    ntp = ScannerDisplayName("NTP", german);
  HistoryCounts c;
  for (const HistoryEntry& e : history) {
    if (e.scanner == wds || e.scanner == small) ++c.windowSize;
    else if (e.scanner == url) ++c.url;
    else if (e.scanner == ads) ++c.keyword;
    else if (e.scanner == wcs) ++c.caption;
    else if (e.scanner == flash) ++c.flash;
    else if (e.scanner == ntp) ++c.notepad;
  }
  c.total = c.windowSize + c.url + c.keyword + c.caption + c.flash + c.notepad;
  return c;
}

void ClearHistory(AppState& app) { app.history.clear(); }

void historylist(AppState& app, const std::string& caption, const std::string& url, int width,
                 int height, const std::string& scannerKey) {
  try {
    HistoryEntry e{caption, url, SizeText(width), SizeText(height),
                   ScannerDisplayName(scannerKey, app.flags.IsGerman), app.os.system.TimeOfDayText()};
    app.history.push_back(std::move(e));
  } catch (const std::exception&) {
    // A closing that cannot be recorded still happened; the scan goes on.
  }
  app.view.ProcessPendingMessages();
  app.view.ListChanged(ListViewId::History);
}

}  // namespace zt
