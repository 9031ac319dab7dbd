// The main window Tzapotrix_main: created hidden from its dialog template,
// owner of the scan timer and the services timer, the view of the start-up
// order, the scan cycle and the rule editing, and the tray shell. Its list
// views are virtual: they show the rows of the models in AppState, which
// the scanners read. Message handlers only unpack a message and call the
// handler named after the action or control (Action_closeExecute,
// BTOpenRuleClick, ...); the logic is in ZapotrixMain and RuleEditing.
#pragma once
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "app/instant_mode.h"
#include "app/rule_editing.h"
#include "app/zapotrix_main.h"
#include "platform/win32/win32_timer.h"
#include "ui/db_updater.h"
#include "ui/controls.h"
#include "ui/gdi.h"
#include "ui/konfiguration_window.h"
#include "ui/hosts_editor.h"
#include "ui/rule_editor_controls.h"
#include "ui/rule_window.h"
#include "ui/statistics_window.h"
#include "ui/info_window.h"
#include "ui/list_views.h"
#include "ui/subclass.h"
#include "ui/tray.h"
#include "ui/window_base.h"
#include <commctrl.h>

namespace zt {

// Messages the main window answers beside the system's.
constexpr UINT kMsgTrayCallback = WM_USER + 1;
// Ends the program without saving (SkipSaveOnClose, then the quit).
constexpr UINT kMsgCloseWithoutSaving = WM_USER + 88;
// The installer's and uninstaller's quit: save what can be saved, then end
// whatever happens, without a message (nobody may be there to answer it).
// It is answered at once with kQuitForSetupAccepted and the quit follows;
// a program that answers anything else predates this message, and the
// installer asks it with WM_CLOSE instead.
constexpr UINT kMsgQuitForSetup = WM_USER + 89;
constexpr LRESULT kQuitForSetupAccepted = 0x5A54;
// Instant mode asks for a check of the windows the system announced.
constexpr UINT kMsgInstantCheck = WM_USER + 20;
// Timer identifiers.
constexpr UINT_PTR kTimer1Id = 1;
constexpr UINT_PTR kTimerCheckMessengerId = 2;
constexpr UINT_PTR kTimerInstantWatchId = 3;
// The client area of the main window in pixels.
constexpr int kClientWidth = 635;
constexpr int kClientHeight = 485;
// Widths of the status bar panels.
constexpr int kPanelWidths[7] = {190, 75, 75, 75, 75, 75, 75};
// Columns of ListView1 before the first fitting.
constexpr int kListView1Widths[3] = {326, 160, 0};

class MainWindow : public WindowBase, public MainView {
 public:
  explicit MainWindow(Platform& os);
  ~MainWindow() override;

  // Creates the hidden window and runs the start-up order.
  bool Create();
  // The keyboard shortcuts of its actions (Ctrl+S pauses, also inside the
  // edit boxes) and the dialog keys (Tab) come through WindowBase's
  // PreTranslate.

  // For tests: the logic behind the window and the tray menu as shown last.
  ZapotrixMain& main() { return *main_; }
  // Instant mode; running() is false where the system announces no windows.
  const InstantMode& instant() const { return *instant_; }
  const TrayMenu& trayMenu() const { return trayMenu_; }
  // For tests: the statistics window and the rule assistant while they are
  // open, else nullptr.
  TQvStatistik* statistik() const {
    return static_cast<TQvStatistik*>(secondary_.Get(SecondaryKind::Statistics));
  }
  TQvRule* ruleAssistant() const { return static_cast<TQvRule*>(secondary_.Get(SecondaryKind::RuleAssistant)); }

  // MainView
  void SetCaption(const std::string& caption) override;
  void SetStatusPanel(int panel, const std::string& text) override;
  void SetLanguage(int language) override;
  void SetPauseLabelVisible(bool visible) override;
  void SetPauseActionCaption(const std::string& caption) override;
  void SetTrayPauseCaption(const std::string& caption) override;
  void ListChanged(ListViewId list) override;
  int ListWidth(ListViewId list) override { return listViews_.Width(list); }
  void SetColumnWidth(ListViewId list, int column, int width) override { listViews_.SetColumnWidth(list, column, width); }
  void SelectRuleTab(int index) override { ruleEditor_.SelectTab(index); }
  void SetHintPauses(int pauseMs, int hidePauseMs) override;
  void AddTrayIcon() override;
  void SetTrayTip(const std::string& tip) override { tray_.SetTip(tip); }
  void RebuildTrayMenu() override { set_popupmenu(); }
  void EnableUpdaterAction(bool enabled) override;
  int ScreenWidth() override { return GetSystemMetrics(SM_CXSCREEN); }
  int ScreenHeight() override { return GetSystemMetrics(SM_CYSCREEN); }
  int WindowWidth() override;
  int WindowHeight() override;
  int WindowLeft() override;
  int WindowTop() override;
  void MoveWindow(int left, int top) override;
  void SetSmallWindowEdits(const std::string& width, const std::string& height) override;
  void ProcessPendingMessages() override;
  std::string EditText(EditBox box) override { return ruleEditor_.EditText(box); }
  void SetEditText(EditBox box, const std::string& text) override { ruleEditor_.SetEditText(box, text); }
  void ShowRulePanel(int index) override { ruleEditor_.ShowPanel(index); }
  void EnableOpenRule(bool enabled) override;
  void SetSmallWindowsCheck(bool checked) override { ruleEditor_.SetSmallWindowsCheck(checked); }
  bool ListShown(ListViewId list) override { return listViews_.Shown(list); }
  void FocusList(ListViewId list) override { listViews_.Focus(list); }

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  // Lifecycle.
  void FormCreateControls();
  void ApplyDesignTexts();
  void ApplyLanguage(const MainWindowTexts& t);
  void FormShow();
  void OnClose();
  void FormDestroy();
  // Tray shell.
  void OnTrayMessage(UINT mouseMessage);
  // Shows the main window without a taskbar button; from the tray icon
  // the secondary windows come to the front with it.
  void ShowMainWindow(bool withSecondary);
  void set_popupmenu();
  void ShowTrayMenu();
  void PopupItemClick(int position);
  // Actions.
  void OnCommand(int id, int code, HWND control);
  void Action_zapotrixhaltenExecute();
  void Action_closeExecute();
  void Action_DatenbankUpdaterExecute();
  void Action_HostlisteneditorExecute();
  void Action_EinstellungenExecute();
  void Action_statistikExecute();
  void Action4_handbuchExecute();
  void Action_produkte_newsExecute();
  void Action_infoExecute();
  void BTOpenRuleClick();
  // Lists.
  LRESULT OnNotify(NMHDR& n);
  void SetText(int control, const char* text) { SetDlgItemTextA(hwnd(), control, text); }
  void SetMenuText(UINT item, bool byPosition, const std::string& text);

  Platform& os_;
  std::unique_ptr<Win32Timer> timer1_, timerCheckMessenger_, instantTimer_;
  std::unique_ptr<ZapotrixMain> main_;
  std::unique_ptr<InstantMode> instant_;
  std::unique_ptr<RuleEditing> rules_;
  WindowLanguage<Texts> language_;
  ModelListViews listViews_;
  Window owner_;  // the hidden window that owns the main window, so it has no taskbar button
  HICON icon_ = nullptr;  // a shared resource icon: the system frees it
  ImageList images_;      // ImageList1
  Tooltips hints_;
  Accelerators shortcuts_;
  TrayIcon tray_;
  TrayMenu trayMenu_;
  UINT taskbarCreated_ = 0;
  RuleEditorControls ruleEditor_;
  bool closePending_ = false;
  QuitBy quitBy_ = QuitBy::User;  // who asked for the pending or running quit
  bool trayMenuShown_ = false;
  // The secondary windows; last, so they go before the rest.
  SecondaryWindows secondary_;
};

// The program's life on this platform: refuses a second instance, creates
// the hidden main window (its start-up order runs) and runs the message
// loop. Returns the program's exit code.
int RunProgram(Platform& os);

}  // namespace zt
