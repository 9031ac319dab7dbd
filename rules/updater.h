// The rule database updater: download of the published database into
// config\zapotrix_mainDB_new.ini, the merge of the chosen lists into the rule
// lists, and the run of the updater window's forward button as steps that
// the window drives. The download runs on the platform's worker thread; all
// else runs on the user-interface thread. The merged lists reach the rule
// database file when the program ends.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "platform/download.h"
#include "platform/system.h"
#include "rules/rule_lists.h"

namespace zt {

struct AppState;
struct Platform;

// The updater window's button captions and messages in one language.
struct UpdaterTexts {
  const char* next;            // forward button before the update
  const char* finish;          // forward button at the end
  const char* cancel;          // close button before and during the update
  const char* close;           // close button at the end
  const char* connecting;      // first progress line
  const char* connected;       // download succeeded
  const char* receiving;       // merging
  const char* done;            // finished
  const char* failed;          // download failed
  const char* writeProtected;  // downloaded file not usable (message box)
};

const UpdaterTexts& GetUpdaterTexts(bool german);

// The choices of the updater window; all checked when it opens.
struct UpdateChoices {
  bool WDS = true;  // CheckBoxUPWDS
  bool URL = true;  // CheckBoxUPURL
  bool ADS = true;  // CheckBoxUPADS
  bool WCS = true;  // CheckBoxUPWCS
  bool keepExisting = true;  // CheckBoxUpClear: keep the rows already in a list
};

// The address of the published database: the update server (or the base
// address from the environment) followed by kUpdatePath.
std::string UpdateURL(Downloader& downloader);

// One download; true exactly when the system reports success.
bool DownloadFile(Downloader& downloader, const std::string& url, const std::string& file);

// False when the file can be read but holds none of the sections "ADS",
// "URL", "WCS", "WDS": an error page, a login page or a transfer cut short,
// not a rule database. An unreadable file is left to ReadDBParts to report.
bool IsRuleDatabase(System& sys, const std::string& file);

// Downloads the published database into the file and checks that it is one.
// Blocks; the window's run does the same in two halves around its worker.
bool UpdateMainDB(Platform& os, const std::string& file);

// Merges the chosen sections of the downloaded file into the lists. A
// read-only or missing file gets the write-protection message and nothing
// is merged. A chosen text list becomes the case-insensitively distinct,
// non-empty entries of the section (with keepExisting: the current rows
// first, so their spelling wins); WDS pairs are distinct by exact text.
// Lists not chosen are not touched.
void ReadDBParts(System& sys, const std::string& file, RuleLists& lists,
                 const UpdateChoices& choices, bool german);

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
  const UpdaterTexts& T() const;
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
