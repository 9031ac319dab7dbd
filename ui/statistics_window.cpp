// The statistics window: its controls, texts, the virtual history table,
// the counters, and closing.
#include "ui/statistics_window.h"

#include "app/help_actions.h"
#include "app/statistics.h"
#include "rules/list_ops.h"
#include "ui/resource.h"

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

TQvStatistik::TQvStatistik(AppState& app, HWND mainWindow, std::function<void()> closed)
    : app_(app),
      mainWindow_(mainWindow),
      closed_(std::move(closed)),
      language_([](const Texts& t) -> const StatisticsTexts& { return t.statistics; }) {}

TQvStatistik::~TQvStatistik() {
  if (hwnd()) DestroyWindow(hwnd());
}

bool TQvStatistik::Create() {
  HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_APP));
  if (!CreateFromTemplate(kClassName, IDD_QVSTATISTIK, mainWindow_, icon)) return false;
  FormCreateControls();
  return true;
}

// The table's columns and style, and the German design texts.
void TQvStatistik::FormCreateControls() {
  SetWindowTextA(hwnd(), kStatisticsCaption);
  HWND list = Item(IDC_LISTVIEWHISTORY);
  ListView_SetExtendedListViewStyle(list, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
  const StatisticsTexts& design = GermanTexts().statistics;
  for (int c = 0; c < kHistoryColumnCount; ++c) {
    LVCOLUMNA col = {};
    col.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
    col.fmt = LVCFMT_LEFT;
    col.cx = kHistoryColumns[c].width;
    col.pszText = const_cast<char*>(HistoryColumnCaption(c, design));
    ListView_InsertColumn(list, c, &col);
  }
  SetDlgItemTextA(hwnd(), IDC_STATISTIK_GROUPBOX1, design.GroupBox1);
  for (int i = 0; i < 7; ++i) SetDlgItemTextA(hwnd(), kCounterBoxes[i], design.*kCounterDesign[i]);
  SetDlgItemTextA(hwnd(), IDC_STATISTIK_BUTTON1, design.Button1);
  SetDlgItemTextA(hwnd(), IDC_STATISTIK_BUTTON2, design.Button2);
}

void TQvStatistik::SetLanguage(int language) {
  if (!language_.Set(language)) return;
  const StatisticsTexts& t = language_.texts();
  HWND list = Item(IDC_LISTVIEWHISTORY);
  for (int c = 0; c < kHistoryColumnCount; ++c) {
    LVCOLUMNA col = {};
    col.mask = LVCF_TEXT;
    col.pszText = const_cast<char*>(HistoryColumnCaption(c, t));
    ListView_SetColumn(list, c, &col);
  }
  SetDlgItemTextA(hwnd(), IDC_STATISTIK_GROUPBOX1, t.GroupBox1);
  SetDlgItemTextA(hwnd(), IDC_STATISTIK_BUTTON1, t.Button1);
  SetDlgItemTextA(hwnd(), IDC_STATISTIK_BUTTON2, t.Button2);
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
  std::string text = HistoryCellText(app_.engine.history, static_cast<size_t>(item.iItem), item.iSubItem);
  lstrcpynA(item.pszText, text.c_str(), item.cchTextMax);
}

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
  ShowWindow(self, SW_HIDE);
  if (IsWindowVisible(mainWindow_)) SetForegroundWindow(mainWindow_);
  DestroyWindow(self);
  if (closed_) closed_();
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
