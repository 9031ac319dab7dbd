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
  if (Running()) {
    DropJob();
    phase_ = Phase::Cancelled;
  }
  view_.CloseWindow();
}

void UpdateRun::StartDownload() {
  Worker& worker = app_.os.worker;
  // A job of an earlier showing that was given up may still be running; it
  // is no longer waited for.
  if (worker.Busy()) worker.Abandon();

  auto job = std::make_shared<Job>();
  Downloader& downloader = app_.os.downloader;
  std::string url = UpdateURL(downloader);
  bool started = worker.Start([job, &downloader, url] {
    DownloadDatabase(downloader, url, job->control, job->result);
  });
  if (!started) {
    Fail(nullptr);
    return;
  }
  job_ = std::move(job);
  phase_ = Phase::Downloading;
  watch_.Start(app_.os.system.TickCount());
}

void UpdateRun::DropJob() {
  if (!job_) return;
  job_->control.cancel = true;
  if (app_.os.worker.Busy()) app_.os.worker.Abandon();
  job_.reset();
}

void UpdateRun::WatchTransfer() {
  TransferWatch::State state = watch_.Check(app_.os.system.TickCount(), job_->control.received);
  if (state == TransferWatch::State::Alive) return;
  DropJob();
  Fail(state == TransferWatch::State::Stalled ? T().stalled : T().tookTooLong);
}

bool UpdateRun::Poll() {
  if (phase_ != Phase::Downloading) return Running();
  try {
    if (app_.os.worker.Busy()) WatchTransfer();
    else Complete();
  } catch (const std::exception&) {
    // Out of memory in the checks or the merge, say: the lists are only
    // replaced once all of them are computed, so they stand as they were.
    job_.reset();
    if (Running()) Fail(T().checkFailed);
  }
  return Running();
}

void UpdateRun::Complete() {
  std::shared_ptr<Job> job = std::move(job_);
  const DownloadedDB& got = job->result;
  if (got.database != kSOk) {
    Fail(got.database == kETooLarge ? T().tooLarge : nullptr);
    return;
  }
  uint64_t timestamp = 0;
  DownloadVerdict verdict = CheckDownload(got, TrustedKeys(app_.os.registry), TakenTimestamp(app_.os.registry), timestamp);
  switch (verdict) {
    case DownloadVerdict::Taken: break;
    case DownloadVerdict::NoSignature: return Fail(T().noSignature);
    case DownloadVerdict::BadSignature: return Fail(T().badSignature);
    case DownloadVerdict::UntrustedKey: return Fail(T().untrustedKey);
    case DownloadVerdict::Undated: return Fail(T().undated);
    case DownloadVerdict::RolledBack: return Fail(T().rolledBack);
    case DownloadVerdict::NoRuleLists: return Fail(T().noRuleLists);
  }

  view_.AddLine(T().connected);
  view_.SetProgress(kProgressConnected);
  view_.AddLine(T().receiving);
  MergeReport report = MergeDownload(got.bytes, app_.rules, choices_);
  RememberTakenTimestamp(app_.os.registry, timestamp);
  job.reset();  // the downloaded bytes are no longer needed
  if (report.refused > 0) view_.AddLine(Format(T().refused, {std::to_string(report.refused)}));
  view_.SetProgress(kProgressMerged);
  RemoveLeftovers();
  view_.SetProgress(kProgressCleanedUp);
  view_.AddLine(T().done);
  Finish(true);
}

void UpdateRun::Fail(const char* reason) {
  view_.AddLine(T().failed);
  if (reason) view_.AddLine(reason);
  RemoveLeftovers();
  Finish(false);
}

void UpdateRun::RemoveLeftovers() {
  System& sys = app_.os.system;
  const std::string& file = app_.paths.NewMainDBFile;
  // A read-only copy cannot be deleted; that does not stop the run.
  try {
    for (const std::string& path : {file, file + kSignatureSuffix})
      if (sys.FileAttributes(path)) sys.DeleteFile(path);
  } catch (const std::exception&) {
  }
}

void UpdateRun::Finish(bool succeeded) {
  RuleLists& rules = app_.rules;
  try {
    for (ListModel* list : {&rules.WCS, &rules.ADS, &rules.URL, &rules.WDS}) {
      ListviewSort(*list, 0, 2);
      app_.view.ListChanged(list->id());
    }
    for (ListModel* list : {&rules.WCS, &rules.ADS, &rules.WDS, &rules.URL}) FitColumns(app_.view, *list);
    view_.SetProgress(kProgressEnd);
  } catch (const std::exception&) {
    // The run still ends with its final buttons.
  }
  phase_ = succeeded ? Phase::Succeeded : Phase::Failed;
  view_.SetUpdateButton(T().finish, succeeded);
  view_.SetCloseButton(T().close, !succeeded);
}

}  // namespace zt
