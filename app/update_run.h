// The run of the database updater window: its forward and close buttons as
// steps that the window drives. The download runs on the platform's worker
// thread; the merge, sorting and column fitting run on the user-interface
// thread once the worker has finished, so the rule lists need no locks.
#pragma once
#include <memory>
#include <string>

#include "app/app_state.h"
#include "rules/updater.h"

namespace zt {

// What the run shows on the updater window. The Win32 window implements it;
// tests record it.
class UpdaterView {
 public:
  virtual ~UpdaterView() = default;
  virtual void ShowProgressPanel(bool visible) = 0;               // Panel1
  virtual void ClearLines() = 0;                                  // ListBox1
  virtual void AddLine(const std::string& line) = 0;              // ListBox1
  virtual void SetProgress(int position) = 0;                     // Progresscheck, 0..100
  virtual void SetUpdateButton(const std::string& caption, bool enabled) = 0;  // BTUpdate
  virtual void SetCloseButton(const std::string& caption, bool enabled) = 0;   // BTClose
  virtual void CloseWindow() = 0;
  virtual void ProcessPendingMessages() = 0;
};

// Progress bar positions of the run.
constexpr int kProgressStart = 0;
constexpr int kProgressConnected = 30;
constexpr int kProgressMerged = 50;
constexpr int kProgressCleanedUp = 80;
constexpr int kProgressEnd = 100;

// One showing of the updater window. The window calls FormShow when it is
// shown, BTUpdateClick and BTCloseClick for its buttons, and Poll from a
// timer while Running() is true: the download ends on the worker thread and
// Poll takes the run on from there.
class UpdateRun {
 public:
  enum class Phase {
    Ready,        // choices shown, "Next" and "Cancel"
    Starting,     // the run has begun; its download starts once the worker
                  // is free (a cancelled earlier showing's download may run)
    Downloading,  // the worker fetches the database
    Succeeded,    // "Finish" enabled, "Close" disabled
    Failed,       // "Close" enabled, "Finish" disabled
    Cancelled,    // closed during the run: its download is not merged
  };

  UpdateRun(AppState& app, UpdaterView& view);

  void FormShow();
  // Starts the run with the window's choices, or closes the window when the
  // run has ended. Pressed again during the run, it does nothing.
  void BTUpdateClick(const UpdateChoices& choices);
  // Closes the window. A download in progress runs to its end, but what it
  // fetched is not merged.
  void BTCloseClick();
  // Goes on with the run when the download has ended; true while it runs.
  bool Poll();

  bool Running() const { return phase_ == Phase::Starting || phase_ == Phase::Downloading; }
  Phase phase() const { return phase_; }

 private:
  const UpdaterTexts& T() const { return app_.texts().updater; }
  void StartDownload();
  // The end of the run: merge and clean up (succeeded: a rule database was
  // downloaded) or the error line, then sorting, column fitting, buttons.
  void Complete(bool succeeded);

  AppState& app_;
  UpdaterView& view_;
  Phase phase_ = Phase::Ready;
  UpdateChoices choices_;
  // Written by the worker's job, read here once the worker is no longer busy.
  // Shared, so that a job outliving this window still has it to write to.
  std::shared_ptr<bool> downloaded_;
};

}  // namespace zt
