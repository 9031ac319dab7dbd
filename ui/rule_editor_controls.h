// The main window's rule editor: the tab set with its four panels (window
// sizes, addresses, keywords, captions), their edit boxes, buttons and
// rule lists. Keys, clicks and commands go to RuleEditing, which holds the
// logic; what RuleEditing asks of the view (MainView) is shown here.
#pragma once
#include <array>
#include <string>

#include "app/main_view.h"
#include "app/rule_editing.h"
#include "platform/win32/win.h"
#include "ui/subclass.h"

namespace zt {

class RuleEditorControls {
 public:
  // Sets up the controls of `window`: the tabs, the number boxes' limits
  // and the hooks of the edit boxes.
  void Attach(HWND window, RuleEditing& rules);
  void SetTabTexts(const char* const (&captions)[4]);

  // A command of a rule button; false for another control's.
  bool OnCommand(int id, int code);
  void OnTabChange(HWND tabs);
  // A click or double-click in one of the four rule lists.
  void OnListClick(ListViewId id);
  void OnListDoubleClick(ListViewId id);

  // What MainView asks of the rule editor.
  void SelectTab(int index);
  void ShowPanel(int index);
  std::string EditText(EditBox box) const;
  void SetEditText(EditBox box, const std::string& text);
  void SetSmallWindowsCheck(bool checked);

 private:
  void HookEditBox(EditBox box);
  void EditKeyPress(EditBox box, char& key);
  void EditMouse(EditBox box, bool down);

  HWND window_ = nullptr;
  RuleEditing* rules_ = nullptr;
  std::array<Subclass, 7> editHooks_;
};

}  // namespace zt
