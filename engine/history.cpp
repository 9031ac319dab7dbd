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

void HistoryCounts::Count(const HistoryEntry& e, const Texts& texts, int delta) {
  const ScannerNames& n = texts.scanner;
  int* counter = nullptr;
  if (e.scanner == n.windowSize || e.scanner == n.minSize) counter = &windowSize;
  else if (e.scanner == n.url) counter = &url;
  else if (e.scanner == n.keyword) counter = &keyword;
  else if (e.scanner == n.windowCaption) counter = &caption;
  else if (e.scanner == n.flash) counter = &flash;
  else if (e.scanner == n.notepad) counter = &notepad;
  if (!counter) return;
  *counter += delta;
  total += delta;
}

HistoryCounts CountHistory(const History& history, const Texts& texts) {
  HistoryCounts c;
  for (const HistoryEntry& e : history) c.Count(e, texts, 1);
  return c;
}

void AppendHistory(History& history, HistoryEntry entry) {
  history.push_back(std::move(entry));
  while (history.size() > kMaxHistory) history.pop_front();
}

void AppendHistory(History& history, HistoryCounts& counts, const Texts& texts, HistoryEntry entry) {
  history.push_back(std::move(entry));
  counts.Count(history.back(), texts, 1);
  while (history.size() > kMaxHistory) {
    counts.Count(history.front(), texts, -1);
    history.pop_front();
  }
}

void historylist(const ScanContext& ctx, const std::string& caption, const std::string& url, int width,
                 int height, const std::string& scannerKey, ClosingRule rule) {
  try {
    AppendHistory(ctx.state.history, ctx.state.historyCounts, ctx.texts, HistoryEntry{caption, url, SizeText(width), SizeText(height),
                                                  ScannerDisplayName(scannerKey, ctx.texts),
                                                  ctx.system.TimeOfDayText(), std::move(rule)});
  } catch (const std::exception&) {
    // A closing that cannot be recorded still happened; the scan goes on.
  }
  ++ctx.state.closedSinceStart;
  ctx.view.ProcessPendingMessages();
  ctx.view.ListChanged(ListViewId::History);
}

}  // namespace zt
