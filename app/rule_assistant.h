// The rule assistant's logic, window-free: the rules it proposes for one
// browser window (caption, address, size, keywords), the keywords the user
// adds, the check marks, and taking the checked rules over into the rule
// lists through the main window's own add handlers; and the window's flow
// (RuleAssisting) behind RuleAssistantView, which the window
// (ui/rule_window.h) implements.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/main_view.h"
#include "app/rule_editing.h"
#include "lang/texts.h"
#include "rules/list_model.h"

namespace zt {

// What the main window held for the chosen browser window when the
// assistant was opened.
struct RuleProposal {
  std::string caption;  // first column of the chosen row of ListView1
  std::string url;      // EdAddURL
  std::string width;    // EdWidth
  std::string height;   // EdHeight
};

// The proposal for the row chosen in ListView1; nothing without a chosen row.
std::optional<RuleProposal> ProposeRules(const ListModel& ListView1, MainView& view);

// One row of ListViewRule.
struct AssistantRow {
  std::string target;  // the rule list, or the ditto mark below the keyword row
  std::string value;
  bool checked = false;
  bool placeholder = false;  // the keyword row before a keyword was added
};

// The rows and what the assistant's handlers do to them. Rows 0 to 3
// (caption, URL, size, keyword) always exist; further keywords follow.
class RuleAssistant {
 public:
  static constexpr int kCaptionRow = 0;
  static constexpr int kUrlRow = 1;
  static constexpr int kSizeRow = 2;
  static constexpr int kKeywordRow = 3;

  RuleAssistant(const RuleAssistantTexts& texts, RuleProposal proposal);

  const std::vector<AssistantRow>& rows() const { return rows_; }

  // "+": the keyword goes into the keyword row while it holds the
  // placeholder, else into a new row; checked either way. False (nothing
  // changes) for an empty keyword.
  bool Button1Click(const std::string& keyword);
  // A click on the table: the placeholder row cannot stay checked.
  void ListViewRuleClick();
  // The row's check box as the user set it; rows that do not exist are ignored.
  void SetChecked(int row, bool checked);
  // The context menu on the selected row (-1: none).
  void hinzufgen1Click(int selected) { SetChecked(selected, true); }
  void nichthinzufgen1Click(int selected) { SetChecked(selected, false); }

  // Adds every checked rule as the main window's add buttons do, with the
  // values the rows show: the main window's boxes are filled from the rows
  // first, since they may show another window by now.
  void BTRuleAddClick(RuleEditing& editing, MainView& view) const;

 private:
  RuleProposal proposal_;
  std::vector<AssistantRow> rows_;
};

class RuleAssistantView {
 public:
  virtual ~RuleAssistantView() = default;
  // The caption, labels, buttons, column captions and tooltips in the
  // language of the texts.
  virtual void ShowTexts(const RuleAssistantTexts& texts) = 0;
  virtual void ShowRows(const std::vector<AssistantRow>& rows) = 0;
  virtual void ActivateHints(bool on) = 0;
  // The keyword box (Edit1).
  virtual std::string KeywordText() = 0;
  virtual void SetKeywordText(const std::string& text) = 0;
  // The table's selected row; -1 for none.
  virtual int SelectedRow() = 0;
  // FormClose: hides the window, brings the application to the front
  // while the main window is shown, and destroys the window.
  virtual void Close() = 0;
};

// The rule assistant's handlers, named after the window's events.
class RuleAssisting {
 public:
  RuleAssisting(AppState& app, RuleEditing& editing, RuleAssistantView& view, RuleAssistant assistant);

  const RuleAssistant& assistant() const { return assistant_; }
  // The design texts (German) and the proposed rows.
  void FormCreate();
  // The language of the program and the tooltips as the settings want them.
  void FormShow();
  void SetLanguage(int language);
  void Button1Click();
  void ListViewRuleClick();
  // A check box the user ticked or cleared.
  void ListViewRuleChecked(int row, bool checked) { assistant_.SetChecked(row, checked); }
  void hinzufgen1Click();
  void nichthinzufgen1Click();
  // Takes the checked rules over, then closes.
  void BTRuleAddClick();
  void BTcancelClick() { view_.Close(); }

 private:
  void ShowRows() { view_.ShowRows(assistant_.rows()); }

  AppState& app_;
  RuleEditing& editing_;
  RuleAssistantView& view_;
  RuleAssistant assistant_;
  WindowLanguage<RuleAssistantTexts> language_;
  bool takingOver_ = false;
};

}  // namespace zt
