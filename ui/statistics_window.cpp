// The statistics window: its controls, texts, the virtual history table,
// the counter boxes, the context menu, and closing.
#include "ui/statistics_window.h"

#include <windowsx.h>

#include "ui/resource.h"
#include "ui/secondary_window.h"

namespace zt {
namespace {

constexpr char kClassName[] = "TQvStatistik";

// The counter boxes in the order of CounterLines.
constexpr int kCounterBoxes[kCounterLineCount] = {IDC_STATISTIK_EDIT1, IDC_STATISTIK_EDIT2, IDC_STATISTIK_EDIT3,
                                                  IDC_STATISTIK_EDIT4, IDC_STATISTIK_EDIT7, IDC_STATISTIK_EDIT5,
                                                  IDC_STATISTIK_EDIT8};
// Their design texts, in the same order.
constexpr const char* StatisticsTexts::*kCounterDesign[kCounterLineCount] = {
    &StatisticsTexts::Edit1, &StatisticsTexts::Edit2, &StatisticsTexts::Edit3, &StatisticsTexts::Edit4,
    &StatisticsTexts::Edit7, &StatisticsTexts::Edit5, &StatisticsTexts::Edit8};

}  // namespace

TQvStatistik::TQvStatistik(AppState& app, HWND mainWindow) : mainWindow_(mainWindow), statistik_(app, *this) {}

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
  for (int i = 0; i < kCounterLineCount; ++i) SetDlgItemTextA(hwnd(), kCounterBoxes[i], design.*kCounterDesign[i]);
  SetDlgItemTextA(hwnd(), IDC_STATISTIK_BUTTON1, design.Button1);
  SetDlgItemTextA(hwnd(), IDC_STATISTIK_BUTTON2, design.Button2);
}

void TQvStatistik::ShowTexts(const StatisticsTexts& t) {
  HWND list = Item(IDC_LISTVIEWHISTORY);
  for (int c = 0; c < kHistoryColumnCount; ++c) SetListColumnText(list, c, HistoryColumnCaption(c, t));
  SetDlgItemTextA(hwnd(), IDC_STATISTIK_GROUPBOX1, t.GroupBox1);
  SetDlgItemTextA(hwnd(), IDC_STATISTIK_BUTTON1, t.Button1);
  SetDlgItemTextA(hwnd(), IDC_STATISTIK_BUTTON2, t.Button2);
  ModifyMenuA(GetSubMenu(contextMenu_.get(), 0), IDM_REGELENTFERNEN1, MF_BYCOMMAND | MF_STRING, IDM_REGELENTFERNEN1,
              t.Regelentfernen1);
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

// Only the rows on screen are drawn again; a full history drops its oldest
// entry, which moves every row, so all of them are.
void TQvStatistik::SetRowCount(size_t rows) {
  HWND list = Item(IDC_LISTVIEWHISTORY);
  ListView_SetItemCountEx(list, static_cast<int>(rows), LVSICF_NOSCROLL | LVSICF_NOINVALIDATEALL);
  InvalidateRect(list, nullptr, FALSE);
}

int TQvStatistik::TableWidth() {
  RECT r = {};
  GetWindowRect(Item(IDC_LISTVIEWHISTORY), &r);
  return r.right - r.left;
}

void TQvStatistik::SetColumnWidth(int column, int width) {
  HWND list = Item(IDC_LISTVIEWHISTORY);
  if (ListView_GetColumnWidth(list, column) != width) ListView_SetColumnWidth(list, column, width);
}

void TQvStatistik::SetCounterLine(int line, const std::string& text) {
  if (line >= 0 && line < kCounterLineCount) SetDlgItemTextA(hwnd(), kCounterBoxes[line], text.c_str());
}

void TQvStatistik::GetDisplayInfo(LVITEMA& item) {
  if (!(item.mask & LVIF_TEXT) || !item.pszText || item.cchTextMax <= 0 || item.iItem < 0) return;
  std::string text = statistik_.CellText(static_cast<size_t>(item.iItem), item.iSubItem);
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
  menuAt_ = {x, y};
  statistik_.ListViewHistoryContextPopup(row);
}

bool TQvStatistik::RemoveRuleChosen(bool enabled) {
  HMENU popup = GetSubMenu(contextMenu_.get(), 0);
  EnableMenuItem(popup, IDM_REGELENTFERNEN1, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
  UINT command = TrackPopupMenu(popup, TPM_RETURNCMD | TPM_RIGHTBUTTON, menuAt_.x, menuAt_.y, 0, hwnd(), nullptr);
  return command == IDM_REGELENTFERNEN1;
}

// Hidden first, the application to the front while the main window is
// shown, then the window goes; the main window forgets it.
void TQvStatistik::Close() {
  HWND self = hwnd();
  if (!self) return;
  HideSecondary(self, mainWindow_, false);
  DestroyWindow(self);
}

LRESULT TQvStatistik::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      if (HIWORD(wp) != BN_CLICKED) break;
      if (LOWORD(wp) == IDC_STATISTIK_BUTTON1 || LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL)
        statistik_.Button1Click();
      else if (LOWORD(wp) == IDC_STATISTIK_BUTTON2) statistik_.Button2Click();
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
      if (wp) statistik_.FormShow();
      break;
    case WM_CLOSE:
      statistik_.Button1Click();
      return 0;
  }
  return Default(msg, wp, lp);
}

}  // namespace zt
