// Editing the rule lists by hand.
#include "app/rule_editing.h"

#include <algorithm>
#include <exception>
#include <optional>

#include "engine/closing_rules.h"
#include "engine/scanners.h"
#include "engine/size_table.h"
#include "rules/list_ops.h"

namespace zt {
namespace {

// A window handle written as decimal text; nothing when it is not one.
std::optional<WindowHandle> ParseHandle(const std::string& text) {
  if (text.empty()) return std::nullopt;
  WindowHandle value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<WindowHandle>(c - '0');
  }
  return value;
}

// A size as an edit box shows it: empty for 0 or less.
std::string SizeText(int value) { return value > 0 ? std::to_string(value) : std::string(); }

bool ValidRow(const ListModel& list, int row) { return row >= 0 && static_cast<size_t>(row) < list.size(); }

}  // namespace

bool NumberBoxAccepts(char key) { return key == kKeyBackspace || key == kKeyEnter || (key >= '0' && key <= '9'); }

void RuleEditing::TabSet1Click(int index) {
  if (index >= kTabSizes && index <= kTabCaptions) app_.view.ShowRulePanel(index);
}

void RuleEditing::Show(const ListModel& list) {
  FitColumns(app_.view, list);
  app_.view.ListChanged(list.id());
}

void RuleEditing::FocusActiveWindowsIfShown() {
  if (app_.view.ListShown(ListViewId::ListView1)) app_.view.FocusList(ListViewId::ListView1);
}

void RuleEditing::ShowValuesInvalid() {
  app_.os.system.MessageBox(app_.texts().msg.valuesInvalid, kAppCaption, kMbIconError);
}

void RuleEditing::AddText(ListModel& list, EditBox box) {
  MainView& view = app_.view;
  try {
    view.ProcessPendingMessages();
    int remembered = list.selected;
    std::string text = view.EditText(box);
    if (!text.empty()) {
      // Exact and case-sensitive: "werbung" is added beside "Werbung" (the
      // next load merges them), blanks are kept.
      bool present = std::any_of(list.rows().begin(), list.rows().end(),
                                 [&text](const ListRow& r) { return !r.cols.empty() && r.cols[0] == text; });
      if (!present) list.Add({text});
      view.SetEditText(box, "");
      FitColumns(view, list);
      ListviewSort(list, 0, 2);
    }
    // The same position again, which after sorting may hold another entry.
    list.selected = ValidRow(list, remembered) ? remembered : -1;
    view.ListChanged(list.id());
    FocusActiveWindowsIfShown();
    ShowRulesOfChosenWindow();
  } catch (const std::exception&) {
    // A failed add changes nothing more and says nothing.
  }
}

void RuleEditing::BTAddClick() { AddText(app_.rules.WCS, EditBox::EDADDCaption); }
void RuleEditing::BtURLAddClick() { AddText(app_.rules.URL, EditBox::EdAddURL); }
void RuleEditing::BtAddKeyClick() { AddText(app_.rules.ADS, EditBox::EdAddKey); }

void RuleEditing::BtAddtoGridClick() {
  MainView& view = app_.view;
  ListModel& list = app_.rules.WDS;
  try {
    view.ProcessPendingMessages();
    std::optional<int32_t> width = ParseDecimal(view.EditText(EditBox::EdWidth));
    std::optional<int32_t> height = ParseDecimal(view.EditText(EditBox::EdHeight));
    if (!width || !height) return ShowValuesInvalid();
    if (*width >= 0 && *height >= 0) {
      // Numeric comparison: "0300" equals "300". A row that is not a number
      // spoils the comparison like a bad input does.
      bool present = false;
      for (size_t i = 0; i < list.size(); ++i) {
        std::optional<int32_t> w = ParseDecimal(list.text(i, 0));
        if (!w) return ShowValuesInvalid();
        if (*w != *width) continue;
        std::optional<int32_t> h = ParseDecimal(list.text(i, 1));
        if (!h) return ShowValuesInvalid();
        if (*h == *height) present = true;
      }
      if (!present) list.Add({std::to_string(*width), std::to_string(*height)});
    }
    view.SetEditText(EditBox::EdWidth, "");
    view.SetEditText(EditBox::EdHeight, "");
    FitColumns(view, list);
    ListviewSort(list, 0, 2);
    view.ListChanged(list.id());
    FocusActiveWindowsIfShown();
    ShowRulesOfChosenWindow();
  } catch (const std::exception&) {
  }
}

void RuleEditing::Remove(ListModel& list, std::initializer_list<EditBox> boxes, bool focus) {
  MainView& view = app_.view;
  int row = list.selected;
  if (ValidRow(list, row)) {
    if (list.size() == 1) {
      list.Clear();
      list.selected = -1;
    } else {
      list.Erase(static_cast<size_t>(row));
      list.selected = row > 0 ? row - 1 : 0;
    }
  }
  for (EditBox box : boxes) view.SetEditText(box, "");
  FitColumns(view, list);
  ListviewSort(list, 0, 2);
  view.ListChanged(list.id());
  if (focus) view.FocusList(list.id());
  ShowRulesOfChosenWindow();
}

void RuleEditing::ButtonRemoveClick() { Remove(app_.rules.WCS, {EditBox::EDADDCaption}); }
void RuleEditing::BtUrlDelClick() { Remove(app_.rules.URL, {EditBox::EdAddURL}); }
void RuleEditing::BTDelKeyClick() { Remove(app_.rules.ADS, {EditBox::EdAddKey}); }
void RuleEditing::BtRemWDSClick() { Remove(app_.rules.WDS, {EditBox::EdWidth, EditBox::EdHeight}); }

void RuleEditing::CopyRow(const ListModel& list, std::initializer_list<EditBox> boxes) {
  if (!ValidRow(list, list.selected)) return;
  size_t column = 0;
  for (EditBox box : boxes) app_.view.SetEditText(box, list.text(static_cast<size_t>(list.selected), column++));
}

void RuleEditing::ListViewWCSClick() { CopyRow(app_.rules.WCS, {EditBox::EDADDCaption}); }
void RuleEditing::ListViewURLClick() { CopyRow(app_.rules.URL, {EditBox::EdAddURL}); }
void RuleEditing::ListViewADSClick() { CopyRow(app_.rules.ADS, {EditBox::EdAddKey}); }
void RuleEditing::ListViewWDSClick() { CopyRow(app_.rules.WDS, {EditBox::EdWidth, EditBox::EdHeight}); }

void RuleEditing::EDADDCaptionKeyPress(char& key) {
  if (key == kKeyEnter) BTAddClick();
}
void RuleEditing::EdAddURLKeyPress(char& key) {
  if (key == kKeyEnter) BtURLAddClick();
}
void RuleEditing::EdAddKeyKeyPress(char& key) {
  if (key == kKeyEnter) BtAddKeyClick();
}
void RuleEditing::EdWidthKeyPress(char& key) {
  if (!NumberBoxAccepts(key)) key = 0;
}
void RuleEditing::EdHeightKeyPress(char& key) {
  if (!NumberBoxAccepts(key)) key = 0;
}
void RuleEditing::EdSWWidthKeyPress(char& key) {
  if (!NumberBoxAccepts(key)) key = 0;
}
void RuleEditing::EdSWHeightKeyPress(char& key) {
  if (!NumberBoxAccepts(key)) key = 0;
}

void RuleEditing::ListView1Change() {
  const ListModel& list = app_.engine.ListView1;
  app_.view.EnableOpenRule(ValidRow(list, list.selected));
  ShowRulesOfChosenWindow();
}

void RuleEditing::ShowRulesOfChosenWindow() {
  MainView& view = app_.view;
  const ListModel& list = app_.engine.ListView1;
  // A panel's text begins with a blank, as the others do.
  auto show = [&view](const std::string& text) { view.SetStatusPanel(0, text.empty() ? kVersionPanel : " " + text); };
  try {
    if (!ValidRow(list, list.selected)) return show("");
    size_t row = static_cast<size_t>(list.selected);
    std::optional<WindowHandle> handle = ParseHandle(list.text(row, 2));
    // The snapshot holds the window's kind and whole caption; a row it no
    // longer holds is matched by what the row shows.
    WindowFacts facts{list.text(row, 0), list.text(row, 1), 0, std::nullopt, false};
    const OpenWindowsTable& snap = app_.engine.OpenWindows;
    for (size_t i = 0; handle && i < snap.count; ++i) {
      const TBrowserWindow& r = snap.records[i];
      if (r.Handle == *handle) facts = {r.Caption, r.URL, r.Kind, std::nullopt, false};
    }
    if (handle && *handle != 0) {
      facts.rect = app_.os.desktop.Rect(*handle);
      facts.iconic = app_.os.desktop.IsIconic(*handle);
    }
    const Texts& t = app_.texts();
    std::vector<ClosingRule> rules = RulesThatWouldClose(app_.rules, app_.settings, facts);
    if (rules.empty()) return show(t.rules.wouldCloseNone);
    std::string names;
    for (const ClosingRule& r : rules) names += (names.empty() ? "" : kRuleSeparator) + RuleText(r, t);
    show(Format(t.rules.wouldClose, {names}));
  } catch (const std::exception&) {
    show("");
  }
}

ListModel* RuleEditing::ListOf(RuleSource source) const {
  switch (source) {
    case RuleSource::WCS: return &app_.rules.WCS;
    case RuleSource::URL: return &app_.rules.URL;
    case RuleSource::ADS: return &app_.rules.ADS;
    case RuleSource::WDS: return &app_.rules.WDS;
    default: return nullptr;
  }
}

long RuleEditing::RuleRow(const ClosingRule& rule) const {
  const ListModel* list = ListOf(rule.source);
  if (!list) return -1;
  bool sizes = rule.source == RuleSource::WDS;
  for (size_t i = 0; i < list->size(); ++i)
    if (list->text(i, 0) == rule.first && (!sizes || list->text(i, 1) == rule.second)) return static_cast<long>(i);
  return -1;
}

bool RuleEditing::RuleInForce(const ClosingRule& rule) const {
  const Settings& s = app_.settings;
  switch (rule.source) {
    case RuleSource::MinSize: return s.Small_Windows;
    case RuleSource::Flash: return s.FlashAX;
    case RuleSource::Notepad: return s.Notepad;
    default: return RuleRow(rule) >= 0;
  }
}

bool RuleEditing::RemoveHistoryRule(const ClosingRule& rule) {
  if (!RuleInForce(rule)) return false;
  const Texts& t = app_.texts();
  Settings& s = app_.settings;
  bool isEntry = ListOf(rule.source) != nullptr;
  // The minimum-size rule is named with the limits in force now, which may
  // differ from those of the closing.
  std::string name = RuleText(rule.source == RuleSource::MinSize ? MinSizeRule(s) : rule, t);
  std::string question = Format(isEntry ? t.rules.removeQuestion : t.rules.offQuestion, {name});
  if (app_.os.system.MessageBox(question, kAppCaption, kMbYesNo | kMbIconQuestion) != kIdYes) return false;
  // The question let messages run: the entry may have moved or gone.
  if (!RuleInForce(rule)) return false;
  switch (rule.source) {
    case RuleSource::MinSize: ClearSmallWindows(); break;
    case RuleSource::Flash: s.FlashAX = false; break;
    case RuleSource::Notepad: s.Notepad = false; break;
    default: {
      // The remove button of the list, on the rule's row; the focus stays
      // in the statistics window the user works in.
      ListModel& list = *ListOf(rule.source);
      list.selected = static_cast<int>(RuleRow(rule));
      switch (rule.source) {
        case RuleSource::WCS: Remove(list, {EditBox::EDADDCaption}, false); break;
        case RuleSource::URL: Remove(list, {EditBox::EdAddURL}, false); break;
        case RuleSource::ADS: Remove(list, {EditBox::EdAddKey}, false); break;
        default: Remove(list, {EditBox::EdWidth, EditBox::EdHeight}, false); break;
      }
    }
  }
  return true;
}

void RuleEditing::ListView1Click() {
  ListView1Change();
  const ListModel& list = app_.engine.ListView1;
  if (!ValidRow(list, list.selected)) return;
  MainView& view = app_.view;
  try {
    size_t row = static_cast<size_t>(list.selected);
    view.SetEditText(EditBox::EDADDCaption, list.text(row, 0));
    view.SetEditText(EditBox::EdAddURL, list.text(row, 1));
    std::optional<WindowHandle> handle = ParseHandle(list.text(row, 2));
    if (!handle || *handle == 0) return;
    // A window that is gone has no size: both boxes are emptied.
    WindowRect r = app_.os.desktop.Rect(*handle).value_or(WindowRect{});
    view.SetEditText(EditBox::EdWidth, SizeText(r.Width()));
    view.SetEditText(EditBox::EdHeight, SizeText(r.Height()));
  } catch (const std::exception&) {
  }
}

void RuleEditing::CheckBoxSWClick(bool checked) {
  Settings& s = app_.settings;
  if (!checked) {
    s.Small_Windows = false;
    ShowRulesOfChosenWindow();
    return;
  }
  s.Small_Windows = true;
  std::optional<int32_t> width = ParseDecimal(app_.view.EditText(EditBox::EdSWWidth));
  if (width) {
    s.SmallWindowWidth = *width;
    std::optional<int32_t> height = ParseDecimal(app_.view.EditText(EditBox::EdSWHeight));
    if (height) {
      s.SmallWindowHeight = *height;
      ShowRulesOfChosenWindow();
      return;
    }
  }
  ShowValuesInvalid();
  // Unchecking the box runs its click handler again.
  app_.view.SetSmallWindowsCheck(false);
  CheckBoxSWClick(false);
}

void RuleEditing::ClearSmallWindows() {
  app_.view.SetSmallWindowsCheck(false);
  CheckBoxSWClick(false);
}

}  // namespace zt
