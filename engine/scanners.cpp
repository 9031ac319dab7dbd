// Popup scanners. Every pass runs as one guarded block: an error ends the
// pass for this cycle, and what it closed before stays closed and recorded.
// The history entry of each closing lets pending messages run, so the user
// may edit a rule list in the middle of a pass; an entry that is gone when
// the pass reaches it ends the pass.
#include "engine/scanners.h"

#include <exception>
#include <stdexcept>

#include "app/app_state.h"
#include "engine/history.h"
#include "rules/list_ops.h"

namespace zt {
namespace {

bool KindOn(const Settings& s, int kind) {
  switch (kind) {
    case kInternetExplorer: return s.Internet_Explorer;
    case kFirefox: return s.Firefox;
    case kMozilla: return s.Mozilla;
    default: return false;
  }
}

// Wait of the minimum-size rule before it measures the window again.
constexpr unsigned kSmallWindowWaitMs = 100;

}  // namespace

int CloseMode(int kind) { return kind == kInternetExplorer ? kCloseIE : kCloseMozilla; }

bool Eligible(const AppState& app, const TBrowserWindow& record) {
  return !record.Handled && KindOn(app.settings, record.Kind);
}

void killwnd(AppState& app, WindowHandle window, int mode) {
  try {
    Desktop& desk = app.os.desktop;
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

void CloseRecord(AppState& app, TBrowserWindow& record, int mode, const char* key, int width, int height) {
  killwnd(app, record.Handle, mode);
  historylist(app, record.Caption, record.URL, width, height, key);
  record.Handled = true;
}

std::pair<int, int> ParseSizeRow(const AppState& app, size_t row) {
  const ListModel& list = app.rules.WDS;
  std::optional<int32_t> h = ParseDecimal(list.text(row, 1));  // throws when the row is gone
  std::optional<int32_t> w = h ? ParseDecimal(list.text(row, 0)) : std::nullopt;
  if (!w) throw std::invalid_argument("size entry is not a number");
  return {*w, *h};
}

bool smallwindows(AppState& app, WindowHandle window, size_t index) {
  try {
    Desktop& desk = app.os.desktop;
    const Settings& s = app.settings;
    if (!desk.IsWindow(window)) return false;
    std::optional<WindowRect> r = desk.Rect(window);
    if (!r) return false;
    int width = r->Width(), height = r->Height();
    TBrowserWindow& rec = app.OpenWindows.records.at(index);
    bool on = (rec.Kind == kInternetExplorer && s.Internet_Explorer) || (rec.Kind == kMozilla && s.Mozilla) ||
              (rec.Kind == kFirefox && s.Firefox);
    if (!on) return false;
    if (!(width <= s.SmallWindowWidth || height <= s.SmallWindowHeight) || desk.IsIconic(window)) return false;
    // A window still being laid out changes its size: measure it again a
    // moment later and leave it alone when its width moved.
    app.view.ProcessPendingMessages();
    app.os.system.Sleep(kSmallWindowWaitMs);
    std::optional<WindowRect> again = desk.Rect(window);
    if (!again || again->Width() != width || rec.Handled) return false;
    CloseRecord(app, rec, CloseMode(rec.Kind), "SmallWDS", width, height);
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

void KillwindowWDS(AppState& app) {
  try {
    OpenWindowsTable& snap = app.OpenWindows;
    const ListModel& list = app.rules.WDS;
    SizeTable& table = app.scanCache.sizes;
    for (size_t k = snap.count; k-- > 0;) {
      if (app.settings.Small_Windows && smallwindows(app, snap.records[k].Handle, k)) return;
      TBrowserWindow& rec = snap.records[k];
      if (!app.os.desktop.IsWindow(rec.Handle)) continue;
      std::optional<WindowRect> r = app.os.desktop.Rect(rec.Handle);
      if (!r) continue;
      int width = r->Width(), height = r->Height();
      if (!table.IsFor(list)) table.Build(list);
      size_t rows = table.rows();
      long match = table.Find(width, height);
      if (match >= 0 && Eligible(app, rec)) {
        uint64_t revision = list.revision();
        CloseRecord(app, rec, CloseMode(rec.Kind), "WDS", width, height);
        if (list.revision() != revision) {
          // The list changed while the closing was recorded: the rest of
          // this window's entries are read from the list as it is now.
          for (size_t e = static_cast<size_t>(match) + 1; e < rows; ++e) ParseSizeRow(app, e);
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

void killwindowURL(AppState& app) {
  try {
    OpenWindowsTable& snap = app.OpenWindows;
    for (size_t k = snap.count; k-- > 0;) {
      TBrowserWindow& rec = snap.records[k];
      if (!app.settings.Internet_Explorer || rec.Kind != kInternetExplorer) continue;
      if (is_str_in_listview(rec.URL, app.rules.URL, "") && !rec.Handled)
        CloseRecord(app, rec, kCloseIE, "URL", 0, 0);
    }
  } catch (const std::exception&) {
    // Ends the pass for this cycle.
  }
}

void killwindowADS(AppState& app) {
  try {
    OpenWindowsTable& snap = app.OpenWindows;
    const ListModel& list = app.rules.ADS;
    KeywordMatcher& matcher = app.scanCache.keywords;
    for (size_t k = snap.count; k-- > 0;) {
      TBrowserWindow& rec = snap.records[k];
      // A window no entry may close only has the list read over it.
      if (!Eligible(app, rec)) continue;
      if (!matcher.IsFor(list)) matcher.Build(list);
      size_t rows = list.size();
      long match = matcher.FirstMatch(rec.Caption);
      if (match < 0) continue;
      CloseRecord(app, rec, CloseMode(rec.Kind), "ADS", 0, 0);
      // Entries removed while the closing was recorded end the pass when
      // the rest of this window's entries reaches past the list's end.
      if (static_cast<size_t>(match) + 1 < rows && list.size() < rows) return;
    }
  } catch (const std::exception&) {
    // Ends the pass for this cycle.
  }
}

void killwindowWCS(AppState& app) {
  try {
    OpenWindowsTable& snap = app.OpenWindows;
    const Settings& s = app.settings;
    for (size_t k = snap.count; k-- > 0;) {
      TBrowserWindow& rec = snap.records[k];
      bool on = (rec.Kind == kInternetExplorer && s.Internet_Explorer) || (rec.Kind == kMozilla && s.Mozilla) ||
                (rec.Kind == kFirefox && s.Firefox);
      if (!on) continue;
      if (is_str_in_listview(rec.Caption, app.rules.WCS, BrowserSuffix(rec.Kind)) && !rec.Handled)
        CloseRecord(app, rec, CloseMode(rec.Kind), "WCS", 0, 0);
    }
  } catch (const std::exception&) {
    // Ends the pass for this cycle.
  }
}

}  // namespace zt
