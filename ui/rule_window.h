// The rule assistant TQvRule: shows the rules RuleAssistant proposes for one
// browser window as a table with check boxes, takes keywords, and hands the
// checked rules to the main window's add handlers. Non-modal; the main
// window holds at most one.
#pragma once
#include <functional>

#include "app/app_state.h"
#include "app/rule_assistant.h"
#include "app/rule_editing.h"
#include "ui/controls.h"
#include "ui/gdi.h"
#include "ui/secondary_window.h"
#include <commctrl.h>

namespace zt {

class TQvRule : public SecondaryWindow {
 public:
  TQvRule(AppState& app, RuleEditing& editing, HWND mainWindow, RuleAssistant assistant);
  ~TQvRule() override;

  bool Create() override;
  void Present() override { ShowOrFront(); }
  // Shows the window, or brings it to the front when it is shown already.
  void ShowOrFront();
  void SetLanguage(int language);
  const RuleAssistant& assistant() const { return assistant_; }

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void FormCreateControls();
  void FormShow();
  void FormClose();
  void Button1Click();
  void ListViewRuleClick();
  void hinzufgen1Click();
  void nichthinzufgen1Click();
  void BTRuleAddClick();
  void BTcancelClick() { FormClose(); }
  void ShowContextMenu(int x, int y);
  void OnItemChanged(const NMLISTVIEW& change);
  // Writes the rows of the assistant into the table.
  void ShowRows();
  int SelectedRow() const;

  AppState& app_;
  RuleEditing& editing_;
  HWND mainWindow_;
  RuleAssistant assistant_;
  WindowLanguage<RuleAssistantTexts> language_;
  Tooltips hints_;
  Menu contextMenu_;  // IDR_RULEMENU
  bool showingRows_ = false;     // the table's changes come from ShowRows, not the user
  bool takingOver_ = false;
};

}  // namespace zt
