// The hosts list editor window: creation from its template, its language
// texts, the virtual list view over the editor logic's model, the events
// of its buttons, list and menu passed to HostsEditing, the view it asks
// for, and the system's dialogs behind HostsEditorDialogs.
#include "ui/hosts_editor.h"

#include <commdlg.h>

#include <algorithm>
#include <string>
#include <vector>

#include "lang/texts.h"
#include "rules/list_ops.h"
#include "ui/controls.h"
#include "ui/gdi.h"
#include "ui/list_views.h"
#include "ui/resource.h"
#include "ui/secondary_window.h"

namespace zt {
namespace {

constexpr char kEditorClass[] = "THostlistenEditor";
// The least time between two looks at the message queue during a long action.
constexpr DWORD kPumpIntervalMs = 50;
// The list's one column before the first fitting.
constexpr int kColumnWidth = 390;

// The buttons Timer1 enables once the list is loaded.
constexpr int kListButtons[] = {IDC_HOSTS_BT_CLEAR, IDC_BTHOSTSADD, IDC_BTHOSTSDEL, IDC_HOSTS_BT_OK};

constexpr ControlText<HostsEditorTexts> kControlTexts[] = {
    {IDC_HOSTS_GROUPBOXURL, &HostsEditorTexts::GroupBoxURL}, {IDC_HOSTS_GROUPBOX7, &HostsEditorTexts::GroupBox7},
    {IDC_BTHOSTSADD, &HostsEditorTexts::BtHostsAdd},         {IDC_BTHOSTSDEL, &HostsEditorTexts::BtHostsDel},
    {IDC_HOSTS_BT_CLEAR, &HostsEditorTexts::Bt_clear},       {IDC_HOSTS_BT_OK, &HostsEditorTexts::Bt_OK},
    {IDC_HOSTS_BT_CANCEL, &HostsEditorTexts::BT_Cancel},     {IDC_HOSTS_BUTTON_HELP, &HostsEditorTexts::Button_help},
};
constexpr ControlText<HostsEditorTexts> kHints[] = {
    {IDC_HOSTS_BT_CANCEL, &HostsEditorTexts::BT_CancelHint}, {IDC_HOSTS_BT_CLEAR, &HostsEditorTexts::Bt_clearHint},
    {IDC_HOSTS_BT_OK, &HostsEditorTexts::Bt_OKHint},         {IDC_HOSTS_BUTTON_HELP, &HostsEditorTexts::Button_helpHint},
    {IDC_BTHOSTSADD, &HostsEditorTexts::BtHostsAddHint},     {IDC_BTHOSTSDEL, &HostsEditorTexts::BtHostsDelHint},
};
constexpr MenuText<HostsEditorTexts> kMenuTexts[] = {
    {0, true, &HostsEditorTexts::Datei1},
    {IDM_IMPORTHOSTSDATEITXTFORMAT1, false, &HostsEditorTexts::ImporthostsDateitxtformat1},
    {IDM_EXPORTLISTTXT1, false, &HostsEditorTexts::ExportListtxt1},
    {IDM_FENSTERSCHLIESSEN1, false, &HostsEditorTexts::Fensterschliessen1},
};


// ---- the system's dialogs ----

// "Text (*.txt)|*.txt|..." as the common dialogs want it: pairs ended by
// NUL, the whole ended by two.
std::string DialogFilter(const std::string& filter) {
  std::string out = filter;
  for (char& c : out)
    if (c == '|') c = '\0';
  out.append(2, '\0');
  return out;
}

// The button texts of the question box being shown, set when it activates.
const char* g_askYes = nullptr;
const char* g_askNo = nullptr;
HHOOK g_askHook = nullptr;

LRESULT CALLBACK AskHook(int code, WPARAM wp, LPARAM lp) {
  if (code == HCBT_ACTIVATE) {
    HWND box = reinterpret_cast<HWND>(wp);
    SetDlgItemTextA(box, IDYES, g_askYes);
    SetDlgItemTextA(box, IDNO, g_askNo);
  }
  return CallNextHookEx(g_askHook, code, wp, lp);
}

class SystemDialogs : public HostsEditorDialogs {
 public:
  std::string OpenFile(HWND owner, const std::string& filter) override {
    char file[MAX_PATH] = {};
    std::string filters = DialogFilter(filter);
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400A;  // the size Windows 95 and NT 4 know
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filters.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_ENABLESIZING;
    return GetOpenFileNameA(&ofn) ? std::string(file) : std::string();
  }

  std::string SaveFile(HWND owner, const std::string& title, const std::string& filter,
                       const std::string& defaultExtension) override {
    char file[MAX_PATH] = {};
    std::string filters = DialogFilter(filter);
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filters.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrTitle = title.c_str();
    ofn.lpstrDefExt = defaultExtension.c_str();
    ofn.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_ENABLESIZING;
    return GetSaveFileNameA(&ofn) ? std::string(file) : std::string();
  }

  // A Yes/No message box whose buttons are renamed as it activates (the
  // system would label them in its own language).
  bool Ask(HWND owner, const std::string& title, const std::string& text, const std::string& yes,
           const std::string& no) override {
    g_askYes = yes.c_str();
    g_askNo = no.c_str();
    g_askHook = SetWindowsHookExA(WH_CBT, AskHook, nullptr, GetCurrentThreadId());
    int answer = MessageBoxA(owner, text.c_str(), title.c_str(), MB_YESNO | MB_ICONQUESTION);
    if (g_askHook) UnhookWindowsHookEx(g_askHook);
    g_askHook = nullptr;
    return answer == IDYES;
  }
};

}  // namespace

HostsEditorDialogs& SystemHostsEditorDialogs() {
  static SystemDialogs dialogs;
  return dialogs;
}

THostlistenEditor::THostlistenEditor(AppState& app, HWND mainWindow, HostsEditorDialogs& dialogs)
    : app_(app),
      mainWindow_(mainWindow),
      dialogs_(dialogs),
      editing_(app, *this),
      language_([](const Texts& t) -> const HostsEditorTexts& { return t.hostsEditor; }) {}

THostlistenEditor::~THostlistenEditor() {
  if (hwnd()) DestroyWindow(hwnd());
}

bool THostlistenEditor::Create() {
  HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_APP));
  if (!CreateFromTemplate(kEditorClass, IDD_HOSTLISTENEDITOR, mainWindow_, icon)) return false;
  FormCreateControls();
  // The design texts are German; FormShow writes those of the language.
  ApplyLanguage(GermanTexts().hostsEditor);
  SetTimer(hwnd(), kHostsTimer1Id, kHostsTimer1Interval, nullptr);
  return true;
}

void THostlistenEditor::Show() {
  ShowWindow(hwnd(), SW_SHOW);
  BringWindowToTop(hwnd());
  SetForegroundWindow(hwnd());
}

// The parts a dialog template cannot hold: the client size and the place
// centred on the main window, the list's column and images, the tooltips.
void THostlistenEditor::FormCreateControls() {
  PlaceSecondary(hwnd(), mainWindow_, kHostsClientWidth, kHostsClientHeight);

  HWND list = Item(IDC_LISTVIEWHOSTS);
  ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
  images_.reset(LoadImageStrip());
  ListView_SetImageList(list, images_.get(), LVSIL_SMALL);
  Header_SetImageList(ListView_GetHeader(list), images_.get());
  AddListColumn(list, 0, kColumnWidth);

  hints_.Create(hwnd());
  hints_.Add(kHints, Items());
}

void THostlistenEditor::SetLanguage(int language) {
  if (language_.Set(language)) ApplyLanguage(language_.texts());
}

void THostlistenEditor::ApplyLanguage(const HostsEditorTexts& t) {
  SetWindowTextA(hwnd(), t.caption);
  SetControlTexts(kControlTexts, t, Items());
  // The count once the list is loaded, else the label's own text.
  if (editing_.loaded())
    SetDlgItemTextA(hwnd(), IDC_HOSTS_LABEL1, (t.countPrefix + std::to_string(editor().ListViewHosts.size())).c_str());
  else
    SetDlgItemTextA(hwnd(), IDC_HOSTS_LABEL1, t.Label1);
  SetListColumnText(Item(IDC_LISTVIEWHOSTS), 0, t.ListViewHostsColumn0);
  hints_.SetTexts(kHints, t, Items());
  SetMenuTexts(hwnd(), kMenuTexts, t);
}

void THostlistenEditor::FormShow() {
  SetLanguage(app_.flags.IsGerman ? kLanguageGerman : kLanguageEnglish);
  hints_.Activate(app_.settings.ShowHint);
  editing_.FormShow();
}

// ---- the list ----

void THostlistenEditor::ShowList() {
  HWND list = Item(IDC_LISTVIEWHOSTS);
  const ListModel& model = editor().ListViewHosts;
  int rows = static_cast<int>(model.size());
  // The selection shown is known from the list's notifications: asking the
  // list for it walks every row of a virtual list on some systems.
  syncingSelection_ = true;
  ListView_SetItemCountEx(list, rows, LVSICF_NOSCROLL | LVSICF_NOINVALIDATEALL);
  if (shownSelection_ >= rows) shownSelection_ = -1;
  if (shownSelection_ != model.selected) {
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    shownSelection_ = -1;
    if (model.selected >= 0 && model.selected < rows) {
      ListView_SetItemState(list, model.selected, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
      ListView_EnsureVisible(list, model.selected, FALSE);
      shownSelection_ = model.selected;
    }
  }
  syncingSelection_ = false;
  ShowSortImage(list, model);
  RECT r = {};
  GetWindowRect(list, &r);
  for (const auto& [column, width] : rowwidthLW(ListViewId::Hosts, r.right - r.left, model.size()))
    ListView_SetColumnWidth(list, column, width);
  InvalidateRect(list, nullptr, FALSE);
}

void THostlistenEditor::ShowCount(const std::string& text) {
  SetDlgItemTextA(hwnd(), IDC_HOSTS_LABEL1, text.c_str());
}

std::string THostlistenEditor::AddText() { return ControlString(Item(IDC_EDADDHOSTS)); }

void THostlistenEditor::SetAddText(const std::string& text) { SetDlgItemTextA(hwnd(), IDC_EDADDHOSTS, text.c_str()); }

void THostlistenEditor::ScrollTo(int row) { ListView_EnsureVisible(Item(IDC_LISTVIEWHOSTS), row, FALSE); }

void THostlistenEditor::FocusList() {
  SendMessageA(hwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDC_LISTVIEWHOSTS)), TRUE);
}

void THostlistenEditor::SetListRedraw(bool on) {
  // Nested calls: the list paints again when the outermost one ends.
  redrawOff_ += on ? -1 : 1;
  if (on && redrawOff_ > 0) return;
  if (!on && redrawOff_ > 1) return;
  HWND list = Item(IDC_LISTVIEWHOSTS);
  SendMessageA(list, WM_SETREDRAW, on ? TRUE : FALSE, 0);
  if (on) InvalidateRect(list, nullptr, TRUE);
}

void THostlistenEditor::EnableCancel() { EnableWindow(Item(IDC_HOSTS_BT_CANCEL), TRUE); }

void THostlistenEditor::EnableListButtons() {
  for (int button : kListButtons) EnableWindow(Item(button), TRUE);
}

LRESULT THostlistenEditor::OnNotify(NMHDR& n) {
  if (n.idFrom != IDC_LISTVIEWHOSTS) return 0;
  ListModel& model = editor().ListViewHosts;
  switch (n.code) {
    case LVN_GETDISPINFOA: {
      LVITEMA& item = reinterpret_cast<NMLVDISPINFOA&>(n).item;
      if (item.iItem < 0 || static_cast<size_t>(item.iItem) >= model.size()) break;
      size_t row = static_cast<size_t>(item.iItem);
      if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0)
        lstrcpynA(item.pszText, model.text(row).c_str(), item.cchTextMax);
      if (item.mask & LVIF_IMAGE) item.iImage = model.row(row).image;
      break;
    }
    case LVN_ODFINDITEMA: {
      // Typing in the list jumps to the next name that begins so.
      const NMLVFINDITEMA& find = reinterpret_cast<NMLVFINDITEMA&>(n);
      if (!(find.lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) || !find.lvfi.psz) return -1;
      return editor().FindRow(find.lvfi.psz, find.iStart);
    }
    case LVN_ODFINDITEMW: {
      // The same from a list view that asks in UTF-16.
      const NMLVFINDITEMW& find = reinterpret_cast<NMLVFINDITEMW&>(n);
      if (!(find.lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) || !find.lvfi.psz) return -1;
      char typed[256] = {};
      WideCharToMultiByte(CP_ACP, 0, find.lvfi.psz, -1, typed, sizeof typed - 1, nullptr, nullptr);
      return editor().FindRow(typed, find.iStart);
    }
    case LVN_ITEMCHANGED: {
      auto& change = reinterpret_cast<NMLISTVIEW&>(n);
      if (!(change.uChanged & LVIF_STATE) || !((change.uOldState ^ change.uNewState) & LVIS_SELECTED)) break;
      // One row (or, for -1, every row) was selected or deselected; the
      // list holds one selected row at most.
      if (change.uNewState & LVIS_SELECTED) shownSelection_ = change.iItem;
      else if (change.iItem == -1 || change.iItem == shownSelection_) shownSelection_ = -1;
      if (!syncingSelection_) model.selected = shownSelection_;
      break;
    }
    case NM_CLICK:
      editing_.ListViewHostsClick();
      break;
    case NM_DBLCLK:
      editing_.ListViewHostsDblClick();
      break;
    case LVN_COLUMNCLICK:
      editing_.ListViewHostsColumnClick();
      break;
  }
  return 0;
}

// ---- HostsListView ----

void THostlistenEditor::SetProgressRange(size_t max) {
  SendDlgItemMessageA(hwnd(), IDC_HOSTS_PROGRESSBAR1, PBM_SETRANGE32, 0, static_cast<LPARAM>(max));
  SetProgressPosition(0);
}

void THostlistenEditor::SetProgressPosition(size_t position) {
  SendDlgItemMessageA(hwnd(), IDC_HOSTS_PROGRESSBAR1, PBM_SETPOS, static_cast<WPARAM>(position), 0);
}

void THostlistenEditor::ProcessPendingMessages() {
  // A long load asks after every few hundred lines; a look at the queue
  // every 50 ms keeps the window responsive at a fraction of the cost.
  DWORD now = GetTickCount();
  if (now - lastPump_ < kPumpIntervalMs) return;
  lastPump_ = now;
  PumpPendingMessages();
}

// ---- closing ----

void THostlistenEditor::Close() {
  if (IsWindowVisible(mainWindow_)) {
    ShowWindow(hwnd(), SW_HIDE);
    SetForegroundWindow(mainWindow_);
  }
  DestroyWindow(hwnd());
}

void THostlistenEditor::OnCommand(int id, int code) {
  if (code != BN_CLICKED) return;  // menu items, buttons, Enter and Escape
  switch (id) {
    case IDC_BTHOSTSADD: editing_.BtHostsAddClick(); break;
    case IDC_BTHOSTSDEL: editing_.BtHostsDelClick(); break;
    case IDC_HOSTS_BT_CLEAR: editing_.Bt_clearClick(); break;
    case IDC_HOSTS_BT_OK: editing_.Bt_OKClick(); break;
    case IDC_HOSTS_BT_CANCEL: editing_.BT_CancelClick(); break;
    case IDC_HOSTS_BUTTON_HELP: editing_.Button_helpClick(); break;
    case IDM_IMPORTHOSTSDATEITXTFORMAT1: editing_.ImporthostsDateitxtformat1Click(); break;
    case IDM_EXPORTLISTTXT1: editing_.ExportListtxt1Click(); break;
    case IDM_FENSTERSCHLIESSEN1: editing_.Fensterschliessen1Click(); break;
    case IDOK:
      // Enter in the edit box adds its text; elsewhere it does nothing.
      if (GetFocus() == Item(IDC_EDADDHOSTS)) editing_.BtHostsAddClick();
      break;
    case IDCANCEL:
      // Escape is the Cancel button.
      editing_.BT_CancelClick();
      break;
  }
}

LRESULT THostlistenEditor::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (!hints_.get()) return Default(msg, wp, lp);  // still inside the template's creation
  switch (msg) {
    case WM_TIMER:
      if (wp == kHostsTimer1Id) {
        KillTimer(hwnd(), kHostsTimer1Id);
        editing_.Timer1Timer();
      }
      return 0;
    case WM_COMMAND:
      OnCommand(LOWORD(wp), HIWORD(wp));
      return 0;
    case WM_NOTIFY:
      return OnNotify(*reinterpret_cast<NMHDR*>(lp));
    case WM_SHOWWINDOW:
      if (wp) FormShow();
      break;
    case WM_CLOSE:
      // Alt+F4: closes without saving, as the menu's close does.
      editing_.Fensterschliessen1Click();
      return 0;
  }
  return Default(msg, wp, lp);
}

}  // namespace zt
