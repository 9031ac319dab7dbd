// Popup scanners. Every pass runs as one guarded block: an error ends the
// pass for this cycle, and what it closed before stays closed and recorded.
// The history entry of each closing lets pending messages run, so the user
// may edit a rule list in the middle of a pass; an entry that is gone when
// the pass reaches it ends the pass.
#include "engine/scanners.h"

#include <exception>
#include <stdexcept>

#include "engine/history.h"
#include "engine/scan_context.h"
#include "rules/list_ops.h"

namespace zt {
namespace {

// Wait of the minimum-size rule before it measures the window again.
constexpr unsigned kSmallWindowWaitMs = 100;

}  // namespace

bool Eligible(const ScanContext& ctx, const TBrowserWindow& record) {
  return !record.Handled && KindOn(ctx.settings, record.Kind);
}

void killwnd(Desktop& desk, WindowHandle window, int mode) {
  try {
    if (mode == kCloseIE) {
      desk.Post(window, kWmClose, 0, 0);
      if (desk.IsWindow(window)) desk.Post(window, kWmNcDestroy, 0, 0);
    } else if (mode == kCloseMozilla) {
      if (desk.IsWindow(window)) desk.Post(window, kWmClose, 0, 0);
    }
  } catch (const std::exception&) {
    // A window that cannot be reached is left to the next cycle.
  }
}

bool CloseRecord(const ScanContext& ctx, TBrowserWindow& record, CloseMode mode, const char* key, int width,
                 int height, ClosingRule rule) {
  // Asked at the moment of the decision: a user who holds Ctrl while a
  // wanted popup opens keeps it.
  if (ctx.desktop.ControlKeyDown()) {
    LetThrough(ctx.state, record);
    record.Handled = true;
    return false;
  }
  killwnd(ctx.desktop, record.Handle, mode);
  historylist(ctx, record.Caption, record.URL, width, height, key, std::move(rule));
  record.Handled = true;
  return true;
}

ClosingRule ListRule(RuleSource source, const ListModel& list, size_t row) {
  return {source, list.text(row, 0), source == RuleSource::WDS ? list.text(row, 1) : std::string()};
}

ClosingRule MinSizeRule(const Settings& settings) {
  return {RuleSource::MinSize, std::to_string(settings.SmallWindowWidth), std::to_string(settings.SmallWindowHeight)};
}

std::pair<int, int> ParseSizeRow(const ScanContext& ctx, size_t row) {
  const ListModel& list = ctx.rules.WDS;
  std::optional<int32_t> h = ParseDecimal(list.text(row, 1));  // throws when the row is gone
  std::optional<int32_t> w = h ? ParseDecimal(list.text(row, 0)) : std::nullopt;
  if (!w) throw std::invalid_argument("size entry is not a number");
  return {*w, *h};
}

bool smallwindows(const ScanContext& ctx, WindowHandle window, size_t index) {
  try {
    Desktop& desk = ctx.desktop;
    const Settings& s = ctx.settings;
    if (!desk.IsWindow(window)) return false;
    std::optional<WindowRect> r = desk.Rect(window);
    if (!r) return false;
    int width = r->Width(), height = r->Height();
    TBrowserWindow& rec = ctx.state.OpenWindows.records.at(index);
    if (!KindOn(s, rec.Kind)) return false;
    if (!(width <= s.SmallWindowWidth || height <= s.SmallWindowHeight) || desk.IsIconic(window)) return false;
    // A window still being laid out changes its size: measure it again a
    // moment later and leave it alone when its width moved.
    ctx.view.ProcessPendingMessages();
    ctx.system.Sleep(kSmallWindowWaitMs);
    std::optional<WindowRect> again = desk.Rect(window);
    if (!again || again->Width() != width || rec.Handled) return false;
    return CloseRecord(ctx, rec, CloseModeOf(rec.Kind), "SmallWDS", width, height, MinSizeRule(s));
  } catch (const std::exception&) {
    return false;
  }
}

void KillwindowWDS(const ScanContext& ctx) {
  try {
    OpenWindowsTable& snap = ctx.state.OpenWindows;
    const ListModel& list = ctx.rules.WDS;
    SizeTable& table = ctx.state.scanCache.sizes;
    for (size_t k = snap.count; k-- > 0;) {
      if (ctx.settings.Small_Windows && smallwindows(ctx, snap.records[k].Handle, k)) return;
      TBrowserWindow& rec = snap.records[k];
      if (!ctx.desktop.IsWindow(rec.Handle)) continue;
      std::optional<WindowRect> r = ctx.desktop.Rect(rec.Handle);
      if (!r) continue;
      int width = r->Width(), height = r->Height();
      if (!table.IsFor(list)) table.Build(list);
      size_t rows = table.rows();
      long match = table.Find(width, height);
      if (match >= 0 && Eligible(ctx, rec)) {
        uint64_t revision = list.revision();
        CloseRecord(ctx, rec, CloseModeOf(rec.Kind), "WDS", width, height,
                    ListRule(RuleSource::WDS, list, static_cast<size_t>(match)));
        if (list.revision() != revision) {
          // The list changed while the closing was recorded: the rest of
          // this window's entries are read from the list as it is now.
          for (size_t e = static_cast<size_t>(match) + 1; e < rows; ++e) ParseSizeRow(ctx, e);
          continue;
        }
      }
      // An entry that is not a number ends the pass once a window reaches it.
      if (table.firstBad() < rows) return;
    }
  } catch (const std::exception&) {
    // Ends the pass for this cycle.
  }
}

void killwindowURL(const ScanContext& ctx) {
  try {
    OpenWindowsTable& snap = ctx.state.OpenWindows;
    for (size_t k = snap.count; k-- > 0;) {
      TBrowserWindow& rec = snap.records[k];
      // Only windows whose address bar is read have an address.
      if (!ReadsAddress(rec.Kind) || !KindOn(ctx.settings, rec.Kind)) continue;
      long row = FindStrInListview(rec.URL, ctx.rules.URL, "");
      if (row >= 0 && !rec.Handled)
        CloseRecord(ctx, rec, CloseModeOf(rec.Kind), "URL", 0, 0, ListRule(RuleSource::URL, ctx.rules.URL, static_cast<size_t>(row)));
    }
  } catch (const std::exception&) {
    // Ends the pass for this cycle.
  }
}

void killwindowADS(const ScanContext& ctx) {
  try {
    OpenWindowsTable& snap = ctx.state.OpenWindows;
    const ListModel& list = ctx.rules.ADS;
    KeywordMatcher& matcher = ctx.state.scanCache.keywords;
    for (size_t k = snap.count; k-- > 0;) {
      TBrowserWindow& rec = snap.records[k];
      // A window no entry may close only has the list read over it.
      if (!Eligible(ctx, rec)) continue;
      if (!matcher.IsFor(list)) matcher.Build(list);
      size_t rows = list.size();
      long match = matcher.FirstMatch(rec.Caption);
      if (match < 0) continue;
      CloseRecord(ctx, rec, CloseModeOf(rec.Kind), "ADS", 0, 0, ListRule(RuleSource::ADS, list, static_cast<size_t>(match)));
      // Entries removed while the closing was recorded end the pass when
      // the rest of this window's entries reaches past the list's end.
      if (static_cast<size_t>(match) + 1 < rows && list.size() < rows) return;
    }
  } catch (const std::exception&) {
    // Ends the pass for this cycle.
  }
}

void killwindowWCS(const ScanContext& ctx) {
  try {
    OpenWindowsTable& snap = ctx.state.OpenWindows;
    for (size_t k = snap.count; k-- > 0;) {
      TBrowserWindow& rec = snap.records[k];
      if (!KindOn(ctx.settings, rec.Kind)) continue;
      long row = FindStrInListview(rec.Caption, ctx.rules.WCS, BrowserSuffix(rec.Kind));
      if (row >= 0 && !rec.Handled)
        CloseRecord(ctx, rec, CloseModeOf(rec.Kind), "WCS", 0, 0,
                    ListRule(RuleSource::WCS, ctx.rules.WCS, static_cast<size_t>(row)));
    }
  } catch (const std::exception&) {
    // Ends the pass for this cycle.
  }
}

}  // namespace zt
