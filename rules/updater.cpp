// Download, check and merge of the published rule database, and the run of
// the updater window.
#include "rules/updater.h"

#include <exception>
#include <map>
#include <set>
#include <utility>
#include <vector>

#include "app/app_state.h"
#include "app/texts.h"
#include "rules/ini_file.h"
#include "rules/list_ops.h"

namespace zt {
namespace {

const char* const kDbSections[] = {"ADS", "URL", "WCS", "WDS"};

// Sorted, case-insensitive set of texts in which the entry added first wins.
class FoldedSet {
 public:
  void Add(const std::string& text) { entries_.emplace(UpperAnsi(text), text); }
  std::vector<ListRow> Rows() const {
    std::vector<ListRow> rows;
    rows.reserve(entries_.size());
    for (const auto& e : entries_) rows.push_back(ListRow{{e.second}, kRuleImage});
    return rows;
  }

 private:
  std::map<std::string, std::string> entries_;  // by upper-cased text
};

void MergeTextSection(const IniFile& ini, const char* section, ListModel& list, bool keepExisting) {
  FoldedSet set;
  size_t count = ini.KeyCount(section);
  if (keepExisting)
    for (size_t i = 0; i < list.size(); ++i) set.Add(list.text(i));
  for (size_t n = 1; n <= count; ++n) {
    std::string value = ini.Read(section, std::to_string(n));
    if (!value.empty()) set.Add(value);
  }
  list.Replace(set.Rows());
}

void MergeSizes(const IniFile& ini, ListModel& list, bool keepExisting) {
  // Pairs in insertion order, and the same pairs as a set for the lookup.
  std::vector<std::pair<std::string, std::string>> pairs;
  std::set<std::pair<std::string, std::string>> known;
  size_t count = ini.KeyCount("WDS");
  if (keepExisting)
    for (size_t i = 0; i < list.size(); ++i) {
      pairs.emplace_back(list.text(i, 0), list.text(i, 1));
      known.insert(pairs.back());
    }
  size_t n = 1;
  do {
    std::pair<std::string, std::string> size{ini.Read("WDS", std::to_string(n)),
                                             ini.Read("WDS", std::to_string(n + 1))};
    if (!size.first.empty() && !size.second.empty() && known.insert(size).second)
      pairs.push_back(std::move(size));
    n += 2;
  } while (n < count);

  std::vector<ListRow> rows;
  rows.reserve(pairs.size());
  for (auto& p : pairs) rows.push_back(ListRow{{std::move(p.first), std::move(p.second)}, kRuleImage});
  list.Replace(std::move(rows));
}

}  // namespace

const UpdaterTexts& GetUpdaterTexts(bool german) {
  static const UpdaterTexts english = {
      "Next", "Finish", "Cancel", "Close",
      "Connecting to server ...", "Connection etablished ...", "Receiving new data ...",
      "done...", "Error on update",
      "Could not save database. File is write protected."};
  static const UpdaterTexts deutsch = {
      "Weiter", "Fertigstellen", "Abbrechen", "Schließen",
      "Verbinde mit Server ...", "Verbindung hergestellt ...", "Übertrage neue Daten ...",
      "Update fertiggestellt ...", "Fehler beim Download der Datenbank",
      "Datenbank konnte nicht gespeichert werden. Datei ist schreibgeschützt!"};
  return german ? deutsch : english;
}

std::string UpdateURL(Downloader& downloader) {
  std::string base = downloader.UpdateBaseOverride().value_or(kUpdateServer);
  while (!base.empty() && base.back() == '/') base.pop_back();
  return base + kUpdatePath;
}

bool DownloadFile(Downloader& downloader, const std::string& url, const std::string& file) {
  try {
    return downloader.DownloadToFile(url, file) == kSOk;
  } catch (const std::exception&) {
    return false;
  }
}

bool IsRuleDatabase(System& sys, const std::string& file) {
  std::optional<std::string> bytes = sys.ReadFile(file);
  if (!bytes) return true;
  IniFile ini = IniFile::Parse(*bytes);
  for (const char* section : kDbSections)
    if (ini.HasSection(section)) return true;
  return false;
}

bool UpdateMainDB(Platform& os, const std::string& file) {
  return DownloadFile(os.downloader, UpdateURL(os.downloader), file) && IsRuleDatabase(os.system, file);
}

void ReadDBParts(System& sys, const std::string& file, RuleLists& lists,
                 const UpdateChoices& choices, bool german) {
  std::optional<uint32_t> attrs = sys.FileAttributes(file);
  std::optional<std::string> bytes;
  if (attrs && !(*attrs & kAttrReadOnly)) bytes = sys.ReadFile(file);
  if (!bytes) {
    sys.MessageBox(GetUpdaterTexts(german).writeProtected, kAppCaption, kMbIconError);
    return;
  }
  IniFile ini = IniFile::Parse(*bytes);
  if (choices.ADS) MergeTextSection(ini, "ADS", lists.ADS, choices.keepExisting);
  if (choices.URL) MergeTextSection(ini, "URL", lists.URL, choices.keepExisting);
  if (choices.WCS) MergeTextSection(ini, "WCS", lists.WCS, choices.keepExisting);
  if (choices.WDS) MergeSizes(ini, lists.WDS, choices.keepExisting);
}

UpdateRun::UpdateRun(AppState& app, UpdaterView& view) : app_(app), view_(view) {}

const UpdaterTexts& UpdateRun::T() const { return GetUpdaterTexts(app_.flags.IsGerman); }

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
      ReadDBParts(sys, app_.paths.NewMainDBFile, rules, choices_, app_.flags.IsGerman);
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
  }

  try {
    for (ListModel* list : {&rules.WCS, &rules.ADS, &rules.URL, &rules.WDS}) {
      ListviewSort(*list, 0, 2);
      app_.view.ListChanged(list->id());
    }
    for (ListModel* list : {&rules.WCS, &rules.ADS, &rules.WDS, &rules.URL})
      for (const auto& [column, width] : rowwidthLW(list->id(), app_.view.ListWidth(list->id()), list->size()))
        app_.view.SetColumnWidth(list->id(), column, width);
    view_.SetProgress(kProgressEnd);
  } catch (const std::exception&) {
    // As above: the run still ends with its final buttons.
  }

  phase_ = succeeded ? Phase::Succeeded : Phase::Failed;
  view_.SetUpdateButton(t.finish, succeeded);
  view_.SetCloseButton(t.close, !succeeded);
}

}  // namespace zt
