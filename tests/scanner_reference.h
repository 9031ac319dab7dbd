// The keyword and size passes written the straightforward way, entry by
// entry for every window, as the reference the fast passes must agree with.
#pragma once
#include <exception>

#include "app/app_state.h"
#include "engine/keyword_matcher.h"
#include "engine/scanners.h"
#include "engine/snapshot.h"

namespace zt::test {

inline bool ReferenceEligible(AppState& app, const TBrowserWindow& r, int kind) {
  return r.Kind == kind && Eligible(app.Scan(), r);
}

inline void ReferenceKillwindowWDS(AppState& app) {
  try {
    OpenWindowsTable& snap = app.engine.OpenWindows;
    for (size_t k = snap.count; k-- > 0;) {
      if (app.settings.Small_Windows && smallwindows(app.Scan(), snap.records[k].Handle, k)) return;
      TBrowserWindow& rec = snap.records[k];
      if (!app.os.desktop.IsWindow(rec.Handle)) continue;
      std::optional<WindowRect> r = app.os.desktop.Rect(rec.Handle);
      if (!r) continue;
      int width = r->Width(), height = r->Height();
      size_t n = app.rules.WDS.size();
      for (size_t j = 0; j < n; ++j) {
        auto [w, h] = ParseSizeRow(app.Scan(), j);
        if (h != height || w != width) continue;
        // The entry as it is before the closing lets the user edit the list.
        ClosingRule rule{RuleSource::WDS, app.rules.WDS.text(j, 0), app.rules.WDS.text(j, 1)};
        if (ReferenceEligible(app, rec, kInternetExplorer))
          CloseRecord(app.Scan(), rec, kCloseIE, "WDS", width, height, rule);
        if (ReferenceEligible(app, rec, kMozilla) || ReferenceEligible(app, rec, kFirefox))
          CloseRecord(app.Scan(), rec, kCloseMozilla, "WDS", width, height, rule);
      }
    }
  } catch (const std::exception&) {
  }
}

inline void ReferenceKillwindowADS(AppState& app) {
  try {
    OpenWindowsTable& snap = app.engine.OpenWindows;
    for (size_t k = snap.count; k-- > 0;) {
      TBrowserWindow& rec = snap.records[k];
      size_t n = app.rules.ADS.size();
      for (size_t j = 0; j < n; ++j) {
        std::string entry = LowerAZ(app.rules.ADS.text(j));
        std::string caption = LowerAZ(rec.Caption);
        if (entry.empty() || caption.find(entry) == std::string::npos) continue;
        ClosingRule rule{RuleSource::ADS, app.rules.ADS.text(j), ""};
        if (ReferenceEligible(app, rec, kInternetExplorer)) CloseRecord(app.Scan(), rec, kCloseIE, "ADS", 0, 0, rule);
        if (ReferenceEligible(app, rec, kFirefox)) CloseRecord(app.Scan(), rec, kCloseMozilla, "ADS", 0, 0, rule);
        if (ReferenceEligible(app, rec, kMozilla)) CloseRecord(app.Scan(), rec, kCloseMozilla, "ADS", 0, 0, rule);
      }
    }
  } catch (const std::exception&) {
  }
}

}  // namespace zt::test
