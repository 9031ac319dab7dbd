// The main window: creation from its template, the texts of its language,
// the view operations, the list views, the tray shell, the actions, and the
// messages that end the program (quit, log-off, close without saving) or
// hide it.
#include "ui/main_window.h"

#include <algorithm>
#include <exception>

#include "app/help_actions.h"
#include "lang/texts.h"
#include "platform/win32/system_function.h"
#include "rules/list_ops.h"
#include "system/probes.h"
#include "ui/main_window_texts.h"
#include "ui/resource.h"

namespace zt {
namespace {

// The hidden window that owns the main window: an owned window has no
// taskbar button, so the program shows itself only in the tray.
constexpr char kOwnerClass[] = "Tzapotrix_owner";
constexpr char kMainClass[] = "Tzapotrix_main";

// The edit boxes in the order of EditBox.
constexpr int kEditControls[] = {IDC_EDADDCAPTION, IDC_EDADDURL, IDC_EDADDKEY, IDC_EDWIDTH,
                                 IDC_EDHEIGHT,     IDC_EDSWWIDTH, IDC_EDSWHEIGHT};
int EditControl(EditBox box) { return kEditControls[static_cast<int>(box)]; }

// ImageList1.
constexpr int kImageSize = 16;
constexpr int kImageCount = 11;
constexpr COLORREF kImageMask = RGB(255, 0, 255);

// The controls of each rule editor panel, by tab.
const std::vector<int> kPanels[4] = {
    {IDC_GROUPBOXWS, IDC_LISTVIEWWDS, IDC_GROUPBOX5, IDC_LABEL7, IDC_EDWIDTH, IDC_LABEL6, IDC_EDHEIGHT,
     IDC_BTADDTOGRID, IDC_BTREMWDS, IDC_GROUPBOX6, IDC_LABEL10, IDC_EDSWWIDTH, IDC_LABEL11, IDC_EDSWHEIGHT,
     IDC_CHECKBOXSW},
    {IDC_GROUPBOXURL, IDC_LISTVIEWURL, IDC_GROUPBOX7, IDC_EDADDURL, IDC_LABEL2, IDC_BTURLADD, IDC_BTURLDEL},
    {IDC_GROUPBOXADS, IDC_LISTVIEWADS, IDC_GROUPBOX1, IDC_EDADDKEY, IDC_LABEL3, IDC_BTADDKEY, IDC_BTDELKEY},
    {IDC_GROUPBOXWCS, IDC_LISTVIEWWCS, IDC_GROUPBOX2, IDC_EDADDCAPTION, IDC_BTADD, IDC_BUTTONREMOVE},
};

constexpr ControlText kHints[] = {
    {IDC_BTOPENRULE, &MainWindowTexts::BTOpenRuleHint},   {IDC_BTADDKEY, &MainWindowTexts::BtAddKeyHint},
    {IDC_BTDELKEY, &MainWindowTexts::BTDelKeyHint},       {IDC_LISTVIEWADS, &MainWindowTexts::ListViewADSHint},
    {IDC_BTURLADD, &MainWindowTexts::BtURLAddHint},       {IDC_BTURLDEL, &MainWindowTexts::BtUrlDelHint},
    {IDC_LISTVIEWURL, &MainWindowTexts::ListViewURLHint}, {IDC_BTADD, &MainWindowTexts::BtAddHint},
    {IDC_BUTTONREMOVE, &MainWindowTexts::ButtonRemoveHint}, {IDC_LISTVIEWWCS, &MainWindowTexts::ListViewWCSHint},
    {IDC_BTADDTOGRID, &MainWindowTexts::BtAddtoGridHint}, {IDC_BTREMWDS, &MainWindowTexts::BtRemWDSHint},
    {IDC_LISTVIEW1, &MainWindowTexts::ListView1Hint},     {IDC_LISTVIEWWDS, &MainWindowTexts::ListViewWDSHint},
};
// Menu bar items by position, actions by command.
struct MenuText {
  UINT item;
  bool byPosition;
  const char* MainWindowTexts::*text;
};
constexpr MenuText kMenuTexts[] = {
    {0, true, &MainWindowTexts::MenuDatei},
    {2, true, &MainWindowTexts::MenuExtras},
    {3, true, &MainWindowTexts::MenuHilfe},
    {IDM_ACTION_CLOSE, false, &MainWindowTexts::Action_close},
    {IDM_ACTION4_HANDBUCH, false, &MainWindowTexts::Action4_handbuch},
    {IDM_ACTION_PRODUKTE_NEWS, false, &MainWindowTexts::Action_produkte_news},
    {IDM_ACTION_DATENBANKUPDATER, false, &MainWindowTexts::Action_DatenbankUpdater},
    {IDM_ACTION_HOSTLISTENEDITOR, false, &MainWindowTexts::Action_Hostlisteneditor},
    {IDM_ACTION_EINSTELLUNGEN, false, &MainWindowTexts::Action_Einstellungen},
};

// The pause action's shortcut as the menu shows it, in the names the
// keyboard layout gives its keys ("Ctrl+S", "Strg+S").
std::string PauseShortcutText() {
  char ctrl[32] = {};
  if (!GetKeyNameTextA(static_cast<LONG>(MapVirtualKeyA(VK_CONTROL, 0) << 16), ctrl, sizeof ctrl)) return "";
  return std::string(ctrl) + "+S";
}

HWND CreateOwner(HINSTANCE inst) {
  WNDCLASSA wc = {};
  if (!GetClassInfoA(inst, kOwnerClass, &wc)) {
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = inst;
    wc.lpszClassName = kOwnerClass;
    RegisterClassA(&wc);
  }
  return CreateWindowExA(0, kOwnerClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, inst, nullptr);
}

}  // namespace

MainWindow::MainWindow(Platform& os)
    : os_(os),
      language_([](const Texts& t) -> const Texts& { return t; }),
      tray_(kMsgTrayCallback, nullptr) {}

MainWindow::~MainWindow() {
  if (hwnd()) DestroyWindow(hwnd());
  if (owner_) DestroyWindow(owner_);
  if (images_) ImageList_Destroy(images_);
  if (shortcuts_) DestroyAcceleratorTable(shortcuts_);
}

bool MainWindow::Create() {
  HINSTANCE inst = GetModuleHandleA(nullptr);
  icon_ = LoadIconA(inst, MAKEINTRESOURCEA(IDI_APP));
  tray_ = TrayIcon(kMsgTrayCallback, icon_);
  shortcuts_ = LoadAcceleratorsA(inst, MAKEINTRESOURCEA(IDR_MAINSHORTCUTS));
  owner_ = CreateOwner(inst);
  if (!CreateFromTemplate(kMainClass, IDD_MAIN, owner_, icon_)) return false;

  WindowHandle self = reinterpret_cast<WindowHandle>(hwnd());
  timer1_ = std::make_unique<Win32Timer>(self, kTimer1Id);
  timerCheckMessenger_ = std::make_unique<Win32Timer>(self, kTimerCheckMessengerId);
  main_ = std::make_unique<ZapotrixMain>(os_, *this, *timer1_, *timerCheckMessenger_);
  instantTimer_ = std::make_unique<Win32Timer>(self, kTimerInstantWatchId);
  instant_ = std::make_unique<InstantMode>(*main_, *instantTimer_,
                                           [this] { PostMessageA(hwnd(), kMsgInstantCheck, 0, 0); });
  rules_ = std::make_unique<RuleEditing>(main_->state());
  AppState& a = main_->state();
  lists_ = {{ListViewId::ListView1, IDC_LISTVIEW1, &a.engine.ListView1},
            {ListViewId::WCS, IDC_LISTVIEWWCS, &a.rules.WCS},
            {ListViewId::URL, IDC_LISTVIEWURL, &a.rules.URL},
            {ListViewId::ADS, IDC_LISTVIEWADS, &a.rules.ADS},
            {ListViewId::WDS, IDC_LISTVIEWWDS, &a.rules.WDS}};
  tray_.Attach(hwnd());
  taskbarCreated_ = RegisterWindowMessageA("TaskbarCreated");
  FormCreateControls();
  ApplyDesignTexts();

  // Announcements are taken from before start-up on: a popup that opens
  // while the rules load waits in the watch list and is checked the moment
  // start-up has ended, not at the first cycle.
  instant_->Start();
  main_->Start();
  if (!main_->Started() || main_->StartFailed()) instant_->Stop();
  // A quit that arrived while the start-up order let messages run waits
  // until the rules are loaded: closing earlier would save empty lists.
  if (closePending_) PostMessageA(hwnd(), WM_CLOSE, 0, 0);
  return true;
}

// The parts of the controls a dialog template cannot hold: the client
// size, the status bar's panels, list columns and images, tabs, tooltips,
// the size limits of the number boxes and the hooks of the edit boxes and
// of ListView1.
void MainWindow::FormCreateControls() {
  RECT frame = {0, 0, kClientWidth, kClientHeight};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrA(hwnd(), GWL_STYLE)), TRUE,
                     static_cast<DWORD>(GetWindowLongPtrA(hwnd(), GWL_EXSTYLE)));
  SetWindowPos(hwnd(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

  HWND status = Item(IDC_STATUSBAR1);
  int edges[7];
  int x = 0;
  for (int i = 0; i < 7; ++i) edges[i] = (x += kPanelWidths[i]);
  SendMessageA(status, SB_SETPARTS, 7, reinterpret_cast<LPARAM>(edges));

  // ImageList1: 16 x 16 images on magenta, which is transparent.
  images_ = ImageList_Create(kImageSize, kImageSize, ILC_COLOR24 | ILC_MASK, kImageCount, 0);
  {
    GdiObject<HBITMAP> strip(static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_IMAGELIST1),
                                                              IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    ImageList_AddMasked(images_, strip.get(), kImageMask);
  }
  for (const ListBinding& b : lists_) {
    HWND h = Item(b.control);
    ListView_SetExtendedListViewStyle(h, LVS_EX_FULLROWSELECT);
    ListView_SetImageList(h, images_, LVSIL_SMALL);
    // The header shows the sort direction with images 0 and 1 of the same list.
    Header_SetImageList(ListView_GetHeader(h), images_);
    int columns = b.id == ListViewId::ListView1 ? 3 : b.id == ListViewId::WDS ? 2 : 1;
    for (int c = 0; c < columns; ++c) {
      LVCOLUMNA col = {};
      col.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
      col.fmt = LVCFMT_LEFT;
      col.cx = b.id == ListViewId::ListView1 ? kListView1Widths[c] : 100;
      col.pszText = const_cast<char*>("");
      ListView_InsertColumn(h, c, &col);
    }
  }
  // The user cannot widen ListView1's columns: the hidden "handle" column
  // stays hidden.
  listView1Header_.Attach(Item(IDC_LISTVIEW1), [](UINT msg, WPARAM, LPARAM lp) -> std::optional<LRESULT> {
    if (msg != WM_NOTIFY) return std::nullopt;
    UINT code = reinterpret_cast<NMHDR*>(lp)->code;
    if (code == HDN_BEGINTRACKA || code == HDN_BEGINTRACKW) return 1;
    return std::nullopt;
  });

  HWND tabs = Item(IDC_TABSET1);
  for (int i = 0; i < 4; ++i) {
    TCITEMA tab = {};
    tab.mask = TCIF_TEXT;
    tab.pszText = const_cast<char*>("");
    SendMessageA(tabs, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&tab));
  }

  for (int box : {IDC_EDWIDTH, IDC_EDHEIGHT, IDC_EDSWWIDTH, IDC_EDSWHEIGHT})
    SendDlgItemMessageA(hwnd(), box, EM_LIMITTEXT, kSizeBoxLimit, 0);
  for (EditBox box : {EditBox::EDADDCaption, EditBox::EdAddURL, EditBox::EdAddKey, EditBox::EdWidth,
                      EditBox::EdHeight, EditBox::EdSWWidth, EditBox::EdSWHeight})
    HookEditBox(box);

  hints_ = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, hwnd(), nullptr, GetModuleHandleA(nullptr), nullptr);
  for (const ControlText& h : kHints) AddHint(h.control, "");
}

void MainWindow::AddHint(int control, const char* text) {
  TOOLINFOA tool = {};
  tool.cbSize = TTTOOLINFOA_V2_SIZE;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = hwnd();
  tool.uId = reinterpret_cast<UINT_PTR>(Item(control));
  tool.lpszText = const_cast<char*>(text);
  SendMessageA(hints_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

// The window's design: the German texts, and the texts no language routine
// changes. The resource script holds no text.
void MainWindow::ApplyDesignTexts() {
  ApplyLanguage(GermanTexts().main);
  SetMenuText(1, true, kMenuTools);
  SetMenuText(IDM_ACTION_STATISTIK, false, kActionStatistik);
  SetMenuText(IDM_ACTION_INFO, false, kActionInfo);
  SetColumnText(IDC_LISTVIEW1, 1, kListView1Column1);
  SetColumnText(IDC_LISTVIEW1, 2, kListView1Column2);
  for (int i = 0; i < 7; ++i) SetStatusPanel(i, kInitialPanels[i]);
}

void MainWindow::SetLanguage(int language) {
  if (language_.Set(language)) ApplyLanguage(language_.texts().main);
}

void MainWindow::ApplyLanguage(const MainWindowTexts& t) {
  for (const ControlText& c : kControlTexts) SetText(c.control, t.*c.text);
  for (const ColumnText& c : kColumnTexts) SetColumnText(c.control, c.column, t.*c.text);
  HWND tabs = Item(IDC_TABSET1);
  for (int i = 0; i < 4; ++i) {
    TCITEMA tab = {};
    tab.mask = TCIF_TEXT;
    tab.pszText = const_cast<char*>(t.TabSet1[i]);
    SendMessageA(tabs, TCM_SETITEMA, i, reinterpret_cast<LPARAM>(&tab));
  }
  for (const ControlText& h : kHints) {
    TOOLINFOA tool = {};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.hwnd = hwnd();
    tool.uId = reinterpret_cast<UINT_PTR>(Item(h.control));
    tool.lpszText = const_cast<char*>(t.*h.text);
    SendMessageA(hints_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
  }
  for (const MenuText& m : kMenuTexts) SetMenuText(m.item, m.byPosition, t.*m.text);
  SetPauseActionCaption(t.Action_zapotrixhalten);
}

void MainWindow::SetMenuText(UINT item, bool byPosition, const std::string& text) {
  MENUITEMINFOA info = {};
  info.cbSize = sizeof info;
  info.fMask = MIIM_TYPE;
  info.fType = MFT_STRING;
  info.dwTypeData = const_cast<char*>(text.c_str());
  SetMenuItemInfoA(GetMenu(hwnd()), item, byPosition, &info);
  DrawMenuBar(hwnd());
}

void MainWindow::SetColumnText(int control, int column, const char* text) {
  LVCOLUMNA col = {};
  col.mask = LVCF_TEXT;
  col.pszText = const_cast<char*>(text);
  ListView_SetColumn(Item(control), column, &col);
}

// ---- view operations ----

void MainWindow::SetCaption(const std::string& caption) { SetWindowTextA(hwnd(), caption.c_str()); }

void MainWindow::SetStatusPanel(int panel, const std::string& text) {
  HWND status = Item(IDC_STATUSBAR1);
  // A status bar text holds at most 127 characters: a longer one ends in
  // an ellipsis. The whole text is the panel's tooltip, which shows where
  // the panel cuts it off.
  std::string shown = text.size() <= kStatusTextMax ? text : text.substr(0, kStatusTextMax - 3) + "...";
  SendMessageA(status, SB_SETTEXTA, panel, reinterpret_cast<LPARAM>(shown.c_str()));
  SendMessageA(status, SB_SETTIPTEXTA, panel, reinterpret_cast<LPARAM>(text.c_str()));
}

void MainWindow::SetPauseLabelVisible(bool visible) { ShowWindow(Item(IDC_LABEL1), visible ? SW_SHOW : SW_HIDE); }

void MainWindow::SetPauseActionCaption(const std::string& caption) {
  std::string shortcut = PauseShortcutText();
  SetMenuText(IDM_ACTION_ZAPOTRIXHALTEN, false, shortcut.empty() ? caption : caption + "\t" + shortcut);
}

void MainWindow::SetTrayPauseCaption(const std::string& caption) {
  SetTaggedCaption(trayMenu_.items(), kTagPause, caption);
}

const MainWindow::ListBinding* MainWindow::Binding(ListViewId id) const {
  for (const ListBinding& b : lists_)
    if (b.id == id) return &b;
  return nullptr;
}

const MainWindow::ListBinding* MainWindow::BindingOf(int control) const {
  for (const ListBinding& b : lists_)
    if (b.control == control) return &b;
  return nullptr;
}

void MainWindow::ListChanged(ListViewId id) {
  if (id == ListViewId::History && statistik()) statistik_->refreshStatistik();
  const ListBinding* b = Binding(id);
  if (!b) return;
  HWND list = Item(b->control);
  const ListModel& model = *b->model;
  int rows = static_cast<int>(model.size());
  syncingSelection_ = true;
  ListView_SetItemCountEx(list, rows, LVSICF_NOSCROLL | LVSICF_NOINVALIDATEALL);
  int shown = ListView_GetNextItem(list, -1, LVNI_SELECTED);
  if (shown != model.selected) {
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    if (model.selected >= 0 && model.selected < rows) {
      ListView_SetItemState(list, model.selected, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
      ListView_EnsureVisible(list, model.selected, FALSE);
    }
  }
  if (model.sortColumn >= 0) {
    // The sort image beside the column's caption, which stays.
    HWND header = ListView_GetHeader(list);
    HDITEMA item = {};
    item.mask = HDI_FORMAT;
    if (Header_GetItem(header, model.sortColumn, &item)) {
      item.mask = HDI_FORMAT | HDI_IMAGE;
      item.fmt |= HDF_IMAGE | HDF_BITMAP_ON_RIGHT;
      item.iImage = model.sortImage;
      Header_SetItem(header, model.sortColumn, &item);
    }
  }
  InvalidateRect(list, nullptr, FALSE);
  syncingSelection_ = false;
  // The chosen browser window may be another one now, or have a new size.
  if (id == ListViewId::ListView1 && rules_) rules_->ShowRulesOfChosenWindow();
}

int MainWindow::ListWidth(ListViewId id) {
  const ListBinding* b = Binding(id);
  if (!b) return 0;
  RECT r = {};
  GetWindowRect(Item(b->control), &r);
  return r.right - r.left;
}

void MainWindow::SetColumnWidth(ListViewId id, int column, int width) {
  if (const ListBinding* b = Binding(id)) ListView_SetColumnWidth(Item(b->control), column, width);
}

void MainWindow::SelectRuleTab(int index) {
  TabCtrl_SetCurSel(Item(IDC_TABSET1), index);
  rules_->TabSet1Click(index);
}

void MainWindow::ShowRulePanel(int index) {
  for (int panel = 0; panel < 4; ++panel)
    for (int control : kPanels[panel]) ShowWindow(Item(control), panel == index ? SW_SHOW : SW_HIDE);
}

void MainWindow::SetHintPauses(int pauseMs, int hidePauseMs) {
  SendMessageA(hints_, TTM_SETDELAYTIME, TTDT_INITIAL, MAKELPARAM(pauseMs, 0));
  SendMessageA(hints_, TTM_SETDELAYTIME, TTDT_AUTOPOP, MAKELPARAM(hidePauseMs, 0));
}

void MainWindow::AddTrayIcon() { tray_.Add(); }

void MainWindow::EnableUpdaterAction(bool enabled) {
  EnableMenuItem(GetMenu(hwnd()), IDM_ACTION_DATENBANKUPDATER, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
  DrawMenuBar(hwnd());
}

RECT MainWindow::Rect() {
  RECT r = {};
  GetWindowRect(hwnd(), &r);
  return r;
}

int MainWindow::WindowWidth() { RECT r = Rect(); return r.right - r.left; }
int MainWindow::WindowHeight() { RECT r = Rect(); return r.bottom - r.top; }
int MainWindow::WindowLeft() { return Rect().left; }
int MainWindow::WindowTop() { return Rect().top; }

void MainWindow::MoveWindow(int left, int top) {
  SetWindowPos(hwnd(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::SetSmallWindowEdits(const std::string& width, const std::string& height) {
  SetEditText(EditBox::EdSWWidth, width);
  SetEditText(EditBox::EdSWHeight, height);
}

std::string MainWindow::EditText(EditBox box) {
  HWND edit = Item(EditControl(box));
  std::string text(static_cast<size_t>(GetWindowTextLengthA(edit)) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowTextA(edit, &text[0], static_cast<int>(text.size()))));
  return text;
}

void MainWindow::SetEditText(EditBox box, const std::string& text) { SetText(EditControl(box), text.c_str()); }

void MainWindow::EnableOpenRule(bool enabled) { EnableWindow(Item(IDC_BTOPENRULE), enabled); }

void MainWindow::SetSmallWindowsCheck(bool checked) {
  CheckDlgButton(hwnd(), IDC_CHECKBOXSW, checked ? BST_CHECKED : BST_UNCHECKED);
}

bool MainWindow::ListShown(ListViewId id) {
  const ListBinding* b = Binding(id);
  return b && IsWindowVisible(hwnd()) && IsWindowVisible(Item(b->control));
}

void MainWindow::FocusList(ListViewId id) {
  if (const ListBinding* b = Binding(id))
    SendMessageA(hwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(b->control)), TRUE);
}

bool MainWindow::PreTranslate(MSG& msg) {
  if (hostsEditor_ && hostsEditor_->PreTranslate(msg)) return true;
  // The non-modal statistics window and rule assistant take Tab, Enter and
  // Escape as dialogs do.
  for (HWND other : {statistik() ? statistik_->hwnd() : nullptr, ruleAssistant() ? rule_->hwnd() : nullptr})
    if (other && (msg.hwnd == other || IsChild(other, msg.hwnd))) return IsDialogMessageA(other, &msg) != FALSE;
  HWND self = hwnd();
  if (!self || (msg.hwnd != self && !IsChild(self, msg.hwnd))) return false;
  if (shortcuts_ && TranslateAcceleratorA(self, shortcuts_, &msg)) return true;
  return IsDialogMessageA(self, &msg) != FALSE;
}

void MainWindow::ProcessPendingMessages() {
  // While the tray menu is open its own loop runs the messages; taking them
  // here would steal the keys and clicks meant for the menu.
  if (trayMenuShown_) return;
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // leave it for the main loop
      return;
    }
    if (PreTranslate(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

// ---- lists ----

void MainWindow::GetDisplayInfo(const ListBinding& b, LVITEMA& item) {
  if (item.iItem < 0 || static_cast<size_t>(item.iItem) >= b.model->size()) return;
  size_t row = static_cast<size_t>(item.iItem);
  if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0)
    lstrcpynA(item.pszText, b.model->text(row, static_cast<size_t>(item.iSubItem)).c_str(), item.cchTextMax);
  if (item.mask & LVIF_IMAGE) item.iImage = b.model->row(row).image;
}

LRESULT MainWindow::FindRow(const ListBinding& b, const NMLVFINDITEMA& find) {
  // Typing in a list jumps to the next row whose text begins with the typed
  // letters (a-z folded as the lists are sorted).
  if (!(find.lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) || !find.lvfi.psz) return -1;
  std::string typed = find.lvfi.psz;
  size_t rows = b.model->size();
  for (size_t i = 0; i < rows; ++i) {
    size_t row = (static_cast<size_t>(std::max(find.iStart, 0)) + i) % rows;
    const std::string& text = b.model->text(row);
    if (text.size() >= typed.size() && CompareFolded(text.substr(0, typed.size()), typed) == 0)
      return static_cast<LRESULT>(row);
  }
  return -1;
}

LRESULT MainWindow::OnListNotify(const ListBinding& b, NMHDR& n) {
  switch (n.code) {
    case LVN_GETDISPINFOA:
      GetDisplayInfo(b, reinterpret_cast<NMLVDISPINFOA&>(n).item);
      break;
    case LVN_ITEMCHANGED: {
      auto& change = reinterpret_cast<NMLISTVIEW&>(n);
      if (syncingSelection_ || !(change.uChanged & LVIF_STATE) ||
          !((change.uOldState ^ change.uNewState) & LVIS_SELECTED))
        break;
      b.model->selected = ListView_GetNextItem(n.hwndFrom, -1, LVNI_SELECTED);
      if (b.id == ListViewId::ListView1) rules_->ListView1Change();
      break;
    }
    case LVN_ODFINDITEMA:
      return FindRow(b, reinterpret_cast<NMLVFINDITEMA&>(n));
    case NM_CLICK:
      OnListClick(b.id);
      break;
    case NM_DBLCLK:
      OnListDoubleClick(b.id);
      break;
  }
  return 0;
}

void MainWindow::OnListClick(ListViewId id) {
  switch (id) {
    case ListViewId::ListView1: rules_->ListView1Click(); break;
    case ListViewId::WCS: rules_->ListViewWCSClick(); break;
    case ListViewId::URL: rules_->ListViewURLClick(); break;
    case ListViewId::ADS: rules_->ListViewADSClick(); break;
    case ListViewId::WDS: rules_->ListViewWDSClick(); break;
    default: break;
  }
}

void MainWindow::OnListDoubleClick(ListViewId id) {
  switch (id) {
    case ListViewId::ListView1: BTOpenRuleClick(); break;
    case ListViewId::WCS: rules_->ListViewWCSDblClick(); break;
    case ListViewId::URL: rules_->ListViewURLDblClick(); break;
    case ListViewId::ADS: rules_->ListViewADSDblClick(); break;
    case ListViewId::WDS: rules_->ListViewWDSDblClick(); break;
    default: break;
  }
}

LRESULT MainWindow::OnNotify(NMHDR& n) {
  if (n.idFrom == IDC_TABSET1 && n.code == TCN_SELCHANGE) {
    rules_->TabSet1Click(TabCtrl_GetCurSel(n.hwndFrom));
    return 0;
  }
  if (const ListBinding* b = BindingOf(static_cast<int>(n.idFrom))) return OnListNotify(*b, n);
  return 0;
}

// ---- edit boxes ----

void MainWindow::HookEditBox(EditBox box) {
  editHooks_[static_cast<size_t>(box)].Attach(
      Item(EditControl(box)), [this, box](UINT msg, WPARAM wp, LPARAM lp) -> std::optional<LRESULT> {
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

void MainWindow::EditKeyPress(EditBox box, char& key) {
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

void MainWindow::EditMouse(EditBox box, bool down) {
  if (box == EditBox::EdSWWidth) down ? rules_->EdSWWidthMouseDown() : rules_->EdSWWidthClick();
  if (box == EditBox::EdSWHeight) down ? rules_->EdSWHeightMouseDown() : rules_->EdSWHeightClick();
}

// ---- tray shell ----

void MainWindow::OnTrayMessage(UINT mouseMessage) {
  try {
    if (mouseMessage == WM_RBUTTONDOWN) ShowTrayMenu();
    else if (mouseMessage == WM_LBUTTONDBLCLK) ShowMainWindow(true);
  } catch (const std::exception&) {
    // The tray ignores every error.
  }
}

void MainWindow::ShowMainWindow(bool withSecondary) {
  ShowWindow(hwnd(), SW_SHOW);
  BringWindowToTop(hwnd());
  if (withSecondary) SetForegroundWindow(hwnd());
  ShowWindow(owner_, SW_HIDE);
  if (!withSecondary) return;
  for (HWND w : secondary_)
    if (w && IsWindow(w) && IsWindowVisible(w)) BringWindowToTop(w);
}

void MainWindow::set_popupmenu() {
  // The menu on screen is not pulled away under the user; it is built
  // anew before it is shown next.
  if (trayMenuShown_) return;
  AppState& a = main_->state();
  trayMenu_.Build(BuildTrayMenu(a.engine.ListView1, a.flags.IsPaused, language_.texts()));
}

void MainWindow::ShowTrayMenu() {
  // A menu of a window that is not in the foreground does not close when
  // the user clicks elsewhere; WM_NULL afterwards lets it close at once.
  SetForegroundWindow(hwnd());
  POINT at = {};
  GetCursorPos(&at);
  set_popupmenu();
  trayMenuShown_ = true;
  UINT command = TrackPopupMenu(trayMenu_.handle(), TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, hwnd(), nullptr);
  trayMenuShown_ = false;
  PostMessageA(hwnd(), WM_NULL, 0, 0);
  if (const TrayMenuItem* item = trayMenu_.ItemFor(command)) {
    TrayMenuItem chosen = *item;
    TrayItemClick(chosen);
  }
}

void MainWindow::TrayItemClick(const TrayMenuItem& item) {
  switch (item.command) {
    case TrayCommand::CreateRule: PopupItemClick(item.position); break;
    case TrayCommand::Show: ShowMainWindow(false); break;
    case TrayCommand::Settings: Action_EinstellungenExecute(); break;
    case TrayCommand::Statistics: Action_statistikExecute(); break;
    case TrayCommand::Pause: Action_zapotrixhaltenExecute(); break;
    case TrayCommand::Quit: Action_closeExecute(); break;
    case TrayCommand::None: break;
  }
}

void MainWindow::PopupItemClick(int position) {
  try {
    ListModel& windows = main_->state().engine.ListView1;
    if (position < 0 || static_cast<size_t>(position) >= windows.size()) return;
    windows.selected = position;
    ListChanged(ListViewId::ListView1);
    rules_->ListView1Click();
    BTOpenRuleClick();
  } catch (const std::exception&) {
  }
}

// ---- actions ----

void MainWindow::OnCommand(int id, int code, HWND) {
  bool clicked = code == BN_CLICKED;
  switch (id) {
    case IDM_ACTION_ZAPOTRIXHALTEN: Action_zapotrixhaltenExecute(); break;
    case IDM_ACTION_CLOSE: Action_closeExecute(); break;
    case IDM_ACTION_DATENBANKUPDATER: Action_DatenbankUpdaterExecute(); break;
    case IDM_ACTION_HOSTLISTENEDITOR: Action_HostlisteneditorExecute(); break;
    case IDM_ACTION_EINSTELLUNGEN: Action_EinstellungenExecute(); break;
    case IDM_ACTION_STATISTIK: Action_statistikExecute(); break;
    case IDM_ACTION4_HANDBUCH: Action4_handbuchExecute(); break;
    case IDM_ACTION_PRODUKTE_NEWS: Action_produkte_newsExecute(); break;
    case IDM_ACTION_INFO: Action_infoExecute(); break;
    case IDM_ACTION_ZAPOTRIX_ANZEIGEN: ShowMainWindow(false); break;
    case IDC_BTOPENRULE: if (clicked) BTOpenRuleClick(); break;
    case IDC_BTADD: if (clicked) rules_->BTAddClick(); break;
    case IDC_BUTTONREMOVE: if (clicked) rules_->ButtonRemoveClick(); break;
    case IDC_BTURLADD: if (clicked) rules_->BtURLAddClick(); break;
    case IDC_BTURLDEL: if (clicked) rules_->BtUrlDelClick(); break;
    case IDC_BTADDKEY: if (clicked) rules_->BtAddKeyClick(); break;
    case IDC_BTDELKEY: if (clicked) rules_->BTDelKeyClick(); break;
    case IDC_BTADDTOGRID: if (clicked) rules_->BtAddtoGridClick(); break;
    case IDC_BTREMWDS: if (clicked) rules_->BtRemWDSClick(); break;
    case IDC_CHECKBOXSW:
      if (clicked) rules_->CheckBoxSWClick(IsDlgButtonChecked(hwnd(), IDC_CHECKBOXSW) == BST_CHECKED);
      break;
  }
}

void MainWindow::Action_zapotrixhaltenExecute() { main_->Bypassmanager(); }

void MainWindow::Action_closeExecute() { SendMessageA(hwnd(), WM_CLOSE, 0, 0); }

// The settings dialog, modal. Chosen again while it is open (from the tray)
// it only comes to the front. Each opening builds it afresh.
void MainWindow::Action_EinstellungenExecute() {
  if (konfiguration_) {
    HWND open = konfiguration_->hwnd();
    if (open && IsWindowVisible(open)) {
      BringWindowToTop(open);
      SetForegroundWindow(open);
    }
    return;
  }
  konfiguration_ = std::make_unique<KonfigurationWindow>(*main_, hwnd());
  // Forgotten however the dialog ends, so that the next command creates it.
  struct Forget {
    MainWindow& self;
    ~Forget() {
      self.SetSecondaryWindow(kSettingsDialog, nullptr);
      self.konfiguration_.reset();
    }
  } forget{*this};
  if (!konfiguration_->Create()) return;
  SetSecondaryWindow(kSettingsDialog, konfiguration_->hwnd());
  konfiguration_->ShowModal();
}

void MainWindow::Action_statistikExecute() {
  if (statistik()) {
    statistik_->ShowOrFront();
    return;
  }
  statistik_ = std::make_unique<TQvStatistik>(main_->state(), hwnd(),
                                              [this] { SetSecondaryWindow(kStatisticsWindow, nullptr); });
  if (!statistik_->Create()) {
    statistik_.reset();
    return;
  }
  SetSecondaryWindow(kStatisticsWindow, statistik_->hwnd());
  statistik_->ShowOrFront();
}

// The rule assistant for the window chosen in ListView1; an open one only
// comes to the front, still showing the window it was opened for.
void MainWindow::BTOpenRuleClick() {
  if (ruleAssistant()) {
    rule_->ShowOrFront();
    return;
  }
  AppState& a = main_->state();
  std::optional<RuleProposal> proposal = ProposeRules(a.engine.ListView1, *this);
  if (!proposal) return;
  rule_ = std::make_unique<TQvRule>(a, *rules_, hwnd(), RuleAssistant(a.texts().assistant, *proposal));
  if (!rule_->Create()) {
    rule_.reset();
    return;
  }
  rule_->ShowOrFront();
}

// At most one editor; it is not modal.
void MainWindow::Action_HostlisteneditorExecute() {
  if (!hostsEditor_ || !hostsEditor_->hwnd()) {
    hostsEditor_.reset();
    auto editor = std::make_unique<THostlistenEditor>(main_->state(), hwnd());
    if (!editor->Create()) return;
    hostsEditor_ = std::move(editor);
  }
  hostsEditor_->Show();
}

// The updater and the info window are created when absent and shown
// modally; closed, they are destroyed and forgotten, so the next command
// builds them afresh.
void MainWindow::Action_DatenbankUpdaterExecute() {
  // The action is disabled until start-up has loaded the rule database; a
  // command sent to the window regardless does nothing either.
  if (GetMenuState(GetMenu(hwnd()), IDM_ACTION_DATENBANKUPDATER, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)) return;
  if (updater_) return;
  updater_ = std::make_unique<DBUpdater>(main_->state(), hwnd());
  if (updater_->Create()) {
    SetSecondaryWindow(kDatabaseUpdater, updater_->hwnd());
    updater_->ShowModal();
  }
  SetSecondaryWindow(kDatabaseUpdater, nullptr);
  updater_.reset();
}

void MainWindow::Action_infoExecute() {
  if (info_) return;
  info_ = std::make_unique<InfoWindow>(main_->state(), hwnd());
  if (info_->Create()) {
    SetSecondaryWindow(kInfoWindow, info_->hwnd());
    info_->ShowModal();
  }
  SetSecondaryWindow(kInfoWindow, nullptr);
  info_.reset();
}


void MainWindow::Action4_handbuchExecute() {
  AppState& a = main_->state();
  OpenHandbook(os_.system, os_.shell, a.paths.HandbookFile, language_.texts());
}

void MainWindow::Action_produkte_newsExecute() { OpenURL(os_.registry, os_.shell, kMakerHomePage); }

// ---- lifecycle ----

void MainWindow::FormShow() {
  AppState& a = main_->state();
  SetSmallWindowsCheck(a.settings.Small_Windows);
  SendMessageA(hints_, TTM_ACTIVATE, a.settings.ShowHint ? TRUE : FALSE, 0);
}

void MainWindow::OnClose() {
  switch (main_->QuitRequested()) {
    case QuitAnswer::Wait:
      closePending_ = true;
      return;
    case QuitAnswer::EndWithoutSaving:
      DestroyWindow(hwnd());
      return;
    case QuitAnswer::SaveAndEnd: {
      // A second quit of the user while the question of a failed save is
      // open waits for that answer; the installer's quit goes through.
      if (quitAsking_ && quitBy_ == QuitBy::User) return;
      quitAsking_ = true;
      bool end = false;
      try {
        end = main_->FormClose(quitBy_);
      } catch (...) {
        quitAsking_ = false;  // the error box follows; a later quit may try again
        throw;
      }
      quitAsking_ = false;
      // A quit of the installer that came while the question was open has
      // ended the window already.
      if (end && IsWindow(hwnd())) DestroyWindow(hwnd());
      return;
    }
  }
}

void MainWindow::FormDestroy() {
  if (timer1_) timer1_->SetEnabled(false);
  if (timerCheckMessenger_) timerCheckMessenger_->SetEnabled(false);
  if (instant_) instant_->Stop();
  tray_.Remove();
  listView1Header_.Restore();
  PostQuitMessage(0);
}

LRESULT MainWindow::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    // Named before anything can find it: a second instance looks for it by
    // its title.
    LRESULT r = Default(msg, wp, lp);
    SetWindowTextA(hwnd(), kAppCaption);
    return r;
  }
  if (!main_) return Default(msg, wp, lp);  // still inside the template's creation
  if (taskbarCreated_ && msg == taskbarCreated_) {
    // The shell started anew (Explorer restarted): the icon must be added again.
    AddTrayIcon();
    return 0;
  }
  switch (msg) {
    case WM_TIMER:
      if (wp == kTimer1Id) main_->Timer1Timer();
      else if (wp == kTimerCheckMessengerId) main_->Timer_checkMessengerTimer();
      else if (wp == kTimerInstantWatchId) instant_->Run();
      return 0;
    case kMsgInstantCheck:
      instant_->Run();
      return 0;
    case WM_COMMAND:
      OnCommand(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp));
      return 0;
    case WM_NOTIFY:
      return OnNotify(*reinterpret_cast<NMHDR*>(lp));
    case WM_MEASUREITEM: {
      auto& item = *reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
      if (item.CtlType != ODT_MENU) break;
      trayMenu_.MeasureItem(item);
      return TRUE;
    }
    case WM_DRAWITEM: {
      auto& item = *reinterpret_cast<DRAWITEMSTRUCT*>(lp);
      if (item.CtlType != ODT_MENU) break;
      trayMenu_.popupDrawItem(item);
      return TRUE;
    }
    case WM_SIZE:
      SendDlgItemMessageA(hwnd(), IDC_STATUSBAR1, WM_SIZE, 0, 0);
      break;
    case WM_SHOWWINDOW:
      if (wp) FormShow();
      break;
    case kMsgTrayCallback:
      OnTrayMessage(static_cast<UINT>(lp));
      return 0;
    case WM_SYSCOMMAND:
      // Minimize and close from the title bar only hide the window: the
      // program lives in the tray.
      if ((wp & 0xFFF0) == SC_MINIMIZE || (wp & 0xFFF0) == SC_CLOSE) {
        AddTrayIcon();
        ShowWindow(hwnd(), SW_HIDE);
        return 0;
      }
      break;
    case WM_CLOSE:
      OnClose();
      return 0;
    case kMsgCloseWithoutSaving:
      main_->SetSkipSaveOnClose();
      SendMessageA(hwnd(), WM_CLOSE, 0, 0);
      return 0;
    case kMsgQuitForSetup:
      // Posted, so that the installer's wait is not the length of a save.
      quitBy_ = QuitBy::Setup;
      PostMessageA(hwnd(), WM_CLOSE, 0, 0);
      return kQuitForSetupAccepted;
    case WM_QUERYENDSESSION: {
      LRESULT answer = Default(msg, wp, lp);
      try {
        main_->Cleanup();
      } catch (const std::exception& e) {
        ShowErrorBox(e.what());
      }
      return answer;
    }
    case WM_ENDSESSION:
      // The session ends: the query has saved; the program ends by itself
      // rather than being ended.
      if (wp) {
        main_->SetSkipSaveOnClose();
        DestroyWindow(hwnd());
      }
      return 0;
    case WM_DESTROY:
      FormDestroy();
      return 0;
  }
  return Default(msg, wp, lp);
}

int RunProgram(Platform& os) {
  // Before any window: the list views need the common controls of
  // Internet Explorer 4, which a bare Windows 95 lacks.
  if (!CheckMinimumSystem(os.system)) return 1;
  if (!AcquireSingleInstance(os)) return 0;
  // Looked up, not imported: the common controls of Windows 95 lack it, and
  // the loader would refuse to start the program before it could say why.
  using InitFn = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES | ICC_BAR_CLASSES};
  if (auto init = SystemFunction<InitFn>("comctl32.dll", "InitCommonControlsEx")) init(&icc);
  MainWindow window(os);
  if (!window.Create()) return 1;
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (window.PreTranslate(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return static_cast<int>(msg.wParam);
}

}  // namespace zt
