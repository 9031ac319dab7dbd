// What every window repeats with its controls: the texts of its language
// from a table, the tooltips, a menu item's text, reading a control's text.
// A window lists its texts in tables of rows (control, member of its part
// of the language table); adding a control's text is adding a row.
#pragma once
#include <cstddef>
#include <string>

#include "platform/win32/win.h"
#include <commctrl.h>

namespace zt {

// A text of a language table (MainWindowTexts, SettingsTexts, ...) and the
// control that shows it.
template <class Table>
struct ControlText {
  int control;
  const char* Table::*text;
};

// A menu item's text: a menu bar's title by position, an action's item by
// its command.
template <class Table>
struct MenuText {
  UINT item;
  bool byPosition;
  const char* Table::*text;
};

// Writes each row's text into its control; item(control) finds the control.
template <class Table, size_t N, class Find>
void SetControlTexts(const ControlText<Table> (&rows)[N], const Table& texts, Find item) {
  for (const ControlText<Table>& r : rows) SetWindowTextA(item(r.control), texts.*r.text);
}

// The size of the menu item record Windows 95 and NT 4 accept: the record
// without its last member, hbmpItem, which came with Windows 98 and 2000;
// they reject the larger record and leave the item as it was.
constexpr UINT kMenuItemInfoSize = offsetof(MENUITEMINFOA, hbmpItem);

// Sets the text of a menu item (by position or by command).
void SetMenuItemText(HMENU menu, UINT item, bool byPosition, const std::string& text);

// Writes each row's text into the window's menu and draws the menu bar anew.
template <class Table, size_t N>
void SetMenuTexts(HWND window, const MenuText<Table> (&rows)[N], const Table& texts) {
  for (const MenuText<Table>& r : rows) SetMenuItemText(GetMenu(window), r.item, r.byPosition, texts.*r.text);
  DrawMenuBar(window);
}

// The text of a control (an edit box, a label).
std::string ControlString(HWND control);

// Adds a left-aligned list view column of the width and caption given.
void AddListColumn(HWND list, int column, int width, const char* caption = "");
void SetListColumnText(HWND list, int column, const char* caption);

// Sets the widths of a status bar's panels.
template <size_t N>
void SetStatusPanels(HWND status, const int (&widths)[N]) {
  int edges[N];
  int x = 0;
  for (size_t i = 0; i < N; ++i) edges[i] = (x += widths[i]);
  SendMessageA(status, SB_SETPARTS, N, reinterpret_cast<LPARAM>(edges));
}
// Sets a status bar panel's text. A panel holds at most 127 characters: a
// longer text ends in an ellipsis, and the whole text is the panel's
// tooltip.
void SetStatusText(HWND status, int panel, const std::string& text);

// A shortcut of the Ctrl key as a menu shows it, in the names the keyboard
// layout gives its keys ("Ctrl+S", "Strg+S"); empty when it has none.
std::string CtrlShortcutText(char key);

// A window's place and size on the screen.
RECT ScreenRect(HWND window);

// The tooltips of a window's controls: one tooltip window, created with
// the window and destroyed with it.
class Tooltips {
 public:
  Tooltips() = default;
  ~Tooltips();
  Tooltips(const Tooltips&) = delete;
  Tooltips& operator=(const Tooltips&) = delete;

  // Creates the tooltip window for the controls of `owner`.
  void Create(HWND owner);
  // A control that shows a tooltip (empty until SetText).
  void Add(HWND control);
  void SetText(HWND control, const char* text);
  // Whether tooltips show at all (the user's "show hints").
  void Activate(bool active);
  // The pause before a tooltip shows and the time it stays.
  void SetPauses(int pauseMs, int hidePauseMs);
  HWND get() const { return window_; }

  // Add and SetText for every row of a table.
  template <class Table, size_t N, class Find>
  void Add(const ControlText<Table> (&rows)[N], Find item) {
    for (const ControlText<Table>& r : rows) Add(item(r.control));
  }
  template <class Table, size_t N, class Find>
  void SetTexts(const ControlText<Table> (&rows)[N], const Table& texts, Find item) {
    for (const ControlText<Table>& r : rows) SetText(item(r.control), texts.*r.text);
  }

 private:
  HWND window_ = nullptr;
};

}  // namespace zt
