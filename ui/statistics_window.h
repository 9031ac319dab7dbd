// The statistics and history window TQvStatistik: the history as a virtual
// table (the rows are read from the history when they are drawn) and the
// counters per scanner, which the history keeps up to date as entries
// arrive. So a refresh after a new entry costs the same with 10 entries
// as with 100,000. Non-modal; the main window holds at most one. Its flow
// is Statistik (app/statistics.h); this class creates the controls, passes
// the events on and implements StatisticsView.
#pragma once
#include <string>

#include "app/app_state.h"
#include "app/statistics.h"
#include "ui/gdi.h"
#include "ui/controls.h"
#include "ui/secondary_window.h"
#include <commctrl.h>

namespace zt {

class TQvStatistik : public SecondaryWindow, private StatisticsView {
 public:
  TQvStatistik(AppState& app, HWND mainWindow);
  ~TQvStatistik() override;

  // Creates the window hidden; false on failure.
  bool Create() override;
  void Present() override { ShowOrFront(); }
  // Shows the window, or brings it to the front when it is shown already.
  void ShowOrFront();
  // Shows the history's length and counters again.
  void refreshStatistik() { statistik_.refreshStatistik(); }
  void SetLanguage(int language) { statistik_.SetLanguage(language); }

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void FormCreateControls();
  void GetDisplayInfo(LVITEMA& item);
  // The context menu of a history row (x, y on the screen; -1, -1 from the
  // keyboard, for the selected row).
  void ShowContextMenu(int x, int y);

  // StatisticsView
  void ShowTexts(const StatisticsTexts& texts) override;
  void SetRowCount(size_t rows) override;
  int TableWidth() override;
  void SetColumnWidth(int column, int width) override;
  void SetCounterLine(int line, const std::string& text) override;
  bool RemoveRuleChosen(bool enabled) override;
  void Close() override;

  HWND mainWindow_;
  Menu contextMenu_;   // IDR_HISTORYMENU
  POINT menuAt_ = {};  // where the context menu opens, on the screen
  Statistik statistik_;
};

}  // namespace zt
