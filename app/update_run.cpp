// The updater window's run.
#include "app/update_run.h"

#include <exception>

#include "rules/list_ops.h"

namespace zt {

UpdateRun::UpdateRun(AppState& app, UpdaterView& view) : app_(app), view_(view) {}

void UpdateRun::FormShow() {
  if (Running()) return;
  phase_ = Phase::Ready;
  view_.SetUpdateButton(T().next, true);
  view_.SetCloseButton(T().cancel, true);
  view_.ClearLines();
  view_.ShowProgressPanel(false);
}

void UpdateRun::BTUpdateClick(const UpdateChoices& choices) {
  if (phase_ == Phase::Succeeded || phase_ == Phase::Failed) {
    view_.CloseWindow();
    return;
  }
  if (phase_ != Phase::Ready) return;

  // From here on the run counts as started: a second "Next" or a "Cancel"
  // handled in the message processing below cannot start another.
  phase_ = Phase::Starting;
  choices_ = choices;
  view_.ShowProgressPanel(true);
  view_.SetCloseButton(T().cancel, true);
  // The download runs on the worker: "Next" must not start a second one.
  view_.SetUpdateButton(T().next, false);
  view_.SetProgress(kProgressStart);
  view_.ProcessPendingMessages();
  // "Cancel" handled there ends the run before anything is fetched.
  if (phase_ == Phase::Cancelled) return;
  view_.AddLine(T().connecting);
  view_.AddLine("");
  view_.ProcessPendingMessages();
  if (phase_ == Phase::Cancelled) return;

  StartDownload();
  Poll();
}

void UpdateRun::BTCloseClick() {
  if (Running()) phase_ = Phase::Cancelled;
  view_.CloseWindow();
}

void UpdateRun::StartDownload() {
  Worker& worker = app_.os.worker;
  // The download of an earlier showing that was cancelled may still run;
  // this run starts its own once that one has ended.
  if (worker.Busy()) return;

  auto downloaded = std::make_shared<bool>(false);
  Downloader& downloader = app_.os.downloader;
  std::string url = UpdateURL(downloader);
  std::string file = app_.paths.NewMainDBFile;
  bool started = worker.Start([downloaded, &downloader, url, file] {
    *downloaded = DownloadFile(downloader, url, file);
  });
  if (!started) {
    Complete(false);
    return;
  }
  downloaded_ = std::move(downloaded);
  phase_ = Phase::Downloading;
}

bool UpdateRun::Poll() {
  if (phase_ == Phase::Starting) StartDownload();
  if (phase_ == Phase::Downloading && !app_.os.worker.Busy()) {
    bool downloaded = *downloaded_;
    downloaded_.reset();
    Complete(downloaded && IsRuleDatabase(app_.os.system, app_.paths.NewMainDBFile));
  }
  return Running();
}

void UpdateRun::Complete(bool succeeded) {
  System& sys = app_.os.system;
  RuleLists& rules = app_.rules;
  const UpdaterTexts& t = T();

  if (succeeded) {
    // A failure here ends the merge steps; the run still ends as a success.
    try {
      view_.AddLine(t.connected);
      view_.SetProgress(kProgressConnected);
      view_.AddLine(t.receiving);
      ReadDBParts(sys, app_.paths.NewMainDBFile, rules, choices_, app_.texts());
      view_.SetProgress(kProgressMerged);
      // A read-only copy cannot be deleted; like the merge's message about
      // it, that does not stop the run.
      if (sys.FileAttributes(app_.paths.NewMainDBFile)) sys.DeleteFile(app_.paths.NewMainDBFile);
      view_.SetProgress(kProgressCleanedUp);
      view_.AddLine(t.done);
    } catch (const std::exception&) {
    }
  } else {
    view_.AddLine(t.failed);
    // What a failed download left (half a file, an error page) is of no
    // use and must not stay beside the rule database.
    try {
      if (sys.FileAttributes(app_.paths.NewMainDBFile)) sys.DeleteFile(app_.paths.NewMainDBFile);
    } catch (const std::exception&) {
    }
  }

  try {
    for (ListModel* list : {&rules.WCS, &rules.ADS, &rules.URL, &rules.WDS}) {
      ListviewSort(*list, 0, 2);
      app_.view.ListChanged(list->id());
    }
    for (ListModel* list : {&rules.WCS, &rules.ADS, &rules.WDS, &rules.URL}) FitColumns(app_.view, *list);
    view_.SetProgress(kProgressEnd);
  } catch (const std::exception&) {
    // As above: the run still ends with its final buttons.
  }

  phase_ = succeeded ? Phase::Succeeded : Phase::Failed;
  view_.SetUpdateButton(t.finish, succeeded);
  view_.SetCloseButton(t.close, !succeeded);
}

}  // namespace zt
