// History of closed popups and its counting.
#include "engine/history.h"

#include <exception>

#include "engine/scan_context.h"

namespace zt {
namespace {

struct ScannerKey {
  const char* key;
  const char* ScannerNames::*name;
};

constexpr ScannerKey kScannerKeys[] = {
    {"WCS", &ScannerNames::windowCaption}, {"URL", &ScannerNames::url},
    {"ADS", &ScannerNames::keyword},       {"WDS", &ScannerNames::windowSize},
    {"SmallWDS", &ScannerNames::minSize},  {"FlashAX", &ScannerNames::flash},
    {"NTP", &ScannerNames::notepad},
};

std::string SizeText(int value) { return value > 0 ? std::to_string(value) : std::string(); }

}  // namespace

std::string ScannerDisplayName(const std::string& key, const Texts& texts) {
  for (const ScannerKey& k : kScannerKeys)
    if (key == k.key) return texts.scanner.*k.name;
  return {};
}

HistoryCounts CountHistory(const History& history, const Texts& texts) {
  const ScannerNames& n = texts.scanner;
  const std::string wds = n.windowSize, small = n.minSize, url = n.url, ads = n.keyword, wcs = n.windowCaption,
                    flash = n.flash, ntp = n.notepad;
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

void AppendHistory(History& history, HistoryEntry entry) {
  history.push_back(std::move(entry));
  while (history.size() > kMaxHistory) history.pop_front();
}

void historylist(const ScanContext& ctx, const std::string& caption, const std::string& url, int width,
                 int height, const std::string& scannerKey, ClosingRule rule) {
  try {
    AppendHistory(ctx.state.history, HistoryEntry{caption, url, SizeText(width), SizeText(height),
                                                  ScannerDisplayName(scannerKey, ctx.texts),
                                                  ctx.system.TimeOfDayText(), std::move(rule)});
  } catch (const std::exception&) {
    // A closing that cannot be recorded still happened; the scan goes on.
  }
  ctx.view.ProcessPendingMessages();
  ctx.view.ListChanged(ListViewId::History);
}

}  // namespace zt
