// The rule editor's tabs, panels, edit boxes and buttons.
#include "ui/rule_editor_controls.h"

#include <vector>

#include "ui/controls.h"
#include "ui/resource.h"
#include <commctrl.h>

namespace zt {
namespace {

// The edit boxes in the order of EditBox.
constexpr int kEditControls[] = {IDC_EDADDCAPTION, IDC_EDADDURL, IDC_EDADDKEY, IDC_EDWIDTH,
                                 IDC_EDHEIGHT,     IDC_EDSWWIDTH, IDC_EDSWHEIGHT};
int EditControl(EditBox box) { return kEditControls[static_cast<int>(box)]; }

// The size boxes take at most this many digits.
constexpr int kSizeBoxLimit = 4;

// The controls of each rule editor panel, by tab.
const std::vector<int> kPanels[4] = {
    {IDC_GROUPBOXWS, IDC_LISTVIEWWDS, IDC_GROUPBOX5, IDC_LABEL7, IDC_EDWIDTH, IDC_LABEL6, IDC_EDHEIGHT,
     IDC_BTADDTOGRID, IDC_BTREMWDS, IDC_GROUPBOX6, IDC_LABEL10, IDC_EDSWWIDTH, IDC_LABEL11, IDC_EDSWHEIGHT,
     IDC_CHECKBOXSW},
    {IDC_GROUPBOXURL, IDC_LISTVIEWURL, IDC_GROUPBOX7, IDC_EDADDURL, IDC_LABEL2, IDC_BTURLADD, IDC_BTURLDEL},
    {IDC_GROUPBOXADS, IDC_LISTVIEWADS, IDC_GROUPBOX1, IDC_EDADDKEY, IDC_LABEL3, IDC_BTADDKEY, IDC_BTDELKEY},
    {IDC_GROUPBOXWCS, IDC_LISTVIEWWCS, IDC_GROUPBOX2, IDC_EDADDCAPTION, IDC_BTADD, IDC_BUTTONREMOVE},
};

}  // namespace

void RuleEditorControls::Attach(HWND window, RuleEditing& rules) {
  window_ = window;
  rules_ = &rules;
  HWND tabs = GetDlgItem(window_, IDC_TABSET1);
  for (int i = 0; i < 4; ++i) {
    TCITEMA tab = {};
    tab.mask = TCIF_TEXT;
    tab.pszText = const_cast<char*>("");
    SendMessageA(tabs, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&tab));
  }
  for (int box : {IDC_EDWIDTH, IDC_EDHEIGHT, IDC_EDSWWIDTH, IDC_EDSWHEIGHT})
    SendDlgItemMessageA(window_, box, EM_LIMITTEXT, kSizeBoxLimit, 0);
  for (EditBox box : {EditBox::EDADDCaption, EditBox::EdAddURL, EditBox::EdAddKey, EditBox::EdWidth,
                      EditBox::EdHeight, EditBox::EdSWWidth, EditBox::EdSWHeight})
    HookEditBox(box);
}

void RuleEditorControls::SetTabTexts(const char* const (&captions)[4]) {
  HWND tabs = GetDlgItem(window_, IDC_TABSET1);
  for (int i = 0; i < 4; ++i) {
    TCITEMA tab = {};
    tab.mask = TCIF_TEXT;
    tab.pszText = const_cast<char*>(captions[i]);
    SendMessageA(tabs, TCM_SETITEMA, i, reinterpret_cast<LPARAM>(&tab));
  }
}

bool RuleEditorControls::OnCommand(int id, int code) {
  if (code != BN_CLICKED) return false;
  switch (id) {
    case IDC_BTADD: rules_->BTAddClick(); return true;
    case IDC_BUTTONREMOVE: rules_->ButtonRemoveClick(); return true;
    case IDC_BTURLADD: rules_->BtURLAddClick(); return true;
    case IDC_BTURLDEL: rules_->BtUrlDelClick(); return true;
    case IDC_BTADDKEY: rules_->BtAddKeyClick(); return true;
    case IDC_BTDELKEY: rules_->BTDelKeyClick(); return true;
    case IDC_BTADDTOGRID: rules_->BtAddtoGridClick(); return true;
    case IDC_BTREMWDS: rules_->BtRemWDSClick(); return true;
    case IDC_CHECKBOXSW:
      rules_->CheckBoxSWClick(IsDlgButtonChecked(window_, IDC_CHECKBOXSW) == BST_CHECKED);
      return true;
  }
  return false;
}

void RuleEditorControls::OnTabChange(HWND tabs) { rules_->TabSet1Click(TabCtrl_GetCurSel(tabs)); }

void RuleEditorControls::OnListClick(ListViewId id) {
  switch (id) {
    case ListViewId::WCS: rules_->ListViewWCSClick(); break;
    case ListViewId::URL: rules_->ListViewURLClick(); break;
    case ListViewId::ADS: rules_->ListViewADSClick(); break;
    case ListViewId::WDS: rules_->ListViewWDSClick(); break;
    default: break;
  }
}

void RuleEditorControls::OnListDoubleClick(ListViewId id) {
  switch (id) {
    case ListViewId::WCS: rules_->ListViewWCSDblClick(); break;
    case ListViewId::URL: rules_->ListViewURLDblClick(); break;
    case ListViewId::ADS: rules_->ListViewADSDblClick(); break;
    case ListViewId::WDS: rules_->ListViewWDSDblClick(); break;
    default: break;
  }
}

void RuleEditorControls::SelectTab(int index) {
  TabCtrl_SetCurSel(GetDlgItem(window_, IDC_TABSET1), index);
  rules_->TabSet1Click(index);
}

void RuleEditorControls::ShowPanel(int index) {
  for (int panel = 0; panel < 4; ++panel)
    for (int control : kPanels[panel]) ShowWindow(GetDlgItem(window_, control), panel == index ? SW_SHOW : SW_HIDE);
}

std::string RuleEditorControls::EditText(EditBox box) const {
  return ControlString(GetDlgItem(window_, EditControl(box)));
}

void RuleEditorControls::SetEditText(EditBox box, const std::string& text) {
  SetDlgItemTextA(window_, EditControl(box), text.c_str());
}

void RuleEditorControls::SetSmallWindowsCheck(bool checked) {
  CheckDlgButton(window_, IDC_CHECKBOXSW, checked ? BST_CHECKED : BST_UNCHECKED);
}

void RuleEditorControls::HookEditBox(EditBox box) {
  editHooks_[static_cast<size_t>(box)].Attach(
      GetDlgItem(window_, EditControl(box)), [this, box](UINT msg, WPARAM wp, LPARAM lp) -> std::optional<LRESULT> {
        switch (msg) {
          case WM_GETDLGCODE: {
            // Enter belongs to the box, not to the dialog keys.
            const MSG* key = reinterpret_cast<const MSG*>(lp);
            if (key && key->message == WM_KEYDOWN && key->wParam == VK_RETURN) return DLGC_WANTALLKEYS;
            break;
          }
          case WM_CHAR: {
            char key = static_cast<char>(wp);
            EditKeyPress(box, key);
            // A discarded key, and Enter, which a one-line box has no use for.
            if (key == 0 || key == kKeyEnter) return 0;
            break;
          }
          case WM_LBUTTONDOWN:
            EditMouse(box, true);
            break;
          case WM_LBUTTONUP:
            EditMouse(box, false);
            break;
        }
        return std::nullopt;
      });
}

void RuleEditorControls::EditKeyPress(EditBox box, char& key) {
  switch (box) {
    case EditBox::EDADDCaption: rules_->EDADDCaptionKeyPress(key); break;
    case EditBox::EdAddURL: rules_->EdAddURLKeyPress(key); break;
    case EditBox::EdAddKey: rules_->EdAddKeyKeyPress(key); break;
    case EditBox::EdWidth: rules_->EdWidthKeyPress(key); break;
    case EditBox::EdHeight: rules_->EdHeightKeyPress(key); break;
    case EditBox::EdSWWidth: rules_->EdSWWidthKeyPress(key); break;
    case EditBox::EdSWHeight: rules_->EdSWHeightKeyPress(key); break;
  }
}

void RuleEditorControls::EditMouse(EditBox box, bool down) {
  if (box == EditBox::EdSWWidth) down ? rules_->EdSWWidthMouseDown() : rules_->EdSWWidthClick();
  if (box == EditBox::EdSWHeight) down ? rules_->EdSWHeightMouseDown() : rules_->EdSWHeightClick();
}

}  // namespace zt
