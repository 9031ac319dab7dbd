// The rule assistant TQvRule: shows the rules RuleAssistant proposes for one
// browser window as a table with check boxes, takes keywords, and hands the
// checked rules to the main window's add handlers. Non-modal; the main
// window holds at most one. Its flow is RuleAssisting
// (app/rule_assistant.h); this class creates the controls, passes the
// events on and implements RuleAssistantView.
#pragma once
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/rule_assistant.h"
#include "app/rule_editing.h"
#include "ui/controls.h"
#include "ui/gdi.h"
#include "ui/secondary_window.h"
#include <commctrl.h>

namespace zt {

class TQvRule : public SecondaryWindow, private RuleAssistantView {
 public:
  TQvRule(AppState& app, RuleEditing& editing, HWND mainWindow, RuleAssistant assistant);
  ~TQvRule() override;

  bool Create() override;
  void Present() override { ShowOrFront(); }
  // Shows the window, or brings it to the front when it is shown already.
  void ShowOrFront();
  void SetLanguage(int language) { assisting_.SetLanguage(language); }
  const RuleAssistant& assistant() const { return assisting_.assistant(); }

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void FormCreateControls();
  void ShowContextMenu(int x, int y);
  void OnItemChanged(const NMLISTVIEW& change);

  // RuleAssistantView
  void ShowTexts(const RuleAssistantTexts& texts) override;
  void ShowRows(const std::vector<AssistantRow>& rows) override;
  void ActivateHints(bool on) override { hints_.Activate(on); }
  std::string KeywordText() override;
  void SetKeywordText(const std::string& text) override;
  int SelectedRow() override;
  void Close() override;

  HWND mainWindow_;
  Tooltips hints_;
  Menu contextMenu_;          // IDR_RULEMENU
  bool showingRows_ = false;  // the table's changes come from ShowRows, not the user
  RuleAssisting assisting_;
};

}  // namespace zt
