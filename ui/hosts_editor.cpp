// The hosts list editor window: creation from its template, its language
// texts, the virtual list view over the editor logic's model, the handlers
// of its buttons, list and menu, its closing, and the system's dialogs
// behind HostsEditorDialogs.
#include "ui/hosts_editor.h"

#include <commdlg.h>

#include <algorithm>
#include <exception>
#include <string>
#include <vector>

#include "app/help_actions.h"
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

// Repainting of a window is off while this lives; afterwards the window
// is painted whole.
class RedrawOff {
 public:
  explicit RedrawOff(HWND w) : w_(w) { SendMessageA(w_, WM_SETREDRAW, FALSE, 0); }
  ~RedrawOff() {
    SendMessageA(w_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(w_, nullptr, TRUE);
  }
  RedrawOff(const RedrawOff&) = delete;
  RedrawOff& operator=(const RedrawOff&) = delete;

 private:
  HWND w_;
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
      editor_(app.Hosts(), app.settings, *this),
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
  if (language_.Set(language)) ApplyLanguage(texts());
}

void THostlistenEditor::ApplyLanguage(const HostsEditorTexts& t) {
  SetWindowTextA(hwnd(), t.caption);
  SetControlTexts(kControlTexts, t, Items());
  // The count once the list is loaded, else the label's own text.
  if (loaded_)
    SetDlgItemTextA(hwnd(), IDC_HOSTS_LABEL1, (t.countPrefix + std::to_string(editor_.ListViewHosts.size())).c_str());
  else
    SetDlgItemTextA(hwnd(), IDC_HOSTS_LABEL1, t.Label1);
  SetListColumnText(Item(IDC_LISTVIEWHOSTS), 0, t.ListViewHostsColumn0);
  hints_.SetTexts(kHints, t, Items());
  SetMenuTexts(hwnd(), kMenuTexts, t);
}

void THostlistenEditor::FormShow() {
  SetLanguage(app_.flags.IsGerman ? kLanguageGerman : kLanguageEnglish);
  hints_.Activate(app_.settings.ShowHint);
  editor_.FormShow();
}

// ---- the list ----

void THostlistenEditor::ShowList() {
  HWND list = Item(IDC_LISTVIEWHOSTS);
  const ListModel& model = editor_.ListViewHosts;
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

void THostlistenEditor::ShowCount() {
  std::string text = texts().countPrefix + std::to_string(editor_.ListViewHosts.size());
  SetDlgItemTextA(hwnd(), IDC_HOSTS_LABEL1, text.c_str());
}

// Empties the list and gives its memory back.
void THostlistenEditor::EmptyList() {
  RedrawOff quiet(Item(IDC_LISTVIEWHOSTS));
  editor_.ListViewHosts.Replace({});
  editor_.ListViewHosts.selected = -1;
  ShowList();
}

LRESULT THostlistenEditor::OnNotify(NMHDR& n) {
  if (n.idFrom != IDC_LISTVIEWHOSTS) return 0;
  ListModel& model = editor_.ListViewHosts;
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
      return editor_.FindRow(find.lvfi.psz, find.iStart);
    }
    case LVN_ODFINDITEMW: {
      // The same from a list view that asks in UTF-16.
      const NMLVFINDITEMW& find = reinterpret_cast<NMLVFINDITEMW&>(n);
      if (!(find.lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) || !find.lvfi.psz) return -1;
      char typed[256] = {};
      WideCharToMultiByte(CP_ACP, 0, find.lvfi.psz, -1, typed, sizeof typed - 1, nullptr, nullptr);
      return editor_.FindRow(typed, find.iStart);
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
      ListViewHostsClick();
      break;
    case NM_DBLCLK:
      if (IsWindowEnabled(Item(IDC_BTHOSTSDEL))) Run([this] { BtHostsDelClick(); });
      break;
    case LVN_COLUMNCLICK:
      Run([this] { ListViewHostsColumnClick(); });
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

// ---- handlers ----

template <class Action>
void THostlistenEditor::Run(Action action) {
  if (busy_) return;
  busy_ = true;
  try {
    action();
  } catch (const std::exception& e) {
    app_.os.system.MessageBox(e.what(), kAppCaption, kMbOk | kMbIconError);
  } catch (...) {
    app_.os.system.MessageBox(kUnknownError, kAppCaption, kMbOk | kMbIconError);
  }
  busy_ = false;
  if (closeWhenIdle_ && hwnd()) {
    closeWhenIdle_ = false;
    EmptyList();
    FormClose();
  }
}

void THostlistenEditor::Timer1Timer() {
  KillTimer(hwnd(), kHostsTimer1Id);
  // Cancel comes even when the list cannot be read; the buttons that
  // change or save the list only with the list loaded, so that a file that
  // could not be read is never saved over with less.
  EnableWindow(Item(IDC_HOSTS_BT_CANCEL), TRUE);
  Run([this] {
    refresh_hostlist();
    loaded_ = true;
    for (int button : kListButtons) EnableWindow(Item(button), TRUE);
  });
}

void THostlistenEditor::refresh_hostlist() {
  bool loaded = false;
  {
    RedrawOff quiet(Item(IDC_LISTVIEWHOSTS));
    loaded = editor_.refresh_hostlist();
    ShowList();
  }
  if (loaded) ShowCount();
}

void THostlistenEditor::BtHostsAddClick() {
  ListModel& model = editor_.ListViewHosts;
  int remembered = model.selected;
  std::string text = ControlString(Item(IDC_EDADDHOSTS));
  bool refused = !text.empty() && !IsValidHostName(text);
  bool added = editor_.AddHost(text);
  // A refused text stays in the box to be mended.
  if (!refused) SetDlgItemTextA(hwnd(), IDC_EDADDHOSTS, "");
  model.selected = remembered < static_cast<int>(model.size()) ? remembered : -1;
  ShowList();
  if (added) ListView_EnsureVisible(Item(IDC_LISTVIEWHOSTS), editor_.FindRow(text, 0), FALSE);
  ShowCount();
  SendMessageA(hwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDC_LISTVIEWHOSTS)), TRUE);
}

void THostlistenEditor::BtHostsDelClick() {
  editor_.DeleteSelected();
  ShowList();
  ShowCount();
  SetDlgItemTextA(hwnd(), IDC_EDADDHOSTS, "");
  SendMessageA(hwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDC_LISTVIEWHOSTS)), TRUE);
}

void THostlistenEditor::Bt_clearClick() {
  bool yes = dialogs_.Ask(hwnd(), kHostsConfirmTitle, texts().clearQuestion, kHostsConfirmYes, kHostsConfirmNo);
  editor_.ClearList(yes);
  ShowList();
  ShowCount();
}

void THostlistenEditor::ListViewHostsClick() {
  const ListModel& model = editor_.ListViewHosts;
  if (model.selected >= 0 && static_cast<size_t>(model.selected) < model.size())
    SetDlgItemTextA(hwnd(), IDC_EDADDHOSTS, model.text(static_cast<size_t>(model.selected)).c_str());
}

void THostlistenEditor::ListViewHostsColumnClick() {
  ListModel& model = editor_.ListViewHosts;
  // The selected name stays selected in the other order.
  std::string selected;
  if (model.selected >= 0 && static_cast<size_t>(model.selected) < model.size())
    selected = model.text(static_cast<size_t>(model.selected));
  editor_.ColumnClick();
  if (!selected.empty()) {
    int row = editor_.FindRow(selected, 0);
    while (row >= 0 && static_cast<size_t>(row) < model.size() && model.text(static_cast<size_t>(row)) != selected) ++row;
    model.selected = row >= 0 && static_cast<size_t>(row) < model.size() ? row : -1;
  }
  ShowList();
}

void THostlistenEditor::ImporthostsDateitxtformat1Click() {
  editor_.listChanged = true;
  std::string file = dialogs_.OpenFile(hwnd(), texts().fileFilter);
  if (!file.empty()) {
    {
      RedrawOff quiet(Item(IDC_LISTVIEWHOSTS));
      editor_.ImportFile(file);
      ShowList();
    }
    ShowCount();
    // How many lines the file gave and how many it had that were no host name.
    app_.os.system.MessageBox(Format(app_.texts().msg.importReport, {std::to_string(editor_.lastImport.taken),
                                                                       std::to_string(editor_.lastImport.skipped)}),
                              kAppCaption, kMbOk | kMbIconInformation);
  }
  ShowCount();
}

void THostlistenEditor::ExportListtxt1Click() {
  std::string file = dialogs_.SaveFile(hwnd(), kHostsExportTitle, texts().fileFilter, "txt");
  if (!file.empty()) editor_.exporthosts(file);
}

void THostlistenEditor::Bt_OKClick() {
  // A failed save or hosts rewrite throws: the window stays open with the list.
  editor_.Bt_OKClick();
  EmptyList();
  FormClose();
}

void THostlistenEditor::BT_CancelClick() {
  EmptyList();
  FormClose();
}

void THostlistenEditor::Fensterschliessen1Click() {
  EmptyList();
  FormClose();
}

void THostlistenEditor::Button_helpClick() {
  // The program has no help file for topics: the manual is the help.
  ProcessPendingMessages();
  OpenHandbook(app_.os.system, app_.os.shell, app_.paths.HandbookFile, app_.texts());
}

void THostlistenEditor::FormClose() {
  if (IsWindowVisible(mainWindow_)) {
    ShowWindow(hwnd(), SW_HIDE);
    SetForegroundWindow(mainWindow_);
  }
  DestroyWindow(hwnd());
}

void THostlistenEditor::OnCommand(int id, int code) {
  bool clicked = code == BN_CLICKED;
  auto enabled = [this](int control) { return IsWindowEnabled(Item(control)) != FALSE; };
  // A close asked for while an action lets messages run comes after it.
  auto close = [this](void (THostlistenEditor::*handler)()) {
    if (busy_) closeWhenIdle_ = true;
    else Run([this, handler] { (this->*handler)(); });
  };
  switch (id) {
    case IDC_BTHOSTSADD: if (clicked) Run([this] { BtHostsAddClick(); }); break;
    case IDC_BTHOSTSDEL: if (clicked) Run([this] { BtHostsDelClick(); }); break;
    case IDC_HOSTS_BT_CLEAR: if (clicked) Run([this] { Bt_clearClick(); }); break;
    case IDC_HOSTS_BT_OK: if (clicked) Run([this] { Bt_OKClick(); }); break;
    case IDC_HOSTS_BT_CANCEL: if (clicked) close(&THostlistenEditor::BT_CancelClick); break;
    case IDC_HOSTS_BUTTON_HELP: if (clicked) Run([this] { Button_helpClick(); }); break;
    case IDM_IMPORTHOSTSDATEITXTFORMAT1: Run([this] { ImporthostsDateitxtformat1Click(); }); break;
    case IDM_EXPORTLISTTXT1: Run([this] { ExportListtxt1Click(); }); break;
    case IDM_FENSTERSCHLIESSEN1: close(&THostlistenEditor::Fensterschliessen1Click); break;
    case IDOK:
      // Enter in the edit box adds its text; elsewhere it does nothing.
      if (GetFocus() == Item(IDC_EDADDHOSTS) && enabled(IDC_BTHOSTSADD)) Run([this] { BtHostsAddClick(); });
      break;
    case IDCANCEL:
      // Escape is the Cancel button.
      if (enabled(IDC_HOSTS_BT_CANCEL)) close(&THostlistenEditor::BT_CancelClick);
      break;
  }
}

LRESULT THostlistenEditor::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (!hints_.get()) return Default(msg, wp, lp);  // still inside the template's creation
  switch (msg) {
    case WM_TIMER:
      if (wp == kHostsTimer1Id) Timer1Timer();
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
      if (busy_) closeWhenIdle_ = true;
      else Run([this] { Fensterschliessen1Click(); });
      return 0;
  }
  return Default(msg, wp, lp);
}

}  // namespace zt
