// The updater with the real downloader and worker thread against an HTTP
// server of the test on 127.0.0.1: success with every choice, error pages,
// a refused connection, a slow server, and what is left of the downloaded
// file afterwards.
#include <gtest/gtest.h>

#include "lang/texts.h"

#include "app/app_state.h"
#include "http_test_server.h"
#include "platform/sim/sim_desktop.h"
#include "platform/sim/sim_registry.h"
#include "platform/sim/sim_services.h"
#include "platform/sim/sim_shell.h"
#include "platform/sim/sim_timer.h"
#include "platform/win32/win32_download.h"
#include "platform/win32/win32_system.h"
#include "platform/win32/win32_worker.h"
#include "recording_updater_view.h"
#include "recording_view.h"
#include "rules/list_ops.h"
#include "rules/updater.h"
#include "updater_cases.h"
#include "wine_support.h"

namespace zt::test {
namespace {

constexpr unsigned kRunLimitMs = 30000;

// The real files and system; message boxes are recorded, not shown.
class RecordingSystem : public Win32System {
 public:
  int MessageBox(const std::string& text, const std::string&, unsigned) override {
    boxes.push_back(text);
    return IDOK;
  }
  Strings boxes;
};

class UpdaterWine : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(::CreateDirectoryA((dir_.path() + "\\config").c_str(), nullptr));
    newDb_ = dir_.path() + "\\config\\zapotrix_mainDB_new.ini";
    app.paths.ProgramDir = dir_.path() + "\\";
    app.paths.NewMainDBFile = newDb_;
    ::SetEnvironmentVariableA(kUpdateBaseVariable, server.base().c_str());
    SeedLists(app.rules);
  }

  void TearDown() override {
    worker.Wait(kRunLimitMs);
    ::SetEnvironmentVariableA(kUpdateBaseVariable, nullptr);
  }

  void Publish(const std::string& body, int status = 200, const std::string& type = "text/plain") {
    HttpReply r;
    r.status = status;
    r.body = body;
    r.contentType = type;
    server.Serve(kUpdatePath, r);
  }

  // One showing of the window: "Next", then the window's timer until the
  // run has ended.
  void RunToEnd(UpdateRun& run, const UpdateChoices& c = {}) {
    run.FormShow();
    run.BTUpdateClick(c);
    DWORD start = ::GetTickCount();
    while (run.Poll() && ::GetTickCount() - start < kRunLimitMs) worker.Wait(50);
    ASSERT_FALSE(run.Running()) << "the run did not end";
  }

  bool NewDbExists() { return FileExists(newDb_); }
  std::string NewDbText() { return ReadBytes(newDb_); }
  void PutNewDb(const std::string& text) { WriteBytes(newDb_, text); }

  HttpTestServer server;
  TempDir dir_;
  RecordingSystem files;
  SimRegistry registry;
  SimDesktop desktop;
  Win32Downloader downloader;
  Win32Worker worker;
  SimServiceManager services;
  SimShell shell;
  Platform os{registry, files, desktop, downloader, worker, services, shell};
  RecordingView mainView;
  SimTimer timer1, timer2;
  AppState app{os, mainView, timer1, timer2};
  std::string newDb_;
};

TEST_F(UpdaterWine, EveryChoiceMergesTheServedDatabaseAndDeletesTheDownload) {
  Publish(kPublished);
  for (int bits = 0; bits < 32; ++bits) {
    SCOPED_TRACE("choices " + std::to_string(bits));
    UpdateChoices c = ChoicesOf(bits);
    SeedLists(app.rules);
    RecordingUpdaterView view;
    UpdateRun run(app, view);
    RunToEnd(run, c);

    ASSERT_EQ(UpdateRun::Phase::Succeeded, run.phase());
    EXPECT_EQ((Strings{"Connecting to server ...", "", "Connection etablished ...",
                       "Receiving new data ...", "done..."}),
              view.lines);
    EXPECT_EQ("Finish", view.updateCaption);
    EXPECT_TRUE(view.updateEnabled);
    EXPECT_EQ("Close", view.closeCaption);
    EXPECT_FALSE(view.closeEnabled);
    EXPECT_FALSE(NewDbExists());
    ExpectMergedPublished(app.rules, c);
  }
  EXPECT_EQ(32, server.requests());
}

TEST_F(UpdaterWine, ANewlyPublishedDatabaseIsFetchedNotAnEarlierCopy) {
  Publish("[WCS]\r\n1=Erste\r\n");
  RecordingUpdaterView v1;
  UpdateRun first(app, v1);
  RunToEnd(first);
  Publish("[WCS]\r\n1=Zweite\r\n");
  RecordingUpdaterView v2;
  UpdateRun second(app, v2);
  UpdateChoices replace;
  replace.keepExisting = false;
  RunToEnd(second, replace);
  EXPECT_EQ((Strings{"Zweite"}), Firsts(app.rules.WCS));
  EXPECT_EQ(2, server.requests());
}

// What the server sends when the download fails or is not a rule database.
struct FailureCase {
  const char* name;
  int status;
  const char* type;
  const char* body;
};

class UpdaterWineFailure : public UpdaterWine, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(UpdaterWineFailure, ListsStayAndTheRunEndsWithError) {
  const FailureCase& k = GetParam();
  Publish(k.body, k.status, k.type);
  PutNewDb("left over");
  RecordingUpdaterView view;
  UpdateRun run(app, view);
  RunToEnd(run);

  EXPECT_EQ(UpdateRun::Phase::Failed, run.phase());
  EXPECT_EQ((Strings{"Connecting to server ...", "", "Error on update"}), view.lines);
  EXPECT_EQ(kProgressEnd, view.progress);
  EXPECT_EQ("Finish", view.updateCaption);
  EXPECT_FALSE(view.updateEnabled);
  EXPECT_EQ("Close", view.closeCaption);
  EXPECT_TRUE(view.closeEnabled);
  EXPECT_EQ((Strings{"Casino", "Gewinn"}), Firsts(app.rules.WCS));
  EXPECT_EQ((Strings{"120x600", "300x250"}), Sizes(app.rules.WDS));
  // Nothing of a failed download stays behind.
  EXPECT_FALSE(NewDbExists());
  EXPECT_TRUE(files.boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Server, UpdaterWineFailure,
    ::testing::Values(
        FailureCase{"NotFound", 404, "text/html",
                    "<html><head><title>404 Not Found</title></head><body>[gone]</body></html>\n"},
        FailureCase{"ServerError", 500, "text/html", "<html><body>Internal error</body></html>\n"},
        FailureCase{"LoginPage", 200, "text/html",
                    "<html><body><form action=\"/login\">User: <input name=\"u\"></form></body></html>\n"},
        FailureCase{"EmptyFile", 200, "text/plain", ""}),
    [](const ::testing::TestParamInfo<FailureCase>& i) { return std::string(i.param.name); });

TEST_F(UpdaterWine, RefusedConnectionLeavesNoDownloadBehind) {
  std::string base = "http://127.0.0.1:" + std::to_string(HttpTestServer::UnusedPort());
  ::SetEnvironmentVariableA(kUpdateBaseVariable, base.c_str());
  EXPECT_FALSE(DownloadFile(downloader, UpdateURL(downloader), newDb_));

  PutNewDb("[WCS]\r\n1=left over\r\n");
  RecordingUpdaterView view;
  UpdateRun run(app, view);
  RunToEnd(run);
  EXPECT_EQ(UpdateRun::Phase::Failed, run.phase());
  EXPECT_EQ("Error on update", view.lines.back());
  // An earlier download left over is removed with the failed one.
  EXPECT_FALSE(NewDbExists());
  EXPECT_EQ((Strings{"Casino", "Gewinn"}), Firsts(app.rules.WCS));
}

TEST_F(UpdaterWine, SlowServerRunsOffTheWindowThreadAndSecondNextStartsNothing) {
  HANDLE release = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HttpReply r;
  r.body = kPublished;
  r.hold = release;
  r.chunkDelayMs = 20;
  server.Serve(kUpdatePath, r);

  RecordingUpdaterView view;
  UpdateRun run(app, view);
  run.FormShow();
  run.BTUpdateClick({});
  // The server holds its answer: the window is free meanwhile.
  EXPECT_TRUE(run.Running());
  EXPECT_FALSE(view.updateEnabled);
  EXPECT_EQ((Strings{"Connecting to server ...", ""}), view.lines);
  run.BTUpdateClick({});
  EXPECT_TRUE(run.Poll());

  ::SetEvent(release);
  DWORD start = ::GetTickCount();
  while (run.Poll() && ::GetTickCount() - start < kRunLimitMs) worker.Wait(50);
  ::CloseHandle(release);

  EXPECT_EQ(UpdateRun::Phase::Succeeded, run.phase());
  EXPECT_EQ("done...", view.lines.back());
  EXPECT_EQ((Strings{"Casino", "Gewinn", "Lotto"}), Firsts(app.rules.WCS));
  EXPECT_EQ(1, server.requests());
  EXPECT_FALSE(NewDbExists());
}

TEST_F(UpdaterWine, CancelDuringDownloadMergesNothing) {
  HANDLE release = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HttpReply r;
  r.body = kPublished;
  r.hold = release;
  server.Serve(kUpdatePath, r);

  RecordingUpdaterView view;
  UpdateRun run(app, view);
  run.FormShow();
  run.BTUpdateClick({});
  run.BTCloseClick();
  EXPECT_EQ(1, view.closes);

  // The window is opened again at once; its run waits for the first download.
  RecordingUpdaterView view2;
  UpdateRun second(app, view2);
  second.FormShow();
  second.BTUpdateClick({});
  EXPECT_EQ(UpdateRun::Phase::Starting, second.phase());

  ::SetEvent(release);
  ASSERT_TRUE(worker.Wait(kRunLimitMs));
  EXPECT_FALSE(run.Poll());
  EXPECT_EQ(UpdateRun::Phase::Cancelled, run.phase());
  EXPECT_EQ((Strings{"Casino", "Gewinn"}), Firsts(app.rules.WCS));

  DWORD start = ::GetTickCount();
  while (second.Poll() && ::GetTickCount() - start < kRunLimitMs) worker.Wait(50);
  ::CloseHandle(release);
  EXPECT_EQ(UpdateRun::Phase::Succeeded, second.phase());
  EXPECT_EQ(2, server.requests());
}

TEST_F(UpdaterWine, ReadOnlyDownloadGetsTheWriteProtectionMessage) {
  // A read-only file left in the way: the download cannot replace it.
  Publish(kPublished);
  PutNewDb("[WCS]\r\n1=alt\r\n");
  ::SetFileAttributesA(newDb_.c_str(), FILE_ATTRIBUTE_READONLY);
  RecordingUpdaterView view;
  UpdateRun run(app, view);
  RunToEnd(run);
  EXPECT_EQ((Strings{"Casino", "Gewinn"}), Firsts(app.rules.WCS));
  EXPECT_TRUE(NewDbExists());
  // Wine's download replaces the read-only file's contents and leaves its
  // attribute; the merge then refuses it.
  EXPECT_EQ(UpdateRun::Phase::Succeeded, run.phase());
  EXPECT_EQ((Strings{std::string(TextsFor(false).msg.dbWriteProtected)}), files.boxes);
  EXPECT_EQ("done...", view.lines.back());
}

TEST_F(UpdaterWine, TransferCutShortIsAFailedDownload) {
  // The server announces more than it sends and closes the connection: the
  // system still reports success, with whole sections already in the file.
  HttpReply r;
  r.body = kPublished;
  r.declaredLength = r.body.size() + 500;
  server.Serve(kUpdatePath, r);
  EXPECT_FALSE(DownloadFile(downloader, UpdateURL(downloader), newDb_));

  RecordingUpdaterView view;
  UpdateRun run(app, view);
  UpdateChoices replace;
  replace.keepExisting = false;
  RunToEnd(run, replace);
  EXPECT_EQ(UpdateRun::Phase::Failed, run.phase());
  EXPECT_EQ((Strings{"Casino", "Gewinn"}), Firsts(app.rules.WCS));
  EXPECT_EQ((Strings{"120x600", "300x250"}), Sizes(app.rules.WDS));
}

}  // namespace
}  // namespace zt::test
