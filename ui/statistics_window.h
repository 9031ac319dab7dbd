// The statistics and history window TQvStatistik: the history as a virtual
// table (the rows are read from the history when they are drawn) and the
// counters per scanner, which the history keeps up to date as entries
// arrive. So a refresh after a new entry costs the same with 10 entries
// as with 100,000. Non-modal; the main window holds at most one.
#pragma once
#include <array>
#include <functional>
#include <string>

#include "app/app_state.h"
#include "app/rule_editing.h"
#include "ui/gdi.h"
#include "ui/controls.h"
#include "ui/secondary_window.h"
#include <commctrl.h>

namespace zt {

class TQvStatistik : public SecondaryWindow {
 public:
  TQvStatistik(AppState& app, HWND mainWindow);
  ~TQvStatistik() override;

  // Creates the window hidden; false on failure.
  bool Create() override;
  void Present() override { ShowOrFront(); }
  // Shows the window, or brings it to the front when it is shown already.
  void ShowOrFront();
  // Shows the history's length and counters again.
  void refreshStatistik();
  void SetLanguage(int language);

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void FormCreateControls();
  void FormShow();
  void FormClose();
  void Button1Click() { FormClose(); }
  void Button2Click();
  void GetDisplayInfo(LVITEMA& item);
  // The context menu of a history row (x, y on the screen; -1, -1 from the
  // keyboard, for the selected row): "Remove rule", disabled when the row's
  // rule is gone already.
  void ShowContextMenu(int x, int y);
  void Regelentfernen1Click(const ClosingRule& rule);

  AppState& app_;
  HWND mainWindow_;
  WindowLanguage<StatisticsTexts> language_;
  std::array<std::string, 7> counterLines_;  // as shown, so unchanged lines are not written again
  RuleEditing editing_;                      // takes a row's rule back as the main window's editors do
  Menu contextMenu_;                         // IDR_HISTORYMENU
};

}  // namespace zt
