// The logic of the main window Tzapotrix_main: the start-up order, the scan
// cycle with its speed modes and standby, the pause switch, and the saving
// when the program ends. Window-free: it talks to the window through
// MainView and to the system through Platform.
#pragma once
#include "app/app_state.h"

namespace zt {

// Timer interval of each speed mode and of standby, in milliseconds.
constexpr unsigned kFastInterval = 250;
constexpr unsigned kNormalInterval = 500;
constexpr unsigned kSlowInterval = 1000;
constexpr unsigned kStandbyInterval = 2500;
constexpr unsigned kCheckMessengerInterval = 60000;

// Decides at program entry whether this instance may run. A second instance
// shows "zapotrix is already running!" when the first one's window exists.
bool AcquireSingleInstance(Platform& os);

class ZapotrixMain {
 public:
  ZapotrixMain(Platform& os, MainView& view, Timer& timer1, Timer& timerCheckMessenger)
      : app_(os, view, timer1, timerCheckMessenger) {}

  AppState& state() { return app_; }
  // True once the start-up order has run to its end.
  bool Started() const { return started_; }

  void FormCreate();
  void Timer1Timer();
  void Timer_checkMessengerTimer();
  void XCFG_Interval();
  void XCFG_SCANNER_WDS();
  void XCFG_SCANNER_URL();
  void XCFG_SCANNER_ADS();
  void XCFG_SCANNER_WCS();
  void Bypassmanager();

  // The quit command: saves settings and rule database unless told not to
  // or files are missing. A RegistryError reaches the caller, which then
  // keeps the program running.
  void FormClose();
  // Windows logs off or shuts down: the same saving without the window
  // position and without looking at SkipSaveOnClose. Nothing is saved
  // while the start-up order still runs: the rules are not loaded yet.
  void Cleanup();
  // WM_USER + 88: end without saving.
  void SetSkipSaveOnClose() { app_.flags.SkipSaveOnClose = true; }

  // Fits the column widths of one list view to its rows.
  void FitColumns(ListModel& list);

 private:
  bool ProgramFilesPresent();
  void ShowMissingFiles();
  void SaveAll();
  void ScannerPanel(int panel, const char* name, bool on);

  AppState app_;
  bool inCycle_ = false;
  bool started_ = false;
};

}  // namespace zt
