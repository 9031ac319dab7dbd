// The run of the database updater window: its forward and close buttons as
// steps that the window drives. The download of the database and its
// signature runs on the platform's worker thread; the checks, the merge,
// sorting and column fitting run on the user-interface thread once the
// worker has finished, so the rule lists need no locks. The run watches the
// transfer: a server that stops sending, or one that takes too long in all,
// ends the run as "Cancel" does, without waiting for the worker.
#pragma once
#include <cstdint>
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
    Starting,     // the run has begun; messages run before the download
    Downloading,  // the worker fetches the database and its signature
    Succeeded,    // "Finish" enabled, "Close" disabled
    Failed,       // "Close" enabled, "Finish" disabled
    Cancelled,    // closed during the run: its download is not merged
  };

  UpdateRun(AppState& app, UpdaterView& view);
  // A run that goes away (its window, or the program ends) stops its job.
  ~UpdateRun() { DropJob(); }
  UpdateRun(const UpdateRun&) = delete;
  UpdateRun& operator=(const UpdateRun&) = delete;

  void FormShow();
  // Starts the run with the window's choices, or closes the window when the
  // run has ended. Pressed again during the run, it does nothing.
  void BTUpdateClick(const UpdateChoices& choices);
  // Closes the window. A download in progress is told to stop and is no
  // longer waited for; nothing of it is merged.
  void BTCloseClick();
  // Goes on with the run when the download has ended, or ends it when the
  // transfer stalled or took too long; true while it runs. Never throws: a
  // failure anywhere (out of memory included) ends the run as failed.
  bool Poll();

  bool Running() const { return phase_ == Phase::Starting || phase_ == Phase::Downloading; }
  Phase phase() const { return phase_; }

 private:
  // What the worker's job shares with the run. Shared, so that a job
  // outliving its run (cancelled, stalled) still has it to write to.
  struct Job {
    TransferControl control;
    DownloadedDB result;
  };

  const UpdaterTexts& T() const { return app_.texts().updater; }
  void StartDownload();
  // Ends the run when the transfer stalled or took too long.
  void WatchTransfer();
  // Tells the job to stop, stops waiting for it and forgets it.
  void DropJob();
  // The end of a finished download: the checks, then the merge.
  void Complete();
  // The error line, with the reason when there is one.
  void Fail(const char* reason);
  // Sorting, column fitting and the final buttons, in either case.
  void Finish(bool succeeded);
  // Files an earlier version's download may have left beside the database.
  void RemoveLeftovers();

  AppState& app_;
  UpdaterView& view_;
  Phase phase_ = Phase::Ready;
  UpdateChoices choices_;
  std::shared_ptr<Job> job_;
  TransferWatch watch_;
};

}  // namespace zt
