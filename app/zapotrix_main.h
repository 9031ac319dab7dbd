// The logic of the main window Tzapotrix_main: the start-up order, the scan
// cycle with its speed modes and standby, the pause switch, and the saving
// when the program ends. Window-free: it talks to the window through
// MainView and to the system through Platform.
#pragma once
#include "app/app_state.h"
#include "app/tray_tip.h"

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

// What a quit (the quit command, WM_CLOSE) may do at this moment.
enum class QuitAnswer {
  Wait,              // the start-up order still runs: quit once it has ended
  EndWithoutSaving,  // start-up failed: the rule lists are not (all) loaded
  SaveAndEnd,        // the normal quit: FormClose decides
};

// Who asks the program to end.
enum class QuitBy {
  User,   // the quit command of the menus (WM_CLOSE)
  Setup,  // the installer or uninstaller (kMsgQuitForSetup)
};

// What the main window does with a quit.
enum class CloseStep {
  Wait,  // start-up still runs: ask again once it has ended
  End,   // end the program now (saved, or nothing may be saved)
  Stay,  // the program keeps running (the user kept it after a failed save)
};

// What a check of a single window came to.
enum class CheckOutcome {
  Busy,               // a cycle or another check runs, or start-up has not ended: ask again later
  NotABrowserWindow,  // not (yet) a visible browser window of a watched kind
  Checked,            // judged by the passes (closed, let through or left open)
};

class ZapotrixMain {
 public:
  ZapotrixMain(Platform& os, MainView& view, Timer& timer1, Timer& timerCheckMessenger)
      : app_(os, view, timer1, timerCheckMessenger) {}

  AppState& state() { return app_; }
  // True once the start-up order has run to its end.
  bool Started() const { return started_; }
  // True when the start-up order ended with an error.
  bool StartFailed() const { return startFailed_; }
  // The database updater may run once start-up has loaded the rules: it
  // merges into them.
  bool UpdaterMayRun() const { return rulesLoaded_; }

  // Runs FormCreate. An error that escapes it is shown ("could not start"
  // with its text); the program can then only be ended, and a quit saves
  // nothing, since saving half-loaded rule lists would destroy the user's
  // database.
  void Start();
  QuitAnswer QuitRequested() const;
  // A quit of the user or the installer, as the window receives it: waits
  // while start-up runs, ends at once after a failed start-up, else saves
  // (FormClose). A second quit of the user while a failed save's question
  // is open waits for that answer (Stay); the installer's goes through.
  CloseStep Close(QuitBy by);

  void FormCreate();
  void Timer1Timer();
  // Instant mode's check of one window the system announced: the window
  // alone goes through the cycle's passes (not the Notepad killer, which
  // looks at other windows), under the cycle's pause rule. A browser window
  // seen in standby switches the timer to the mode's interval, as the next
  // cycle would. Until start-up has loaded the rules it only answers Busy.
  CheckOutcome CheckWindowNow(WindowHandle window);
  // Shows the number of closings in the tray icon's tooltip, at most once
  // a second.
  void UpdateTrayTip();
  void Timer_checkMessengerTimer();
  void XCFG_Interval();
  void XCFG_SCANNER_WDS();
  void XCFG_SCANNER_URL();
  void XCFG_SCANNER_ADS();
  void XCFG_SCANNER_WCS();
  void Bypassmanager();

  // The quit command: saves settings and rule database unless told not to
  // or files are missing. True when the program may end. When a save fails
  // (a full disk, denied access), the user is told why and asked whether to
  // quit anyway, losing the session's changes (true), or to keep running to
  // make room and quit again (false). A quit asked by the installer saves
  // what it can and ends, showing nothing: nobody may be there to answer.
  bool FormClose(QuitBy by = QuitBy::User);
  // Windows logs off or shuts down: the same saving without the window
  // position and without looking at SkipSaveOnClose. Nothing can wait for
  // the user here: whatever can be saved is saved, a failure is shown,
  // and the old files stay whole. Nothing is saved while the start-up
  // order still runs or after it failed: the rules are not loaded.
  void Cleanup();
  // WM_USER + 88: end without saving.
  void SetSkipSaveOnClose() { app_.flags.SkipSaveOnClose = true; }

 private:
  // The installed program files the end of the program needs.
  bool ProgramFilesPresent();
  void ShowMissingFiles();
  // Writes the settings and the rule database, then removes the filters.
  // Returns what could not be saved and why, empty when everything was; a
  // quiet save shows nothing, not even a write-protected database.
  std::string SaveAll(bool quiet);
  void ScannerPanel(int panel, const char* name, bool on);
  // The scanner passes and extra killers in the cycle's order, each as its
  // setting says.
  void RunPasses(const ScanContext& ctx, bool withNotepad);

  AppState app_;
  bool inCycle_ = false;
  bool started_ = false;
  bool startFailed_ = false;
  bool rulesLoaded_ = false;
  bool quitAsking_ = false;  // FormClose of a quit runs (its question may be open)
  TrayTipPacer trayTip_;
};

}  // namespace zt
