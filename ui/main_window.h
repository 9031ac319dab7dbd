// The main window Tzapotrix_main: hidden at start, owner of the scan timer
// and the services timer, and the view of the start-up order and the scan
// cycle. It shows the status bar with its seven panels, the pause label and
// the minimum-size edit boxes.
#pragma once
#include <memory>
#include <string>

#include "app/zapotrix_main.h"
#include "platform/win32/win32_timer.h"
#include "ui/window_base.h"

namespace zt {

// Messages the main window answers beside the system's.
constexpr UINT kMsgTrayCallback = WM_USER + 1;
constexpr UINT kMsgCloseWithoutSaving = WM_USER + 88;
// Timer identifiers.
constexpr UINT_PTR kTimer1Id = 1;
constexpr UINT_PTR kTimerCheckMessengerId = 2;

class MainWindow : public WindowBase, public MainView {
 public:
  explicit MainWindow(Platform& os) : os_(os) {}
  ~MainWindow() override;

  // Creates the hidden window and runs the start-up order.
  bool Create();
  // Keyboard shortcuts of the main window's actions (Ctrl+S pauses).
  bool TranslateShortcut(MSG& msg);

  // MainView
  void SetCaption(const std::string& caption) override;
  void SetStatusPanel(int panel, const std::string& text) override;
  void SetLanguage(int language) override;
  void SetPauseLabelVisible(bool visible) override;
  void SetPauseActionCaption(const std::string& caption) override { pauseActionCaption_ = caption; }
  void SetTrayPauseCaption(const std::string& caption) override { trayPauseCaption_ = caption; }
  void ListChanged(ListViewId) override {}
  int ListWidth(ListViewId) override { return kListWidth; }
  void SetColumnWidth(ListViewId, int, int) override {}
  void SelectRuleTab(int) override {}
  void SetHintPauses(int, int) override {}
  void AddTrayIcon() override {}
  void RebuildTrayMenu() override {}
  void EnableUpdaterAction(bool) override {}
  int ScreenWidth() override { return GetSystemMetrics(SM_CXSCREEN); }
  int ScreenHeight() override { return GetSystemMetrics(SM_CYSCREEN); }
  int WindowWidth() override;
  int WindowHeight() override;
  int WindowLeft() override;
  int WindowTop() override;
  void MoveWindow(int left, int top) override;
  void SetSmallWindowEdits(const std::string& width, const std::string& height) override;
  void ProcessPendingMessages() override;
  std::string EditText(EditBox) override { return ""; }
  void SetEditText(EditBox, const std::string&) override {}
  void ShowRulePanel(int) override {}
  void EnableOpenRule(bool) override {}
  void SetSmallWindowsCheck(bool) override {}
  bool ListShown(ListViewId) override { return false; }
  void FocusList(ListViewId) override {}

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  static constexpr int kWidth = 515;
  static constexpr int kHeight = 403;
  static constexpr int kListWidth = 481;
  static constexpr int kPanelWidths[7] = {190, 75, 75, 75, 75, 75, 75};

  void CreateChildren();
  void OnClose();
  void OnCommand(int id);
  RECT Rect();

  Platform& os_;
  std::unique_ptr<Win32Timer> timer1_, timerCheckMessenger_;
  std::unique_ptr<ZapotrixMain> main_;
  HWND status_ = nullptr, label1_ = nullptr, edWidth_ = nullptr, edHeight_ = nullptr;
  std::string pauseActionCaption_, trayPauseCaption_;
  bool closePending_ = false;
  HACCEL shortcuts_ = nullptr;
};

}  // namespace zt
