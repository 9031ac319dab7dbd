// The rule editors of the main window: the tab set choosing the visible
// editor, adding and removing caption, address, keyword and size rules by
// hand, the key filters of the edit boxes, the list of active browser
// windows as the source of a new rule, and the minimum-size controls.
// Window-free: the handlers read and write the edit boxes through MainView
// and change the rule lists themselves, which are what the scanners read;
// the Win32 window only forwards its events here.
#pragma once
#include <initializer_list>

#include "app/app_state.h"
#include "engine/history.h"

namespace zt {

// Characters of the key handlers.
constexpr char kKeyBackspace = 8;
constexpr char kKeyEnter = 13;

// The tabs of TabSet1, in order.
enum RuleTab { kTabSizes = 0, kTabAddresses = 1, kTabKeywords = 2, kTabCaptions = 3 };

// True for the characters the number boxes accept: Backspace, Enter and
// the digits.
bool NumberBoxAccepts(char key);

class RuleEditing {
 public:
  explicit RuleEditing(AppState& app) : app_(app) {}

  void TabSet1Click(int index);

  // Adds the edit box's text to WCS, URL or ADS; the rule assistant calls
  // them too, after filling the boxes.
  void BTAddClick();
  void BtURLAddClick();
  void BtAddKeyClick();
  // Adds the size in EdWidth and EdHeight to WDS.
  void BtAddtoGridClick();

  // Remove the selected row of WCS, URL, ADS or WDS.
  void ButtonRemoveClick();
  void BtUrlDelClick();
  void BTDelKeyClick();
  void BtRemWDSClick();
  void ListViewWCSDblClick() { ButtonRemoveClick(); }
  void ListViewURLDblClick() { BtUrlDelClick(); }
  void ListViewADSDblClick() { BTDelKeyClick(); }
  void ListViewWDSDblClick() { BtRemWDSClick(); }

  // Copy the selected row into the list's edit box(es).
  void ListViewWCSClick();
  void ListViewURLClick();
  void ListViewADSClick();
  void ListViewWDSClick();

  // Key handlers: key is the typed character; a filter sets it to 0 to
  // discard it. Enter in the three text boxes adds their text.
  void EDADDCaptionKeyPress(char& key);
  void EdAddURLKeyPress(char& key);
  void EdAddKeyKeyPress(char& key);
  void EdWidthKeyPress(char& key);
  void EdHeightKeyPress(char& key);
  void EdSWWidthKeyPress(char& key);
  void EdSWHeightKeyPress(char& key);

  // The list of active browser windows: a click copies the chosen window
  // into the edit boxes; both enable BTOpenRule while a row is chosen and
  // show which rules would close the chosen window.
  void ListView1Click();
  void ListView1Change();
  // The first status panel names the rules that would close the window
  // chosen in ListView1 (" Would be closed by: ADS: casino"); with no window
  // chosen it shows the version again. The other six panels stay as they
  // are. Every rule edit shows it again.
  void ShowRulesOfChosenWindow();

  // The rule that decided a closing of the history, taken back from the
  // statistics window. In force while its entry is still in its list
  // (the same texts) or, for the minimum-size rule and the extra killers,
  // while it is switched on.
  bool RuleInForce(const ClosingRule& rule) const;
  // Asks, naming the rule, and on Yes removes its entry from its list as
  // the list's remove button does, or switches the minimum-size rule or
  // the killer's setting off. True when it took the rule back.
  bool RemoveHistoryRule(const ClosingRule& rule);

  // The minimum-size rule: checked is CheckBoxSW's state after the click.
  void CheckBoxSWClick(bool checked);
  void EdSWWidthClick() { ClearSmallWindows(); }
  void EdSWHeightClick() { ClearSmallWindows(); }
  void EdSWWidthMouseDown() { ClearSmallWindows(); }
  void EdSWHeightMouseDown() { ClearSmallWindows(); }

 private:
  void AddText(ListModel& list, EditBox box);
  // The remove buttons: the selected row goes, the edit boxes are emptied,
  // and the list gets the focus when focus is true.
  void Remove(ListModel& list, std::initializer_list<EditBox> boxes, bool focus = true);
  // The list of a rule source and the row holding the rule's entry.
  ListModel* ListOf(RuleSource source) const;
  long RuleRow(const ClosingRule& rule) const;
  void CopyRow(const ListModel& list, std::initializer_list<EditBox> boxes);
  // Repaints the list and fits its columns.
  void Show(const ListModel& list);
  void FocusActiveWindowsIfShown();
  void ShowValuesInvalid();
  void ClearSmallWindows();

  AppState& app_;
};

}  // namespace zt
