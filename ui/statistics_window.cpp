// The statistics window: its controls, texts, the virtual history table,
// the counters, and closing.
#include "ui/statistics_window.h"

#include <windowsx.h>

#include "app/help_actions.h"
#include "app/statistics.h"
#include "rules/list_ops.h"
#include "ui/resource.h"
#include "ui/secondary_window.h"

namespace zt {
namespace {

constexpr char kClassName[] = "TQvStatistik";

// The counter boxes in the order of CounterLines.
constexpr int kCounterBoxes[7] = {IDC_STATISTIK_EDIT1, IDC_STATISTIK_EDIT2, IDC_STATISTIK_EDIT3, IDC_STATISTIK_EDIT4,
                                  IDC_STATISTIK_EDIT7, IDC_STATISTIK_EDIT5, IDC_STATISTIK_EDIT8};
// Their design texts, in the same order.
constexpr const char* StatisticsTexts::*kCounterDesign[7] = {
    &StatisticsTexts::Edit1, &StatisticsTexts::Edit2, &StatisticsTexts::Edit3, &StatisticsTexts::Edit4,
    &StatisticsTexts::Edit7, &StatisticsTexts::Edit5, &StatisticsTexts::Edit8};

}  // namespace

TQvStatistik::TQvStatistik(AppState& app, HWND mainWindow)
    : app_(app),
      mainWindow_(mainWindow),
      language_([](const Texts& t) -> const StatisticsTexts& { return t.statistics; }),
      editing_(app) {}

TQvStatistik::~TQvStatistik() {
  if (hwnd()) DestroyWindow(hwnd());
}

bool TQvStatistik::Create() {
  HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_APP));
  if (!CreateFromTemplate(kClassName, IDD_QVSTATISTIK, mainWindow_, icon)) return false;
  contextMenu_.reset(LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_HISTORYMENU)));
  FormCreateControls();
  return true;
}

// The table's columns and style, and the German design texts.
void TQvStatistik::FormCreateControls() {
  SetWindowTextA(hwnd(), kStatisticsCaption);
  HWND list = Item(IDC_LISTVIEWHISTORY);
  ListView_SetExtendedListViewStyle(list, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
  const StatisticsTexts& design = GermanTexts().statistics;
  for (int c = 0; c < kHistoryColumnCount; ++c)
    AddListColumn(list, c, kHistoryColumns[c].width, HistoryColumnCaption(c, design));
  SetDlgItemTextA(hwnd(), IDC_STATISTIK_GROUPBOX1, design.GroupBox1);
  for (int i = 0; i < 7; ++i) SetDlgItemTextA(hwnd(), kCounterBoxes[i], design.*kCounterDesign[i]);
  SetDlgItemTextA(hwnd(), IDC_STATISTIK_BUTTON1, design.Button1);
  SetDlgItemTextA(hwnd(), IDC_STATISTIK_BUTTON2, design.Button2);
}

void TQvStatistik::SetLanguage(int language) {
  if (!language_.Set(language)) return;
  const StatisticsTexts& t = language_.texts();
  HWND list = Item(IDC_LISTVIEWHISTORY);
  for (int c = 0; c < kHistoryColumnCount; ++c) SetListColumnText(list, c, HistoryColumnCaption(c, t));
  SetDlgItemTextA(hwnd(), IDC_STATISTIK_GROUPBOX1, t.GroupBox1);
  SetDlgItemTextA(hwnd(), IDC_STATISTIK_BUTTON1, t.Button1);
  SetDlgItemTextA(hwnd(), IDC_STATISTIK_BUTTON2, t.Button2);
  ModifyMenuA(GetSubMenu(contextMenu_.get(), 0), IDM_REGELENTFERNEN1, MF_BYCOMMAND | MF_STRING, IDM_REGELENTFERNEN1,
              t.Regelentfernen1);
  counterLines_ = {};  // the counter boxes are written anew in this language
}

void TQvStatistik::ShowOrFront() {
  if (IsWindowVisible(hwnd())) {
    BringWindowToTop(hwnd());
    SetForegroundWindow(hwnd());
    return;
  }
  ShowWindow(hwnd(), SW_SHOW);
  SetForegroundWindow(hwnd());
}

void TQvStatistik::FormShow() {
  SetLanguage(app_.flags.IsGerman ? kLanguageGerman : kLanguageEnglish);
  refreshStatistik();
}

void TQvStatistik::refreshStatistik() {
  HWND list = Item(IDC_LISTVIEWHISTORY);
  size_t rows = app_.engine.history.size();
  // Only the rows on screen are drawn again; a full history drops its
  // oldest entry, which moves every row, so all of them are.
  ListView_SetItemCountEx(list, static_cast<int>(rows), LVSICF_NOSCROLL | LVSICF_NOINVALIDATEALL);
  InvalidateRect(list, nullptr, FALSE);
  RECT r = {};
  GetWindowRect(list, &r);
  for (const auto& [column, width] : rowwidthLW(ListViewId::History, r.right - r.left, rows))
    if (ListView_GetColumnWidth(list, column) != width) ListView_SetColumnWidth(list, column, width);
  std::array<std::string, 7> lines = CounterLines(app_.engine.historyCounts, language_.texts());
  for (int i = 0; i < 7; ++i) {
    if (lines[i] == counterLines_[i]) continue;
    SetDlgItemTextA(hwnd(), kCounterBoxes[i], lines[i].c_str());
    counterLines_[i] = lines[i];
  }
}

void TQvStatistik::GetDisplayInfo(LVITEMA& item) {
  if (!(item.mask & LVIF_TEXT) || !item.pszText || item.cchTextMax <= 0 || item.iItem < 0) return;
  std::string text =
      HistoryCellText(app_.engine.history, static_cast<size_t>(item.iItem), item.iSubItem, app_.texts());
  lstrcpynA(item.pszText, text.c_str(), item.cchTextMax);
}

void TQvStatistik::ShowContextMenu(int x, int y) {
  HWND list = Item(IDC_LISTVIEWHISTORY);
  int row = -1;
  if (x == -1 && y == -1) {  // from the keyboard: the selected row, at the table's corner
    row = ListView_GetNextItem(list, -1, LVNI_SELECTED);
    RECT r = {};
    GetWindowRect(list, &r);
    x = r.left;
    y = r.top;
  } else {
    LVHITTESTINFO hit = {};
    hit.pt = {x, y};
    ScreenToClient(list, &hit.pt);
    row = ListView_HitTest(list, &hit);
    if (row >= 0) {
      ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
      ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    }
  }
  const History& history = app_.engine.history;
  if (row < 0 || static_cast<size_t>(row) >= history.size()) return;
  // A copy: scan cycles run while the menu is open and may drop the entry.
  ClosingRule rule = history[static_cast<size_t>(row)].rule;
  HMENU popup = GetSubMenu(contextMenu_.get(), 0);
  EnableMenuItem(popup, IDM_REGELENTFERNEN1, MF_BYCOMMAND | (editing_.RuleInForce(rule) ? MF_ENABLED : MF_GRAYED));
  UINT command = TrackPopupMenu(popup, TPM_RETURNCMD | TPM_RIGHTBUTTON, x, y, 0, hwnd(), nullptr);
  if (command == IDM_REGELENTFERNEN1) Regelentfernen1Click(rule);
}

// Removes the rule from its list as the list's remove button does (the
// main window's list and the next scan cycle follow), or switches it off.
void TQvStatistik::Regelentfernen1Click(const ClosingRule& rule) { editing_.RemoveHistoryRule(rule); }

// The program has no help file of its own: Help opens the manual, as the
// main window's help menu does.
void TQvStatistik::Button2Click() {
  OpenHandbook(app_.os.system, app_.os.shell, app_.paths.HandbookFile, app_.texts());
}

// Hidden first, the application to the front while the main window is
// shown, then the window goes; the main window forgets it.
void TQvStatistik::FormClose() {
  HWND self = hwnd();
  if (!self) return;
  HideSecondary(self, mainWindow_, false);
  DestroyWindow(self);
}

LRESULT TQvStatistik::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      if (HIWORD(wp) != BN_CLICKED) break;
      if (LOWORD(wp) == IDC_STATISTIK_BUTTON1 || LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL) Button1Click();
      else if (LOWORD(wp) == IDC_STATISTIK_BUTTON2) Button2Click();
      return 0;
    case WM_NOTIFY: {
      auto& n = *reinterpret_cast<NMHDR*>(lp);
      if (n.idFrom == IDC_LISTVIEWHISTORY && n.code == LVN_GETDISPINFOA)
        GetDisplayInfo(reinterpret_cast<NMLVDISPINFOA&>(n).item);
      return 0;
    }
    case WM_CONTEXTMENU:
      if (reinterpret_cast<HWND>(wp) == Item(IDC_LISTVIEWHISTORY)) {
        ShowContextMenu(GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
        return 0;
      }
      break;
    case WM_SHOWWINDOW:
      if (wp) FormShow();
      break;
    case WM_CLOSE:
      FormClose();
      return 0;
  }
  return Default(msg, wp, lp);
}

}  // namespace zt
