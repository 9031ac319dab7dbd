// The rule database updater against the stand-in: the signature check, the
// rules for downloaded entries, the merge of the chosen lists, the steps and
// buttons of a run, and the transfer's limits on the worker thread.
#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include "app/update_run.h"
#include "lang/texts.h"
#include "recording_updater_view.h"
#include "rules/db_signature.h"
#include "rules/list_ops.h"
#include "rules/updater.h"
#include "sim_world.h"
#include "updater_cases.h"

namespace zt::test {
namespace {

const std::string kUrl = std::string(kUpdateServer) + kUpdatePath;
const std::string kSigUrl = kUrl + kSignatureSuffix;

class Updater : public ::testing::Test {
 protected:
  void SetUp() override {
    w.Install();
    app.paths.ProgramDir = w.Dir();
    app.paths.NewMainDBFile = newDb;
    SeedLists(app.rules);
    TrustTestKey(w.registry);
  }

  // The server publishes a database and, unless sig is null, a signature.
  void Serve(const std::string& body, const char* sig = "published.ini.minisig") {
    w.downloader.responses[kUrl] = SimResponse{kSOk, body};
    if (sig) w.downloader.responses[kSigUrl] = SimResponse{kSOk, SigningFile(sig)};
    else w.downloader.responses.erase(kSigUrl);
  }
  void ServeSigned(const std::string& name) { Serve(SigningFile(name), (name + ".minisig").c_str()); }
  MergeReport Merge(const std::string& body, const UpdateChoices& c) { return MergeDownload(body, app.rules, c); }
  // One showing of the window: FormShow, then "Next".
  void RunUpdate(const UpdateChoices& c = {}) {
    run.FormShow();
    run.BTUpdateClick(c);
  }

  SimWorld w;
  AppState app{w.os, w.view, w.timer1, w.timerCheck};
  RecordingUpdaterView uv;
  UpdateRun run{app, uv};
  std::string newDb = w.Dir() + "config\\zapotrix_mainDB_new.ini";
};

UpdateChoices Replace() {
  UpdateChoices c;
  c.keepExisting = false;
  return c;
}

// ---- the signature ----

TEST(DatabaseSignature, VerdictsOfTheChecks) {
  PublicKey test, foreign;
  ASSERT_TRUE(ParsePublicKey(TestKeyLine("test"), test));
  ASSERT_TRUE(ParsePublicKey(TestKeyLine("foreign"), foreign));
  const std::string db = Published(), sig = SigningFile("published.ini.minisig");
  const std::string legacy = SigningFile("published.ini.legacy.minisig");

  std::string tampered = db;
  tampered[tampered.size() / 2] ^= 0x01;
  // The trusted comment changed: the signature of the bytes still holds,
  // the global one does not.
  std::string comment = sig;
  comment.replace(comment.find("timestamp:18"), 12, "timestamp:19");
  // "ED"/"Ed" named something else: the first base64 characters of line 2.
  std::string algorithm = sig;
  algorithm[algorithm.find('\n') + 2] = 'X';
  std::string truncated = sig.substr(0, sig.find("trusted comment"));
  std::string shortLine = sig;
  shortLine.erase(shortLine.find('\n') + 10, 4);

  struct Case {
    const char* name;
    std::string db, sig;
    std::vector<PublicKey> keys;
    SignatureStatus status;
  };
  const Case cases[] = {
      {"pre-hashed", db, sig, {test}, SignatureStatus::Valid},
      {"legacy", db, legacy, {test}, SignatureStatus::Valid},
      {"among several keys", db, sig, {foreign, test}, SignatureStatus::Valid},
      {"tampered byte", tampered, sig, {test}, SignatureStatus::Invalid},
      {"tampered byte, legacy", tampered, legacy, {test}, SignatureStatus::Invalid},
      {"tampered trusted comment", db, comment, {test}, SignatureStatus::Invalid},
      {"foreign key", db, SigningFile("published.ini.foreign.minisig"), {test}, SignatureStatus::UnknownKey},
      {"no trusted key at all", db, sig, {}, SignatureStatus::UnknownKey},
      {"truncated signature", db, truncated, {test}, SignatureStatus::Malformed},
      {"shortened signature line", db, shortLine, {test}, SignatureStatus::Malformed},
      {"wrong algorithm", db, algorithm, {test}, SignatureStatus::Malformed},
      {"an error page", db, "<html>404</html>", {test}, SignatureStatus::Malformed},
      {"empty", db, " \r\n", {test}, SignatureStatus::Missing},
      {"no timestamp", db, SigningFile("published.ini.undated.minisig"), {test}, SignatureStatus::NoTimestamp},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    SignatureCheck check = VerifyDatabaseSignature(k.db, k.sig, k.keys);
    EXPECT_EQ(k.status, check.status);
    if (check.status == SignatureStatus::Valid) {
      EXPECT_EQ(1800000000u, check.timestamp);
    }
  }
}

TEST(DatabaseSignature, KeysFromTheReleaseAndTheAdministrator) {
  PublicKey key;
  EXPECT_FALSE(ParsePublicKey("", key));
  EXPECT_FALSE(ParsePublicKey("untrusted comment: minisign public key", key));
  EXPECT_FALSE(ParsePublicKey(TestKeyLine("test").substr(4), key));
  EXPECT_TRUE(ParsePublicKey("  " + TestKeyLine("test") + "\r\n", key));

  SimRegistry registry;
  ASSERT_EQ(1u, TrustedKeys(registry).size());  // the release key alone
  registry.CreateKey(HKey::LocalMachine, kUpdateKeysKey);
  registry.SetString(HKey::LocalMachine, kUpdateKeysKey, "Mirror A", TestKeyLine("test"));
  registry.SetString(HKey::LocalMachine, kUpdateKeysKey, "broken", "not a key");
  registry.SetDword(HKey::LocalMachine, kUpdateKeysKey, "number", 7);
  std::vector<PublicKey> keys = TrustedKeys(registry);
  ASSERT_EQ(2u, keys.size());
  ASSERT_TRUE(ParsePublicKey(TestKeyLine("test"), key));
  EXPECT_EQ(key.key, keys[1].key);
}

TEST(DatabaseSignature, BuiltInKeyIsTheReleaseKey) {
  std::ifstream in(ZT_RELEASE_KEY_FILE);
  if (!in) GTEST_SKIP() << "no " << ZT_RELEASE_KEY_FILE << " beside the repository";
  std::string comment, line;
  std::getline(in, comment);
  std::getline(in, line);
  EXPECT_EQ(line, kReleaseKey);
  PublicKey key;
  EXPECT_TRUE(ParsePublicKey(kReleaseKey, key));
}

// ---- the rules for downloaded entries ----

TEST(DownloadedEntries, ContentRules) {
  struct Case {
    const char* list;
    std::string value, height;
    bool taken;
  };
  const Case cases[] = {
      {"ADS", "casino", "", true},
      {"ADS", "  Lotto  ", "", true},
      {"ADS", " ", "", false},
      {"ADS", "ab", "", false},
      {"ADS", " x \t", "", false},
      {"ADS", "\x01\x02", "", false},
      // Every browser caption ends in one of these: they would close all.
      {"ADS", "Microsoft", "", false},
      {"ADS", "internet explorer", "", false},
      {"ADS", "FIREFOX", "", false},
      {"ADS", " - M", "", false},
      {"ADS", "Mozillas", "", true},
      {"WCS", "Gewinn", "", true},
      {"WCS", "ab", "", false},
      {"WCS", "   ", "", false},
      {"URL", "http://ads.example.com", "", true},
      {"URL", " http://a ", "", true},
      {"URL", "", "", false},
      {"URL", "http://", "", false},
      {"URL", "http:///", "", false},
      {"URL", "://host", "", false},
      {"URL", "ads.example.com", "", false},
      {"URL", "http://a b", "", false},
      {"WDS", "300", "250", true},
      {"WDS", "0300", "250", true},
      {"WDS", "1", "1", true},
      {"WDS", "99999", "1", true},
      {"WDS", "100000", "1", false},
      {"WDS", "0", "250", false},
      {"WDS", "300", "", false},
      {"WDS", "-300", "250", false},
      {"WDS", "3OO", "250", false},
      {"WDS", "300", "2.5", false},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(std::string(k.list) + " '" + k.value + "'");
    std::string list = k.list;
    bool taken = list == "ADS"   ? AcceptableKeyword(k.value)
                 : list == "WCS" ? AcceptableCaption(k.value)
                 : list == "URL" ? AcceptableURL(k.value)
                                 : AcceptableSize(k.value, k.height);
    EXPECT_EQ(k.taken, taken);
  }
}

TEST(UpdateAddress, OnlyPlainHttpBasesReplaceTheServer) {
  struct Case {
    const char* base;
    bool taken;
  };
  const Case cases[] = {
      {"http://127.0.0.1:8080", true},
      {"http://mirror.example/", true},
      {"HTTP://Mirror.Example/zapotrix/db", true},
      {"http://mirror.example:80/a/b/", true},
      {"https://mirror.example", false},
      {"ftp://mirror.example", false},
      {"file:///C:/db", false},
      {"http://", false},
      {"http://:80", false},
      {"http://host:0", false},
      {"http://host:65536", false},
      {"http://host:123456", false},
      {"http://user@host", false},
      {"http://host/a b", false},
      {"http://host/?q=1", false},
      {"http://host\\path", false},
      {"mirror.example", false},
      {"", false},
  };
  SimDownloader d;
  for (const Case& k : cases) {
    SCOPED_TRACE(k.base);
    EXPECT_EQ(k.taken, IsHttpBase(k.base));
    d.baseOverride = k.base;
    std::string base = std::string(k.base);
    while (k.taken && base.back() == '/') base.pop_back();
    EXPECT_EQ((k.taken ? base : std::string(kUpdateServer)) + kUpdatePath, UpdateURL(d));
  }
}

// ---- merge rules ----

TEST_F(Updater, KeepExistingMergesAndExistingSpellingWins) {
  Merge("[WCS]\r\n1=casino\r\n2=Lotto\r\n", {});
  EXPECT_EQ((Strings{"Casino", "Gewinn", "Lotto"}), Firsts(app.rules.WCS));
  for (const ListRow& r : app.rules.WCS.rows()) EXPECT_EQ(kRuleImage, r.image);
}

TEST_F(Updater, WithoutKeepTheListBecomesTheSectionAndMissingSectionsStay) {
  Merge("[WCS]\r\n1=casino\r\n2=Lotto\r\n3=CASINO\r\n", Replace());
  EXPECT_EQ((Strings{"casino", "Lotto"}), Firsts(app.rules.WCS));
  // A section missing from the download is no order to empty its list.
  EXPECT_EQ((Strings{"CASINO", "Gewinnspiel"}), Firsts(app.rules.ADS));
  EXPECT_EQ((Strings{"http://old.example.com"}), Firsts(app.rules.URL));
  EXPECT_EQ((Strings{"120x600", "300x250"}), Sizes(app.rules.WDS));
}

TEST_F(Updater, RefusedEntriesAreCountedAndNeverEmptyAList) {
  // The damage a hostile file did before: a one-space keyword.
  MergeReport r = Merge("[ADS]\r\n1=\" \"\r\n2=ab\r\n[WDS]\r\n1=0\r\n2=0\r\n[URL]\r\n[WCS]\r\n1=\r\n", Replace());
  EXPECT_EQ(3u, r.refused);
  EXPECT_EQ((Strings{"CASINO", "Gewinnspiel"}), Firsts(app.rules.ADS));
  EXPECT_EQ((Strings{"http://old.example.com"}), Firsts(app.rules.URL));
  EXPECT_EQ((Strings{"Casino", "Gewinn"}), Firsts(app.rules.WCS));
  EXPECT_EQ((Strings{"120x600", "300x250"}), Sizes(app.rules.WDS));

  r = Merge("[ADS]\r\n1=Werbebanner\r\n2=\" \"\r\n3=  Popup  \r\n", Replace());
  EXPECT_EQ(1u, r.refused);
  EXPECT_EQ((Strings{"Popup", "Werbebanner"}), Firsts(app.rules.ADS));
}

TEST_F(Updater, OnlyChosenListsAreTouched) {
  UpdateChoices c = Replace();
  c.WCS = c.ADS = c.WDS = false;
  uint64_t wcs = app.rules.WCS.revision(), ads = app.rules.ADS.revision(), wds = app.rules.WDS.revision();
  Merge(Published(), c);
  EXPECT_EQ((Strings{"http://ads.example.com"}), Firsts(app.rules.URL));
  EXPECT_EQ((Strings{"Casino", "Gewinn"}), Firsts(app.rules.WCS));
  EXPECT_EQ((Strings{"CASINO", "Gewinnspiel"}), Firsts(app.rules.ADS));
  EXPECT_EQ((Strings{"120x600", "300x250"}), Sizes(app.rules.WDS));
  EXPECT_EQ(wcs, app.rules.WCS.revision());
  EXPECT_EQ(ads, app.rules.ADS.revision());
  EXPECT_EQ(wds, app.rules.WDS.revision());
}

TEST_F(Updater, EmptyAndMissingValuesAreSkippedAndKeysCountedNotNamed) {
  // Three keys: 1, 2 and 3 are read; key 5 never is, key 3 does not exist.
  // Blanks around a value are dropped; a value of blanks is empty.
  MergeReport r = Merge("[ADS]\r\n1=  Werbung  \r\n2=   \r\n5=Banner\r\n", Replace());
  EXPECT_EQ((Strings{"Werbung"}), Firsts(app.rules.ADS));
  EXPECT_EQ(0u, r.refused);
}

TEST_F(Updater, SizePairsDedupeByExactTextAndDropIncompletePairs) {
  MergeReport r = Merge("[WDS]\r\n1=300\r\n2=250\r\n3=300\r\n4=250\r\n5=0300\r\n6=250\r\n"
                        "7=\r\n8=90\r\n9=728\r\n", {});
  // 300x250 is already there; the empty width drops 7/8; lone width 9 is not read.
  EXPECT_EQ((Strings{"120x600", "300x250", "0300x250"}), Sizes(app.rules.WDS));
  EXPECT_EQ(1u, r.refused);

  Merge("[WDS]\r\n1=300\r\n2=250\r\n3=300\r\n4=250\r\n", Replace());
  EXPECT_EQ((Strings{"300x250"}), Sizes(app.rules.WDS));
}

// Every combination of the five check boxes through a whole run: chosen
// lists merged or replaced, the others exactly as they were, all sorted.
class UpdaterChoices : public Updater, public ::testing::WithParamInterface<int> {};

TEST_P(UpdaterChoices, RunMergesExactlyTheChosenLists) {
  UpdateChoices c = ChoicesOf(GetParam());
  Serve(Published());
  RunUpdate(c);
  ASSERT_EQ(UpdateRun::Phase::Succeeded, run.phase());
  ExpectMergedPublished(app.rules, c);
}

INSTANTIATE_TEST_SUITE_P(AllCheckBoxes, UpdaterChoices, ::testing::Range(0, 32));

// ---- the run ----

TEST_F(Updater, SuccessfulRunShowsItsStepsAndEndsWithFinish) {
  Serve(Published());
  w.system.PutFile(newDb, "left by an earlier version");
  RunUpdate();
  EXPECT_EQ((Strings{"update Next on", "close Cancel on", "lines cleared", "panel hidden",
                     "panel shown", "close Cancel on", "update Next off", "progress 0", "pump",
                     "line Connecting to server ...", "line ", "pump",
                     "line Connection etablished ...", "progress 30", "line Receiving new data ...",
                     "progress 50", "progress 80", "line done...", "progress 100",
                     "update Finish on", "close Close off"}),
            uv.log);
  EXPECT_EQ((Strings{kUrl, kSigUrl}), w.downloader.requests);
  EXPECT_FALSE(w.system.FileAttributes(newDb).has_value());
  EXPECT_FALSE(run.Running());
  EXPECT_EQ(std::optional<uint64_t>(1800000000u), TakenTimestamp(w.registry));

  uv.log.clear();
  run.BTUpdateClick({});  // "Finish"
  EXPECT_EQ((Strings{"window closed"}), uv.log);
  EXPECT_EQ(2u, w.downloader.requests.size());
}

TEST_F(Updater, GermanRunUsesGermanTexts) {
  app.flags.IsGerman = true;
  ServeSigned("partial.ini");
  RunUpdate();
  EXPECT_EQ((Strings{"Verbinde mit Server ...", "", "Verbindung hergestellt ...",
                     "Übertrage neue Daten ...", "2 Einträge nicht übernommen (leer oder zu allgemein).",
                     "Update fertiggestellt ..."}),
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
  Serve(Published());
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

// Every way a download is refused: the error line and its reason, the
// lists unchanged, nothing left on disk, nothing remembered.
TEST_F(Updater, RefusedDownloadsLeaveTheListsAndNoFile) {
  const Texts& t = TextsFor(false);
  std::string tampered = Published();
  tampered[5] ^= 0x20;
  struct Case {
    const char* name;
    SimResponse db;
    SimResponse sig;
    const char* reason;
  };
  const SimResponse good{kSOk, Published()};
  const SimResponse sig{kSOk, SigningFile("published.ini.minisig")};
  const Case cases[] = {
      {"connection refused", {kInetCannotConnect, std::nullopt}, sig, nullptr},
      {"404 page", {kEHttpStatus, std::string("<html>404 Not Found</html>")}, sig, nullptr},
      {"cut short", {kEDataCutShort, std::string("[WCS]\r\n1=a")}, sig, nullptr},
      {"over the size limit", {kSOk, std::string(kMaxDatabaseBytes + 1, 'x')}, sig, t.updater.tooLarge},
      {"unsigned", good, {kEHttpStatus, std::string("<html>404 Not Found</html>")}, t.updater.noSignature},
      {"signature over its limit", good, {kSOk, std::string(kMaxSignatureBytes + 1, 'x')},
       t.updater.noSignature},
      {"tampered", {kSOk, tampered}, sig, t.updater.badSignature},
      {"foreign key", good, {kSOk, SigningFile("published.ini.foreign.minisig")}, t.updater.untrustedKey},
      {"undated", good, {kSOk, SigningFile("published.ini.undated.minisig")}, t.updater.undated},
      {"signed but section-less", {kSOk, SigningFile("sectionless.ini")},
       {kSOk, SigningFile("sectionless.ini.minisig")}, t.updater.noRuleLists},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    SimWorld world;
    world.Install();
    AppState a{world.os, world.view, world.timer1, world.timerCheck};
    a.paths.NewMainDBFile = newDb;
    SeedLists(a.rules);
    TrustTestKey(world.registry);
    world.system.PutFile(newDb, "left over");
    world.downloader.responses[kUrl] = k.db;
    world.downloader.responses[kSigUrl] = k.sig;
    RecordingUpdaterView v;
    UpdateRun r(a, v);
    r.FormShow();
    r.BTUpdateClick(Replace());

    EXPECT_EQ(UpdateRun::Phase::Failed, r.phase());
    Strings lines{"Connecting to server ...", "", "Error on update"};
    if (k.reason) lines.push_back(k.reason);
    EXPECT_EQ(lines, v.lines);
    EXPECT_EQ(kProgressEnd, v.progress);
    EXPECT_EQ("Finish", v.updateCaption);
    EXPECT_FALSE(v.updateEnabled);
    EXPECT_EQ("Close", v.closeCaption);
    EXPECT_TRUE(v.closeEnabled);
    EXPECT_EQ((Strings{"Casino", "Gewinn"}), Firsts(a.rules.WCS));
    EXPECT_EQ((Strings{"120x600", "300x250"}), Sizes(a.rules.WDS));
    EXPECT_EQ("<gone>", world.system.ReadFile(newDb).value_or("<gone>"));
    EXPECT_FALSE(TakenTimestamp(world.registry).has_value());
  }
}

TEST_F(Updater, AnOlderDatabaseThanTheOneTakenIsRefused) {
  ServeSigned("older.ini");  // timestamp 1700000000
  RunUpdate();
  ASSERT_EQ(UpdateRun::Phase::Succeeded, run.phase());
  EXPECT_EQ(std::optional<uint64_t>(1700000000u), TakenTimestamp(w.registry));

  ServeSigned("published.ini");  // 1800000000: newer, taken
  UpdateRun second(app, uv);
  second.FormShow();
  second.BTUpdateClick({});
  ASSERT_EQ(UpdateRun::Phase::Succeeded, second.phase());

  ServeSigned("older.ini");  // a replay of the older one
  SeedLists(app.rules);
  UpdateRun third(app, uv);
  third.FormShow();
  third.BTUpdateClick(Replace());
  EXPECT_EQ(UpdateRun::Phase::Failed, third.phase());
  EXPECT_EQ(std::string(TextsFor(false).updater.rolledBack), uv.lines.back());
  EXPECT_EQ((Strings{"Casino", "Gewinn"}), Firsts(app.rules.WCS));
  EXPECT_EQ(std::optional<uint64_t>(1800000000u), TakenTimestamp(w.registry));

  ServeSigned("published.ini");  // the same one again is no roll-back
  UpdateRun fourth(app, uv);
  fourth.FormShow();
  fourth.BTUpdateClick({});
  EXPECT_EQ(UpdateRun::Phase::Succeeded, fourth.phase());
}

TEST_F(Updater, DownloaderExceptionIsAFailedDownload) {
  w.downloader.duringDownload = [] { throw std::runtime_error("binding failed"); };
  Serve(Published());
  RunUpdate();
  EXPECT_EQ(UpdateRun::Phase::Failed, run.phase());
}

// A view that runs out of memory at one line: a failure inside the check
// and merge steps.
class FailingView : public RecordingUpdaterView {
 public:
  void AddLine(const std::string& l) override {
    if (l == failAt) throw std::bad_alloc();
    RecordingUpdaterView::AddLine(l);
  }
  std::string failAt;
};

TEST_F(Updater, FailureInTheMergeEndsTheRunAndStopsPolling) {
  FailingView v;
  v.failAt = TextsFor(false).updater.receiving;
  UpdateRun r(app, v);
  w.worker.deferred = true;
  Serve(Published());
  r.FormShow();
  r.BTUpdateClick(Replace());
  w.worker.RunPending();
  EXPECT_FALSE(r.Poll());  // the window's timer stops
  EXPECT_EQ(UpdateRun::Phase::Failed, r.phase());
  EXPECT_EQ(std::string(TextsFor(false).updater.checkFailed), v.lines.back());
  EXPECT_EQ((Strings{"Casino", "Gewinn"}), Firsts(app.rules.WCS));
  EXPECT_FALSE(r.Poll());
}

// ---- the worker thread and the transfer's limits ----

TEST_F(Updater, SecondNextDuringDownloadStartsNothing) {
  w.worker.deferred = true;
  Serve(Published());
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
  EXPECT_EQ(2u, w.downloader.requests.size());
}

TEST_F(Updater, CancelStopsTheTransferAndTheNextRunStartsAtOnce) {
  w.worker.deferred = true;
  Serve(Published());
  RunUpdate();
  run.BTCloseClick();
  EXPECT_EQ(1, uv.closes);
  EXPECT_EQ(UpdateRun::Phase::Cancelled, run.phase());
  EXPECT_FALSE(w.worker.Busy());
  ASSERT_EQ(1u, w.worker.abandoned.size());

  // The window is opened again at once: its run does not wait.
  RecordingUpdaterView v2;
  UpdateRun second(app, v2);
  second.FormShow();
  second.BTUpdateClick({});
  EXPECT_EQ(UpdateRun::Phase::Downloading, second.phase());
  EXPECT_EQ(2, w.worker.starts);

  // The first job, when it runs at all, stops at once and merges nothing.
  w.worker.abandoned[0]();
  EXPECT_TRUE(w.downloader.requests.empty());
  EXPECT_FALSE(run.Poll());
  EXPECT_EQ((Strings{"Casino", "Gewinn"}), Firsts(app.rules.WCS));

  w.worker.RunPending();
  EXPECT_FALSE(second.Poll());
  EXPECT_EQ(UpdateRun::Phase::Succeeded, second.phase());
  EXPECT_EQ((Strings{"Casino", "Gewinn", "Lotto"}), Firsts(app.rules.WCS));
}

TEST(TransferWatch, StallsAndOverallLimit) {
  struct Step {
    uint32_t at;
    uint32_t received;
    TransferWatch::State state;
  };
  using S = TransferWatch::State;
  struct Case {
    const char* name;
    uint32_t start;
    std::vector<Step> steps;
  };
  const Case cases[] = {
      {"bytes keep coming", 0, {{10000, 5, S::Alive}, {39000, 9, S::Alive}, {68000, 12, S::Alive}}},
      {"nothing arrives", 0, {{29999, 0, S::Alive}, {30000, 0, S::Stalled}}},
      {"stops after a while", 0, {{20000, 100, S::Alive}, {49999, 100, S::Alive}, {50000, 100, S::Stalled}}},
      {"a trickle that never ends", 0,
       {{29000, 1, S::Alive}, {58000, 2, S::Alive}, {87000, 3, S::Alive}, {116000, 4, S::Alive},
        {145000, 5, S::Alive}, {174000, 6, S::Alive}, {180000, 7, S::TooLong}}},
      {"across the clock's wrap", 0xFFFFF000u, {{0x00001000u, 0, S::Alive}, {0xFFFFF000u + 30000, 0, S::Stalled}}},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    TransferWatch watch;
    watch.Start(k.start);
    for (const Step& s : k.steps) EXPECT_EQ(s.state, watch.Check(s.at, s.received)) << "at " << s.at;
  }
}

TEST_F(Updater, StalledTransferEndsTheRunWithoutWaitingForTheWorker) {
  w.worker.deferred = true;
  Serve(Published());
  RunUpdate(Replace());
  w.system.clockMs += kStallLimitMs - 1;
  EXPECT_TRUE(run.Poll());
  w.system.clockMs += 1;
  EXPECT_FALSE(run.Poll());
  EXPECT_EQ(UpdateRun::Phase::Failed, run.phase());
  EXPECT_EQ(std::string(TextsFor(false).updater.stalled), uv.lines.back());
  EXPECT_FALSE(w.worker.Busy());
  EXPECT_EQ(1u, w.worker.abandoned.size());
  EXPECT_EQ((Strings{"Casino", "Gewinn"}), Firsts(app.rules.WCS));
}

TEST_F(Updater, CancelWhileMessagesRunBeforeTheDownloadFetchesNothing) {
  uv.onPump = [this] { run.BTCloseClick(); };
  Serve(Published());
  RunUpdate();
  EXPECT_EQ(UpdateRun::Phase::Cancelled, run.phase());
  EXPECT_EQ(0, w.worker.starts);
  EXPECT_TRUE(w.downloader.requests.empty());
}

TEST_F(Updater, NoWorkerThreadIsAFailedDownload) {
  w.worker.refuse = true;
  Serve(Published());
  RunUpdate();
  EXPECT_EQ(UpdateRun::Phase::Failed, run.phase());
  EXPECT_EQ("Error on update", uv.lines.back());
  EXPECT_EQ((Strings{"Casino", "Gewinn"}), Firsts(app.rules.WCS));
}

}  // namespace
}  // namespace zt::test
