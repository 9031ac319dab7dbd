// The main window: creation from its template, the texts of its language,
// the view operations (the list views and the rule editor are classes of
// their own), the tray shell, the actions (the secondary windows through
// their one owner), and the messages that end the program (quit, log-off,
// close without saving) or hide it.
#include "ui/main_window.h"

#include <algorithm>
#include <exception>

#include "app/help_actions.h"
#include "lang/texts.h"
#include "rules/list_ops.h"
#include "ui/main_window_texts.h"
#include "ui/resource.h"

namespace zt {
namespace {

constexpr char kMainClass[] = "Tzapotrix_main";

}  // namespace

MainWindow::MainWindow(Platform& os)
    : os_(os),
      language_([](const Texts& t) -> const Texts& { return t; }),
      tray_(kMsgTrayCallback, nullptr) {}

MainWindow::~MainWindow() {
  if (hwnd()) DestroyWindow(hwnd());
}

bool MainWindow::Create() {
  HINSTANCE inst = GetModuleHandleA(nullptr);
  icon_ = LoadIconA(inst, MAKEINTRESOURCEA(IDI_APP));
  tray_ = TrayIcon(kMsgTrayCallback, icon_);
  shortcuts_.reset(LoadAcceleratorsA(inst, MAKEINTRESOURCEA(IDR_MAINSHORTCUTS)));
  // Owned by a hidden window, the main window has no taskbar button: the
  // program shows itself only in the tray.
  owner_.reset(CreateHiddenOwner());
  if (!CreateFromTemplate(kMainClass, IDD_MAIN, owner_.get(), icon_)) return false;
  SetShortcuts(shortcuts_.get());

  WindowHandle self = reinterpret_cast<WindowHandle>(hwnd());
  timer1_ = std::make_unique<Win32Timer>(self, kTimer1Id);
  timerCheckMessenger_ = std::make_unique<Win32Timer>(self, kTimerCheckMessengerId);
  main_ = std::make_unique<ZapotrixMain>(os_, *this, *timer1_, *timerCheckMessenger_);
  instantTimer_ = std::make_unique<Win32Timer>(self, kTimerInstantWatchId);
  instant_ = std::make_unique<InstantMode>(*main_, *instantTimer_,
                                           [this] { PostMessageA(hwnd(), kMsgInstantCheck, 0, 0); });
  rules_ = std::make_unique<RuleEditing>(main_->state());
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

  SetStatusPanels(Item(IDC_STATUSBAR1), kPanelWidths);

  images_.reset(LoadImageStrip());
  AppState& a = main_->state();
  listViews_.Bind(hwnd(),
                  {{ListViewId::ListView1, IDC_LISTVIEW1, &a.engine.ListView1, 3, false},
                   {ListViewId::WCS, IDC_LISTVIEWWCS, &a.rules.WCS, 1, true},
                   {ListViewId::URL, IDC_LISTVIEWURL, &a.rules.URL, 1, true},
                   {ListViewId::ADS, IDC_LISTVIEWADS, &a.rules.ADS, 1, true},
                   {ListViewId::WDS, IDC_LISTVIEWWDS, &a.rules.WDS, 2, true}},
                  images_.get(), {std::begin(kListView1Widths), std::end(kListView1Widths)});
  listViews_.KeepColumnWidths(ListViewId::ListView1);  // its "handle" column stays hidden

  ruleEditor_.Attach(hwnd(), *rules_);

  hints_.Create(hwnd());
  hints_.Add(kHints, Items());
}

// The window's design: the German texts, and the texts no language routine
// changes. The resource script holds no text.
void MainWindow::ApplyDesignTexts() {
  ApplyLanguage(GermanTexts().main);
  SetMenuText(1, true, kMenuTools);
  SetMenuText(IDM_ACTION_STATISTIK, false, kActionStatistik);
  SetMenuText(IDM_ACTION_INFO, false, kActionInfo);
  SetListColumnText(Item(IDC_LISTVIEW1), 1, kListView1Column1);
  SetListColumnText(Item(IDC_LISTVIEW1), 2, kListView1Column2);
  for (int i = 0; i < 7; ++i) SetStatusPanel(i, kInitialPanels[i]);
}

void MainWindow::SetLanguage(int language) {
  if (language_.Set(language)) ApplyLanguage(language_.texts().main);
}

void MainWindow::ApplyLanguage(const MainWindowTexts& t) {
  SetControlTexts(kControlTexts, t, Items());
  for (const ColumnText& c : kColumnTexts) SetListColumnText(Item(c.control), c.column, t.*c.text);
  ruleEditor_.SetTabTexts(t.TabSet1);
  hints_.SetTexts(kHints, t, Items());
  SetMenuTexts(hwnd(), kMenuTexts, t);
  SetPauseActionCaption(t.Action_zapotrixhalten);
}

void MainWindow::SetMenuText(UINT item, bool byPosition, const std::string& text) {
  SetMenuItemText(GetMenu(hwnd()), item, byPosition, text);
  DrawMenuBar(hwnd());
}

// ---- view operations ----

void MainWindow::SetCaption(const std::string& caption) { SetWindowTextA(hwnd(), caption.c_str()); }

void MainWindow::SetStatusPanel(int panel, const std::string& text) {
  SetStatusText(Item(IDC_STATUSBAR1), panel, text);
}

void MainWindow::SetPauseLabelVisible(bool visible) { ShowWindow(Item(IDC_LABEL1), visible ? SW_SHOW : SW_HIDE); }

void MainWindow::SetPauseActionCaption(const std::string& caption) {
  std::string shortcut = CtrlShortcutText('S');
  SetMenuText(IDM_ACTION_ZAPOTRIXHALTEN, false, shortcut.empty() ? caption : caption + "\t" + shortcut);
}

void MainWindow::SetTrayPauseCaption(const std::string& caption) {
  SetTaggedCaption(trayMenu_.items(), kTagPause, caption);
}

void MainWindow::ListChanged(ListViewId id) {
  if (id == ListViewId::History && statistik()) statistik()->refreshStatistik();
  if (const ModelListViews::Binding* b = listViews_.Of(id)) listViews_.Show(*b);
  else return;
  // The chosen browser window may be another one now, or have a new size.
  if (id == ListViewId::ListView1 && rules_) rules_->ShowRulesOfChosenWindow();
}


void MainWindow::SetHintPauses(int pauseMs, int hidePauseMs) {
  hints_.SetPauses(pauseMs, hidePauseMs);
}

void MainWindow::AddTrayIcon() { tray_.Add(); }

void MainWindow::EnableUpdaterAction(bool enabled) {
  EnableMenuItem(GetMenu(hwnd()), IDM_ACTION_DATENBANKUPDATER, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
  DrawMenuBar(hwnd());
}

int MainWindow::WindowWidth() { RECT r = ScreenRect(hwnd()); return r.right - r.left; }
int MainWindow::WindowHeight() { RECT r = ScreenRect(hwnd()); return r.bottom - r.top; }
int MainWindow::WindowLeft() { return ScreenRect(hwnd()).left; }
int MainWindow::WindowTop() { return ScreenRect(hwnd()).top; }

void MainWindow::MoveWindow(int left, int top) {
  SetWindowPos(hwnd(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::SetSmallWindowEdits(const std::string& width, const std::string& height) {
  SetEditText(EditBox::EdSWWidth, width);
  SetEditText(EditBox::EdSWHeight, height);
}


void MainWindow::EnableOpenRule(bool enabled) { EnableWindow(Item(IDC_BTOPENRULE), enabled); }


void MainWindow::ProcessPendingMessages() {
  // While the tray menu is open its own loop runs the messages; taking them
  // here would steal the keys and clicks meant for the menu.
  if (!trayMenuShown_) PumpPendingMessages();
}

// ---- lists ----

LRESULT MainWindow::OnNotify(NMHDR& n) {
  if (n.idFrom == IDC_TABSET1 && n.code == TCN_SELCHANGE) {
    ruleEditor_.OnTabChange(n.hwndFrom);
    return 0;
  }
  const ModelListViews::Binding* b = listViews_.OfControl(static_cast<int>(n.idFrom));
  if (!b) return 0;
  LRESULT result = 0;
  bool userSelected = false;
  if (listViews_.OnNotify(*b, n, &result, &userSelected)) {
    if (userSelected && b->id == ListViewId::ListView1) rules_->ListView1Change();
    return result;
  }
  bool windows = b->id == ListViewId::ListView1;
  if (n.code == NM_CLICK) windows ? rules_->ListView1Click() : ruleEditor_.OnListClick(b->id);
  if (n.code == NM_DBLCLK) windows ? BTOpenRuleClick() : ruleEditor_.OnListDoubleClick(b->id);
  return 0;
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
  ShowWindow(owner_.get(), SW_HIDE);
  if (withSecondary) secondary_.RaiseAll();
}

void MainWindow::set_popupmenu() {
  // The menu on screen is not pulled away under the user; it is built
  // anew before it is shown next.
  if (trayMenuShown_) return;
  AppState& a = main_->state();
  trayMenu_.Build(BuildTrayMenu(a.engine.ListView1, a.flags.IsPaused, language_.texts()));
}

void MainWindow::ShowTrayMenu() {
  set_popupmenu();
  trayMenuShown_ = true;
  const TrayMenuItem* chosen = trayMenu_.Track(hwnd());
  trayMenuShown_ = false;
  if (!chosen) return;
  TrayMenuItem item = *chosen;  // the menu may be built anew by the action
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
    case IDC_BTOPENRULE: if (code == BN_CLICKED) BTOpenRuleClick(); break;
    default: ruleEditor_.OnCommand(id, code);
  }
}

void MainWindow::Action_zapotrixhaltenExecute() { main_->Bypassmanager(); }

void MainWindow::Action_closeExecute() { SendMessageA(hwnd(), WM_CLOSE, 0, 0); }

// The secondary windows: at most one of each kind; chosen again while it
// is open, a window only comes to the front (the rule assistant still
// showing the window it was opened for). The settings dialog, the updater
// and the info window are modal.
void MainWindow::Action_EinstellungenExecute() {
  secondary_.Open(SecondaryKind::Settings, [this] { return std::make_unique<KonfigurationWindow>(*main_, hwnd()); });
}

void MainWindow::Action_statistikExecute() {
  secondary_.Open(SecondaryKind::Statistics,
                  [this] { return std::make_unique<TQvStatistik>(main_->state(), hwnd()); });
}

// The rule assistant for the window chosen in ListView1.
void MainWindow::BTOpenRuleClick() {
  secondary_.Open(SecondaryKind::RuleAssistant, [this]() -> std::unique_ptr<SecondaryWindow> {
    AppState& a = main_->state();
    std::optional<RuleProposal> proposal = ProposeRules(a.engine.ListView1, *this);
    if (!proposal) return nullptr;
    return std::make_unique<TQvRule>(a, *rules_, hwnd(), RuleAssistant(a.texts().assistant, *proposal));
  });
}

void MainWindow::Action_HostlisteneditorExecute() {
  secondary_.Open(SecondaryKind::HostsEditor,
                  [this] { return std::make_unique<THostlistenEditor>(main_->state(), hwnd()); });
}

void MainWindow::Action_DatenbankUpdaterExecute() {
  // Not before start-up has loaded the rule database: the action is grey
  // until then, and a command sent to the window regardless does nothing.
  if (!main_->UpdaterMayRun()) return;
  secondary_.Open(SecondaryKind::Updater, [this] { return std::make_unique<DBUpdater>(main_->state(), hwnd()); });
}

void MainWindow::Action_infoExecute() {
  secondary_.Open(SecondaryKind::Info, [this] { return std::make_unique<InfoWindow>(main_->state(), hwnd()); });
}

void MainWindow::Action4_handbuchExecute() {
  AppState& a = main_->state();
  OpenHandbook(os_.system, os_.shell, a.paths.HandbookFile, language_.texts());
}

void MainWindow::Action_produkte_newsExecute() { OpenURL(os_.registry, os_.shell, kMakerHomePage); }

// ---- lifecycle ----

void MainWindow::FormShow() {
  AppState& a = main_->state();
  ruleEditor_.SetSmallWindowsCheck(a.settings.Small_Windows);
  hints_.Activate(a.settings.ShowHint);
}

void MainWindow::OnClose() {
  switch (main_->Close(quitBy_)) {
    case CloseStep::Wait: closePending_ = true; break;
    // A quit of the installer that came while a question was open may have
    // ended the window already.
    case CloseStep::End: if (hwnd()) DestroyWindow(hwnd()); break;
    case CloseStep::Stay: break;
  }
}

void MainWindow::FormDestroy() {
  if (timer1_) timer1_->SetEnabled(false);
  if (timerCheckMessenger_) timerCheckMessenger_->SetEnabled(false);
  if (instant_) instant_->Stop();
  tray_.Remove();
  listViews_.Unhook();
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
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
      if (trayMenu_.OnOwnerDraw(msg, lp)) return TRUE;
      break;
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

}  // namespace zt
