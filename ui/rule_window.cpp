// The rule assistant window: controls, texts, tooltips, the table with its
// check boxes and context menu, and closing.
#include "ui/rule_window.h"

#include <windowsx.h>

#include "ui/resource.h"
#include "ui/secondary_window.h"

namespace zt {
namespace {

constexpr char kClassName[] = "TQvRule";
// The columns of ListViewRule in pixels.
constexpr int kRuleColumnWidths[2] = {120, 285};

constexpr ControlText<RuleAssistantTexts> kControlTexts[] = {
    {IDC_RULE_LABEL1, &RuleAssistantTexts::Label1},   {IDC_RULE_GROUPBOX2, &RuleAssistantTexts::GroupBox2},
    {IDC_RULE_LABEL2, &RuleAssistantTexts::Label2},   {IDC_BTRULEADD, &RuleAssistantTexts::BTRuleAdd},
    {IDC_BTCANCEL, &RuleAssistantTexts::BTcancel},
};
constexpr ControlText<RuleAssistantTexts> kHints[] = {
    {IDC_BTRULEADD, &RuleAssistantTexts::BTRuleAddHint},
    {IDC_BTCANCEL, &RuleAssistantTexts::BTcancelHint},
    {IDC_RULE_BUTTON1, &RuleAssistantTexts::Button1Hint},
    {IDC_LISTVIEWRULE, &RuleAssistantTexts::ListViewRuleHint},
};

}  // namespace

TQvRule::TQvRule(AppState& app, RuleEditing& editing, HWND mainWindow, RuleAssistant assistant)
    : mainWindow_(mainWindow), assisting_(app, editing, *this, std::move(assistant)) {}

TQvRule::~TQvRule() {
  if (hwnd()) DestroyWindow(hwnd());
}

bool TQvRule::Create() {
  HINSTANCE inst = GetModuleHandleA(nullptr);
  if (!CreateFromTemplate(kClassName, IDD_QVRULE, mainWindow_, LoadIconA(inst, MAKEINTRESOURCEA(IDI_APP))))
    return false;
  FormCreateControls();
  assisting_.FormCreate();
  return true;
}

void TQvRule::FormCreateControls() {
  HWND list = Item(IDC_LISTVIEWRULE);
  ListView_SetExtendedListViewStyle(list, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
  for (int c = 0; c < 2; ++c) AddListColumn(list, c, kRuleColumnWidths[c]);
  SetDlgItemTextA(hwnd(), IDC_RULE_BUTTON1, kAssistantButton1);

  contextMenu_.reset(LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_RULEMENU)));
  HMENU popup = GetSubMenu(contextMenu_.get(), 0);
  ModifyMenuA(popup, IDM_HINZUFGEN1, MF_BYCOMMAND | MF_STRING, IDM_HINZUFGEN1, kAssistantAdd);
  ModifyMenuA(popup, IDM_NICHTHINZUFGEN1, MF_BYCOMMAND | MF_STRING, IDM_NICHTHINZUFGEN1, kAssistantDontAdd);

  hints_.Create(hwnd());
  hints_.Add(kHints, Items());
}

void TQvRule::ShowTexts(const RuleAssistantTexts& t) {
  SetWindowTextA(hwnd(), t.caption);
  SetControlTexts(kControlTexts, t, Items());
  const char* columns[2] = {t.ListViewRuleColumn1, t.ListViewRuleColumn2};
  for (int c = 0; c < 2; ++c) SetListColumnText(Item(IDC_LISTVIEWRULE), c, columns[c]);
  hints_.SetTexts(kHints, t, Items());
}

void TQvRule::ShowOrFront() {
  if (!IsWindowVisible(hwnd())) ShowWindow(hwnd(), SW_SHOW);
  BringWindowToTop(hwnd());
  SetForegroundWindow(hwnd());
}

void TQvRule::ShowRows(const std::vector<AssistantRow>& rows) {
  HWND list = Item(IDC_LISTVIEWRULE);
  showingRows_ = true;
  while (ListView_GetItemCount(list) > static_cast<int>(rows.size()))
    ListView_DeleteItem(list, ListView_GetItemCount(list) - 1);
  for (size_t i = 0; i < rows.size(); ++i) {
    int row = static_cast<int>(i);
    if (row >= ListView_GetItemCount(list)) {
      LVITEMA item = {};
      item.mask = LVIF_TEXT;
      item.iItem = row;
      item.pszText = const_cast<char*>("");
      ListView_InsertItem(list, &item);
    }
    ListView_SetItemText(list, row, 0, const_cast<char*>(rows[i].target.c_str()));
    ListView_SetItemText(list, row, 1, const_cast<char*>(rows[i].value.c_str()));
    ListView_SetCheckState(list, row, rows[i].checked ? TRUE : FALSE);
  }
  showingRows_ = false;
}

std::string TQvRule::KeywordText() { return ControlString(Item(IDC_RULE_EDIT1)); }

void TQvRule::SetKeywordText(const std::string& text) { SetWindowTextA(Item(IDC_RULE_EDIT1), text.c_str()); }

int TQvRule::SelectedRow() { return ListView_GetNextItem(Item(IDC_LISTVIEWRULE), -1, LVNI_SELECTED); }

// A check box the user ticked or cleared.
void TQvRule::OnItemChanged(const NMLISTVIEW& change) {
  if (showingRows_ || !(change.uChanged & LVIF_STATE) || !((change.uOldState ^ change.uNewState) & LVIS_STATEIMAGEMASK))
    return;
  // State image 1 is the cleared box, 2 the ticked one; 0 is none yet.
  UINT image = (change.uNewState & LVIS_STATEIMAGEMASK) >> 12;
  if (image != 0) assisting_.ListViewRuleChecked(change.iItem, image == 2);
}

void TQvRule::ShowContextMenu(int x, int y) {
  if (x == -1 && y == -1) {  // from the keyboard: at the table's corner
    RECT r = {};
    GetWindowRect(Item(IDC_LISTVIEWRULE), &r);
    x = r.left;
    y = r.top;
  }
  UINT command = TrackPopupMenu(GetSubMenu(contextMenu_.get(), 0), TPM_RETURNCMD | TPM_RIGHTBUTTON, x, y, 0, hwnd(), nullptr);
  if (command == IDM_HINZUFGEN1) assisting_.hinzufgen1Click();
  else if (command == IDM_NICHTHINZUFGEN1) assisting_.nichthinzufgen1Click();
}

// Hidden first, the application to the front while the main window is
// shown, then the window goes; the main window forgets it.
void TQvRule::Close() {
  HWND self = hwnd();
  if (!self) return;
  HideSecondary(self, mainWindow_, false);
  DestroyWindow(self);
}

LRESULT TQvRule::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      switch (LOWORD(wp)) {
        case IDC_RULE_BUTTON1: if (HIWORD(wp) == BN_CLICKED) assisting_.Button1Click(); return 0;
        case IDC_BTRULEADD: if (HIWORD(wp) == BN_CLICKED) assisting_.BTRuleAddClick(); return 0;
        case IDC_BTCANCEL: case IDCANCEL: if (HIWORD(wp) == BN_CLICKED) assisting_.BTcancelClick(); return 0;
        // Enter: in the keyword box it adds the keyword, as "+" does.
        case IDOK: if (GetFocus() == Item(IDC_RULE_EDIT1)) assisting_.Button1Click(); return 0;
        case IDM_HINZUFGEN1: assisting_.hinzufgen1Click(); return 0;
        case IDM_NICHTHINZUFGEN1: assisting_.nichthinzufgen1Click(); return 0;
      }
      break;
    case WM_NOTIFY: {
      auto& n = *reinterpret_cast<NMHDR*>(lp);
      if (n.idFrom != IDC_LISTVIEWRULE) break;
      if (n.code == LVN_ITEMCHANGED) OnItemChanged(reinterpret_cast<NMLISTVIEW&>(n));
      else if (n.code == NM_CLICK || n.code == NM_DBLCLK) assisting_.ListViewRuleClick();
      return 0;
    }
    case WM_CONTEXTMENU:
      if (reinterpret_cast<HWND>(wp) == Item(IDC_LISTVIEWRULE)) {
        ShowContextMenu(GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
        return 0;
      }
      break;
    case WM_SHOWWINDOW:
      if (wp) assisting_.FormShow();
      break;
    case WM_CLOSE:
      assisting_.BTcancelClick();
      return 0;
  }
  return Default(msg, wp, lp);
}

}  // namespace zt
