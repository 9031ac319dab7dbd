// The rule database updater against the stand-in: the merge rules of the
// chosen lists, the steps and buttons of a run, and the worker thread's
// guard against a second run.
#include <gtest/gtest.h>

#include "lang/texts.h"

#include <stdexcept>

#include "recording_updater_view.h"
#include "rules/list_ops.h"
#include "app/update_run.h"
#include "rules/updater.h"
#include "sim_world.h"
#include "updater_cases.h"

namespace zt::test {
namespace {

const std::string kUrl = std::string(kUpdateServer) + kUpdatePath;

class Updater : public ::testing::Test {
 protected:
  void SetUp() override {
    w.Install();
    app.paths.ProgramDir = w.Dir();
    app.paths.NewMainDBFile = newDb;
    SeedLists(app.rules);
  }

  void Serve(const std::string& body, int32_t result = kSOk, bool readOnly = false) {
    w.downloader.responses[kUrl] = SimResponse{result, body, readOnly};
  }
  void Merge(const std::string& body, const UpdateChoices& c) {
    w.system.PutFile(newDb, body);
    ReadDBParts(w.system, newDb, app.rules, c, TextsFor(false));
  }
  // One showing of the window: FormShow, then "Next".
  void RunUpdate(const UpdateChoices& c = {}) {
    run.FormShow();
    run.BTUpdateClick(c);
  }
  bool NewDbExists() { return w.system.FileAttributes(newDb).has_value(); }

  SimWorld w;
  AppState app{w.os, w.view, w.timer1, w.timerCheck};
  RecordingUpdaterView uv;
  UpdateRun run{app, uv};
  std::string newDb = w.Dir() + "config\\zapotrix_mainDB_new.ini";
};

// ---- merge rules ----

TEST_F(Updater, KeepExistingMergesAndExistingSpellingWins) {
  Merge("[WCS]\r\n1=casino\r\n2=Lotto\r\n", {});
  EXPECT_EQ((Strings{"Casino", "Gewinn", "Lotto"}), Firsts(app.rules.WCS));
  for (const ListRow& r : app.rules.WCS.rows()) EXPECT_EQ(kRuleImage, r.image);
}

TEST_F(Updater, WithoutKeepTheListBecomesTheSection) {
  UpdateChoices c;
  c.keepExisting = false;
  Merge("[WCS]\r\n1=casino\r\n2=Lotto\r\n3=CASINO\r\n", c);
  EXPECT_EQ((Strings{"casino", "Lotto"}), Firsts(app.rules.WCS));
  // Chosen sections missing from the download leave their lists empty.
  EXPECT_TRUE(app.rules.ADS.empty());
  EXPECT_TRUE(app.rules.URL.empty());
  EXPECT_TRUE(app.rules.WDS.empty());
}

TEST_F(Updater, OnlyChosenListsAreTouched) {
  UpdateChoices c;
  c.WCS = c.ADS = c.WDS = false;
  c.keepExisting = false;
  uint64_t wcs = app.rules.WCS.revision(), ads = app.rules.ADS.revision(), wds = app.rules.WDS.revision();
  Merge(kPublished, c);
  EXPECT_EQ((Strings{"http://ads.example.com"}), Firsts(app.rules.URL));
  EXPECT_EQ((Strings{"Casino", "Gewinn"}), Firsts(app.rules.WCS));
  EXPECT_EQ((Strings{"CASINO", "Gewinnspiel"}), Firsts(app.rules.ADS));
  EXPECT_EQ((Strings{"120x600", "300x250"}), Sizes(app.rules.WDS));
  EXPECT_EQ(wcs, app.rules.WCS.revision());
  EXPECT_EQ(ads, app.rules.ADS.revision());
  EXPECT_EQ(wds, app.rules.WDS.revision());
}

TEST_F(Updater, EmptyAndMissingValuesAreSkippedAndKeysCountedNotNamed) {
  UpdateChoices c;
  c.keepExisting = false;
  // Three keys: 1, 2 and 3 are read; key 5 never is, key 3 does not exist.
  // Blanks around a value are dropped; a value of blanks is empty.
  Merge("[ADS]\r\n1=  Werbung  \r\n2=   \r\n5=Banner\r\n", c);
  EXPECT_EQ((Strings{"Werbung"}), Firsts(app.rules.ADS));
}

TEST_F(Updater, SizePairsDedupeByExactTextAndDropIncompletePairs) {
  UpdateChoices c;
  Merge("[WDS]\r\n1=300\r\n2=250\r\n3=300\r\n4=250\r\n5=0300\r\n6=250\r\n"
        "7=\r\n8=90\r\n9=728\r\n", c);
  // 300x250 is already there; the empty width drops 7/8; lone width 9 is not read.
  EXPECT_EQ((Strings{"120x600", "300x250", "0300x250"}), Sizes(app.rules.WDS));

  c.keepExisting = false;
  Merge("[WDS]\r\n1=300\r\n2=250\r\n3=300\r\n4=250\r\n", c);
  EXPECT_EQ((Strings{"300x250"}), Sizes(app.rules.WDS));
}

TEST_F(Updater, ReadOnlyOrMissingDownloadShowsWriteProtectionAndMergesNothing) {
  w.system.PutFile(newDb, kPublished);
  w.system.SetFileAttributes(newDb, kAttrReadOnly);
  ReadDBParts(w.system, newDb, app.rules, {}, TextsFor(false));
  w.system.SetFileAttributes(newDb, 0x80);
  w.system.DeleteFile(newDb);
  ReadDBParts(w.system, newDb, app.rules, {}, TextsFor(true));

  ASSERT_EQ(2u, w.system.boxes.size());
  EXPECT_EQ(std::string(TextsFor(false).msg.dbWriteProtected), w.system.boxes[0].text);
  EXPECT_EQ(std::string(TextsFor(true).msg.dbWriteProtected),
            w.system.boxes[1].text);
  for (const SimMessageBox& b : w.system.boxes) {
    EXPECT_EQ("Zapotrix", b.caption);
    EXPECT_EQ(kMbIconError, b.flags);
  }
  EXPECT_EQ((Strings{"Casino", "Gewinn"}), Firsts(app.rules.WCS));
  EXPECT_EQ(2u, app.rules.WDS.size());
}

// Every combination of the five check boxes through a whole run: chosen
// lists merged or replaced, the others exactly as they were, all sorted.
class UpdaterChoices : public Updater, public ::testing::WithParamInterface<int> {};

TEST_P(UpdaterChoices, RunMergesExactlyTheChosenLists) {
  UpdateChoices c = ChoicesOf(GetParam());
  Serve(kPublished);
  RunUpdate(c);
  ASSERT_EQ(UpdateRun::Phase::Succeeded, run.phase());
  ExpectMergedPublished(app.rules, c);
  EXPECT_FALSE(NewDbExists());
}

INSTANTIATE_TEST_SUITE_P(AllCheckBoxes, UpdaterChoices, ::testing::Range(0, 32));

// ---- the run ----

TEST_F(Updater, SuccessfulRunShowsItsStepsAndEndsWithFinish) {
  Serve(kPublished);
  RunUpdate();
  EXPECT_EQ((Strings{"update Next on", "close Cancel on", "lines cleared", "panel hidden",
                     "panel shown", "close Cancel on", "update Next off", "progress 0", "pump",
                     "line Connecting to server ...", "line ", "pump",
                     "line Connection etablished ...", "progress 30", "line Receiving new data ...",
                     "progress 50", "progress 80", "line done...", "progress 100",
                     "update Finish on", "close Close off"}),
            uv.log);
  EXPECT_EQ((Strings{kUrl}), w.downloader.requests);
  EXPECT_FALSE(NewDbExists());
  EXPECT_FALSE(run.Running());

  uv.log.clear();
  run.BTUpdateClick({});  // "Finish"
  EXPECT_EQ((Strings{"window closed"}), uv.log);
  EXPECT_EQ(1u, w.downloader.requests.size());
}

TEST_F(Updater, GermanRunUsesGermanTexts) {
  app.flags.IsGerman = true;
  Serve(kPublished);
  RunUpdate();
  EXPECT_EQ((Strings{"Verbinde mit Server ...", "", "Verbindung hergestellt ...",
                     "Übertrage neue Daten ...", "Update fertiggestellt ..."}),
            uv.lines);
  EXPECT_EQ("Fertigstellen", uv.updateCaption);
  EXPECT_EQ("Schließen", uv.closeCaption);

  UpdateRun failing(app, uv);
  w.downloader.responses.clear();
  failing.FormShow();
  EXPECT_EQ("Weiter", uv.updateCaption);
  EXPECT_EQ("Abbrechen", uv.closeCaption);
  failing.BTUpdateClick({});
  EXPECT_EQ(std::string(TextsFor(true).updater.failed), uv.lines.back());
}

TEST_F(Updater, RunSortsInEachListsDirectionAndFitsColumns) {
  app.rules.WCS.sortDirection = 1;  // the user sorted captions descending
  for (int i = 0; i < 12; ++i) app.rules.URL.Add({"http://u" + std::to_string(i) + ".example.com"});
  Serve(kPublished);
  RunUpdate();
  EXPECT_EQ((Strings{"Lotto", "Gewinn", "Casino"}), Firsts(app.rules.WCS));
  EXPECT_EQ((std::vector<ListViewId>{ListViewId::WCS, ListViewId::ADS, ListViewId::URL, ListViewId::WDS}),
            w.view.changed);
  int W = w.view.listWidth;
  EXPECT_EQ(W - 4, (w.view.widths[{ListViewId::WCS, 0}]));
  EXPECT_EQ(W - 21, (w.view.widths[{ListViewId::URL, 0}]));  // 14 rows: scroll bar
  EXPECT_EQ(W / 2 - 3, (w.view.widths[{ListViewId::WDS, 0}]));
  EXPECT_EQ(W / 2 - 2, (w.view.widths[{ListViewId::WDS, 1}]));
}

TEST_F(Updater, FailedDownloadsLeaveTheListsAndNoFile) {
  struct Case {
    const char* name;
    SimResponse response;
  };
  const Case cases[] = {
      {"connection refused", {kInetCannotConnect, std::nullopt, false}},
      // URLDownloadToFileA reports success for a 404 and stores the error page.
      {"404 page", {kSOk, std::string("<html><body><h1>404 Not Found</h1></body></html>\r\n"), false}},
      {"login page", {kSOk, std::string("<html>\r\n[Login]\r\nuser=\r\n</html>"), false}},
      {"empty transfer", {kSOk, std::string(), false}},
      {"server error", {kEFail, std::string("partial"), false}},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    SimWorld world;
    world.Install();
    AppState a{world.os, world.view, world.timer1, world.timerCheck};
    a.paths.NewMainDBFile = newDb;
    SeedLists(a.rules);
    world.system.PutFile(newDb, "left over");
    world.downloader.responses[kUrl] = k.response;
    RecordingUpdaterView v;
    UpdateRun r(a, v);
    r.FormShow();
    r.BTUpdateClick({});

    EXPECT_EQ(UpdateRun::Phase::Failed, r.phase());
    EXPECT_EQ((Strings{"Connecting to server ...", "", "Error on update"}), v.lines);
    EXPECT_EQ(kProgressEnd, v.progress);
    EXPECT_EQ("Finish", v.updateCaption);
    EXPECT_FALSE(v.updateEnabled);
    EXPECT_EQ("Close", v.closeCaption);
    EXPECT_TRUE(v.closeEnabled);
    EXPECT_EQ((Strings{"Casino", "Gewinn"}), Firsts(a.rules.WCS));
    // Nothing of the failed download (nor of an earlier one) stays.
    EXPECT_EQ("<gone>", world.system.ReadFile(newDb).value_or("<gone>"));
    EXPECT_TRUE(world.system.boxes.empty());
  }
}

TEST_F(Updater, DownloaderExceptionIsAFailedDownload) {
  w.downloader.duringDownload = [] { throw std::runtime_error("binding failed"); };
  Serve(kPublished);
  EXPECT_FALSE(DownloadFile(w.downloader, kUrl, newDb));
  RunUpdate();
  EXPECT_EQ(UpdateRun::Phase::Failed, run.phase());
}

TEST_F(Updater, UnusableDownloadShowsMessageAndStillEndsDone) {
  Serve(kPublished, kSOk, /*readOnly=*/true);
  RunUpdate();
  ASSERT_EQ(1u, w.system.boxes.size());
  EXPECT_EQ(std::string(TextsFor(false).msg.dbWriteProtected), w.system.boxes[0].text);
  EXPECT_EQ("done...", uv.lines.back());
  EXPECT_EQ(UpdateRun::Phase::Succeeded, run.phase());
  EXPECT_EQ((Strings{"Casino", "Gewinn"}), Firsts(app.rules.WCS));
  EXPECT_TRUE(NewDbExists());  // the system refuses to delete a read-only file

  // Reported success without a file.
  SimWorld world;
  world.Install();
  AppState a{world.os, world.view, world.timer1, world.timerCheck};
  a.paths.NewMainDBFile = newDb;
  world.downloader.responses[kUrl] = SimResponse{kSOk, std::nullopt, false};
  RecordingUpdaterView v;
  UpdateRun r(a, v);
  r.BTUpdateClick({});
  EXPECT_EQ(1u, world.system.boxes.size());
  EXPECT_EQ("done...", v.lines.back());
}

TEST_F(Updater, UpdateAddressTakesTheBaseFromTheEnvironment) {
  EXPECT_EQ("http://www.veltrano.de/updates/zapotrix/zapotrix_mainDB.ini", UpdateURL(w.downloader));
  w.downloader.baseOverride = "http://127.0.0.1:8080/";
  EXPECT_EQ("http://127.0.0.1:8080/updates/zapotrix/zapotrix_mainDB.ini", UpdateURL(w.downloader));
  w.downloader.responses["http://127.0.0.1:8080/updates/zapotrix/zapotrix_mainDB.ini"] =
      SimResponse{kSOk, std::string(kPublished), false};
  EXPECT_TRUE(DownloadFile(w.downloader, UpdateURL(w.downloader), newDb));
  EXPECT_TRUE(IsRuleDatabase(w.system, newDb));
}

// ---- the worker thread ----

TEST_F(Updater, SecondNextDuringDownloadStartsNothing) {
  w.worker.deferred = true;
  Serve(kPublished);
  RunUpdate();
  EXPECT_TRUE(run.Running());
  EXPECT_FALSE(uv.updateEnabled);
  run.BTUpdateClick({});
  EXPECT_TRUE(run.Poll());
  EXPECT_EQ(1, w.worker.starts);
  EXPECT_EQ((Strings{"Connecting to server ...", ""}), uv.lines);

  w.worker.RunPending();
  EXPECT_FALSE(run.Poll());
  EXPECT_EQ(UpdateRun::Phase::Succeeded, run.phase());
  EXPECT_EQ("done...", uv.lines.back());
  EXPECT_EQ(1u, w.downloader.requests.size());
}

TEST_F(Updater, CancelDuringDownloadMergesNothingAndNextShowingWaitsForIt) {
  w.worker.deferred = true;
  Serve(kPublished);
  RunUpdate();
  run.BTCloseClick();
  EXPECT_EQ(1, uv.closes);
  EXPECT_EQ(UpdateRun::Phase::Cancelled, run.phase());

  // The window is opened again while the first download still runs.
  RecordingUpdaterView v2;
  UpdateRun second(app, v2);
  second.FormShow();
  second.BTUpdateClick({});
  EXPECT_EQ(UpdateRun::Phase::Starting, second.phase());
  EXPECT_EQ(1, w.worker.starts);

  w.worker.RunPending();  // the first download ends
  EXPECT_FALSE(run.Poll());
  EXPECT_EQ((Strings{"Casino", "Gewinn"}), Firsts(app.rules.WCS));
  EXPECT_EQ((Strings{"Connecting to server ...", ""}), uv.lines);

  EXPECT_TRUE(second.Poll());  // now starts its own
  EXPECT_EQ(2, w.worker.starts);
  w.worker.RunPending();
  EXPECT_FALSE(second.Poll());
  EXPECT_EQ(UpdateRun::Phase::Succeeded, second.phase());
  EXPECT_EQ((Strings{"Casino", "Gewinn", "Lotto"}), Firsts(app.rules.WCS));
}

TEST_F(Updater, CancelWhileMessagesRunBeforeTheDownloadFetchesNothing) {
  uv.onPump = [this] { run.BTCloseClick(); };
  Serve(kPublished);
  RunUpdate();
  EXPECT_EQ(UpdateRun::Phase::Cancelled, run.phase());
  EXPECT_EQ(0, w.worker.starts);
  EXPECT_TRUE(w.downloader.requests.empty());
}

TEST_F(Updater, NoWorkerThreadIsAFailedDownload) {
  w.worker.refuse = true;
  Serve(kPublished);
  RunUpdate();
  EXPECT_EQ(UpdateRun::Phase::Failed, run.phase());
  EXPECT_EQ("Error on update", uv.lines.back());
  EXPECT_EQ((Strings{"Casino", "Gewinn"}), Firsts(app.rules.WCS));
}

}  // namespace
}  // namespace zt::test
