// The rule assistant's rows, its take-over and its window's flow.
#include "app/rule_assistant.h"

namespace zt {

std::optional<RuleProposal> ProposeRules(const ListModel& ListView1, MainView& view) {
  int row = ListView1.selected;
  if (row < 0 || static_cast<size_t>(row) >= ListView1.size()) return std::nullopt;
  return RuleProposal{ListView1.text(static_cast<size_t>(row), 0), view.EditText(EditBox::EdAddURL),
                      view.EditText(EditBox::EdWidth), view.EditText(EditBox::EdHeight)};
}

RuleAssistant::RuleAssistant(const RuleAssistantTexts& texts, RuleProposal proposal)
    : proposal_(std::move(proposal)) {
  const RuleProposal& p = proposal_;
  rows_ = {{texts.rowCaption, p.caption, true, false},
           {kAssistantUrlRow, p.url, !p.url.empty(), false},
           {texts.rowSize, p.width + " x " + p.height, false, false},
           {texts.rowKeywords, texts.noValue, false, true}};
}

bool RuleAssistant::Button1Click(const std::string& keyword) {
  if (keyword.empty()) return false;
  AssistantRow& keywords = rows_[kKeywordRow];
  if (keywords.placeholder) keywords = {keywords.target, keyword, true, false};
  else rows_.push_back({kAssistantDitto, keyword, true, false});
  return true;
}

void RuleAssistant::ListViewRuleClick() {
  if (rows_[kKeywordRow].placeholder) rows_[kKeywordRow].checked = false;
}

void RuleAssistant::SetChecked(int row, bool checked) {
  if (row >= 0 && static_cast<size_t>(row) < rows_.size()) rows_[static_cast<size_t>(row)].checked = checked;
}

void RuleAssistant::BTRuleAddClick(RuleEditing& editing, MainView& view) const {
  if (rows_[kCaptionRow].checked) {
    view.SetEditText(EditBox::EDADDCaption, proposal_.caption);
    editing.BTAddClick();
  }
  if (rows_[kUrlRow].checked) {
    view.SetEditText(EditBox::EdAddURL, proposal_.url);
    editing.BtURLAddClick();
  }
  if (rows_[kSizeRow].checked) {
    view.SetEditText(EditBox::EdWidth, proposal_.width);
    view.SetEditText(EditBox::EdHeight, proposal_.height);
    editing.BtAddtoGridClick();
  }
  for (size_t i = kKeywordRow; i < rows_.size(); ++i) {
    if (!rows_[i].checked || rows_[i].placeholder) continue;
    view.SetEditText(EditBox::EdAddKey, rows_[i].value);
    editing.BtAddKeyClick();
  }
}

RuleAssisting::RuleAssisting(AppState& app, RuleEditing& editing, RuleAssistantView& view, RuleAssistant assistant)
    : app_(app),
      editing_(editing),
      view_(view),
      assistant_(std::move(assistant)),
      language_([](const Texts& t) -> const RuleAssistantTexts& { return t.assistant; }) {}

void RuleAssisting::FormCreate() {
  SetLanguage(kLanguageGerman);
  ShowRows();
}

void RuleAssisting::FormShow() {
  SetLanguage(app_.flags.IsGerman ? kLanguageGerman : kLanguageEnglish);
  view_.ActivateHints(app_.settings.ShowHint);
}

void RuleAssisting::SetLanguage(int language) {
  if (language_.Set(language)) view_.ShowTexts(language_.texts());
}

void RuleAssisting::Button1Click() {
  if (!assistant_.Button1Click(view_.KeywordText())) return;
  view_.SetKeywordText("");
  ShowRows();
}

void RuleAssisting::ListViewRuleClick() {
  assistant_.ListViewRuleClick();
  ShowRows();
}

void RuleAssisting::hinzufgen1Click() {
  assistant_.hinzufgen1Click(view_.SelectedRow());
  ShowRows();
}

void RuleAssisting::nichthinzufgen1Click() {
  assistant_.nichthinzufgen1Click(view_.SelectedRow());
  ShowRows();
}

void RuleAssisting::BTRuleAddClick() {
  // An add lets pending messages run: a second click on the button then
  // must not take the rules over twice.
  if (takingOver_) return;
  takingOver_ = true;
  assistant_.BTRuleAddClick(editing_, app_.view);
  takingOver_ = false;
  view_.Close();
}

}  // namespace zt
