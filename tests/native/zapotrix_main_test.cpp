// The start-up order, the scan cycle's speed modes and standby, the pause
// switch, and the saving when the program ends, against the stand-ins.
#include <gtest/gtest.h>

#include "lang/texts.h"
#include "sim_world.h"

namespace zt::test {
namespace {

class Spine : public ::testing::Test {
 protected:
  ZapotrixMain& Start(const std::string& db = "[ADS]\r\n1=zebra\r\n2=Apfel\r\n") {
    w.Install(db);
    main = std::make_unique<ZapotrixMain>(w.os, w.view, w.timer1, w.timerCheck);
    main->FormCreate();
    return *main;
  }
  SimWorld w;
  std::unique_ptr<ZapotrixMain> main;
};

}  // namespace

TEST(SingleInstance, SecondInstanceShowsMessageOnlyWhenWindowFound) {
  SimWorld w;
  EXPECT_TRUE(AcquireSingleInstance(w.os));
  w.system.semaphoreExists = true;
  EXPECT_FALSE(AcquireSingleInstance(w.os));
  EXPECT_TRUE(w.system.boxes.empty());  // no window titled "zapotrix": silent
  w.desktop.Add("Tzapotrix_main", "Zapotrix");
  EXPECT_FALSE(AcquireSingleInstance(w.os));
  ASSERT_EQ(1u, w.system.boxes.size());
  EXPECT_EQ("zapotrix is already running!", w.system.boxes[0].text);
  EXPECT_EQ("Zapotrix", w.system.boxes[0].caption);
  EXPECT_EQ(kMbIconInformation, w.system.boxes[0].flags);
  w.system.semaphoreFails = true;
  EXPECT_FALSE(AcquireSingleInstance(w.os));
  EXPECT_EQ(1u, w.system.boxes.size());
}

namespace {
// Calls onEnable when it is switched on, before it runs.
struct WatchedTimer : SimTimer {
  void SetEnabled(bool on) override {
    if (on && onEnable) onEnable();
    SimTimer::SetEnabled(on);
  }
  std::function<void()> onEnable;
};
}  // namespace

TEST_F(Spine, StartUpLoadsSortsAndStartsTheTimerLast) {
  w.registry.SetRaw(HKey::CurrentUser, kSettingsKey, "Main_Left", {RegType::Dword, 40, ""});
  w.registry.SetRaw(HKey::CurrentUser, kSettingsKey, "Main_Top", {RegType::Dword, 30, ""});
  w.Install("[ADS]\r\n1=zebra\r\n2=Apfel\r\n");
  WatchedTimer timer1;
  main = std::make_unique<ZapotrixMain>(w.os, w.view, timer1, w.timerCheck);
  // When the scan timer is switched on, the rest of the start-up is done.
  int enabled = 0;
  timer1.onEnable = [&] {
    ++enabled;
    ASSERT_EQ(2u, main->state().rules.ADS.size());
    EXPECT_EQ("Apfel", main->state().rules.ADS.text(0));
    EXPECT_EQ(396, (w.view.widths[{ListViewId::ADS, 0}]));
    EXPECT_TRUE(w.view.updaterEnabled);
    EXPECT_TRUE(main->UpdaterMayRun());
    EXPECT_EQ(1, w.view.trayMenuBuilds);
  };
  EXPECT_FALSE(main->UpdaterMayRun());
  main->FormCreate();
  EXPECT_EQ(1, enabled);
  AppState& a = main->state();
  EXPECT_EQ("Zapotrix", w.view.caption);
  EXPECT_EQ(" Zapotrix Version 1.2.0.90", w.view.panels[0]);
  // Start-up sets panel 0 and the scanners' panels 1 to 4, not the cycle's 5 and 6.
  EXPECT_EQ(5u, w.view.panels.size());
  EXPECT_EQ(" WCS: ON", w.view.panels[4]);
  EXPECT_EQ("C:\\Program Files\\Zapotrix\\config\\zapotrix_mainDB_new.ini", a.paths.NewMainDBFile);
  EXPECT_EQ("C:\\Program Files\\Zapotrix\\help\\zapotrix_handbuch.pdf", a.paths.HandbookFile);
  EXPECT_FALSE(a.flags.SkipSaveOnClose);
  EXPECT_TRUE(w.system.boxes.empty());
  ASSERT_EQ(2u, a.rules.ADS.size());
  EXPECT_EQ("Apfel", a.rules.ADS.text(0));
  EXPECT_EQ(3, w.view.ruleTab);
  EXPECT_EQ(40, w.view.left);
  EXPECT_EQ(30, w.view.top);
  EXPECT_EQ("320", w.view.edWidth);
  EXPECT_EQ("200", w.view.edHeight);
  EXPECT_EQ(396, (w.view.widths[{ListViewId::ADS, 0}]));
  EXPECT_TRUE(w.view.updaterEnabled);
  EXPECT_EQ(1, w.view.trayMenuBuilds);
  EXPECT_EQ(1, w.view.trayIconAdds);
  EXPECT_TRUE(timer1.enabled);
  EXPECT_EQ(250u, timer1.interval);
  EXPECT_TRUE(w.timerCheck.enabled);
  EXPECT_EQ(60000u, w.timerCheck.interval);
}

// Captions are read in Unicode on Windows 2000 and XP only: the Windows
// 9x family has no wide-character calls.
TEST_F(Spine, CaptionsAreReadInUnicodeOnTheNTFamilyOnly) {
  const struct {
    uint32_t platformId, major, minor;
    bool unicode;
  } cases[] = {{2, 5, 1, true}, {2, 5, 0, true}, {1, 4, 10, false}, {1, 4, 0, false}};
  for (const auto& c : cases) {
    SimWorld world;
    world.system.version = {c.platformId, c.major, c.minor, 2600};
    world.Install("");
    ZapotrixMain m(world.os, world.view, world.timer1, world.timerCheck);
    m.FormCreate();
    EXPECT_EQ(c.unicode, world.desktop.unicodeCaptions) << c.platformId << "." << c.minor;
  }
}

TEST_F(Spine, WindowIsCentredWithoutStoredPosition) {
  Start();
  EXPECT_EQ((1024 - 515) / 2, w.view.left);
  EXPECT_EQ((768 - 403) / 2, w.view.top);
}

TEST_F(Spine, MissingManualWarnsAndCloseSavesNothing) {
  w.Install();
  w.system.DeleteFile(w.Dir() + "help\\zapotrix_handbuch.pdf");
  main = std::make_unique<ZapotrixMain>(w.os, w.view, w.timer1, w.timerCheck);
  main->FormCreate();
  ASSERT_EQ(1u, w.system.boxes.size());
  EXPECT_EQ(std::string(TextsFor(false).msg.missingFiles), w.system.boxes[0].text);
  EXPECT_EQ(kMbIconWarning, w.system.boxes[0].flags);
  EXPECT_TRUE(w.timer1.enabled);  // runs on
  main->FormClose();
  EXPECT_FALSE(w.registry.KeyExists(HKey::CurrentUser, kSettingsKey));
}

TEST_F(Spine, StandbyThenActiveFollowsTheMode) {
  Start();
  main->Timer1Timer();
  EXPECT_EQ(" Standby", w.view.panels[6]);
  EXPECT_EQ(2500u, w.timer1.interval);
  EXPECT_EQ(0u, w.view.panels.count(5));

  main->state().settings.interval = 2;
  main->XCFG_Interval();
  EXPECT_EQ(1000u, w.timer1.interval);
  EXPECT_EQ(" Slow Mode", w.view.panels[5]);
  main->state().settings.interval = 3;  // no change
  main->XCFG_Interval();
  EXPECT_EQ(1000u, w.timer1.interval);
  EXPECT_EQ(" Slow Mode", w.view.panels[5]);
  main->state().settings.interval = 1;
  main->XCFG_Interval();
  EXPECT_EQ(500u, w.timer1.interval);
  EXPECT_EQ(" Normal Mode", w.view.panels[5]);

  w.desktop.Add("IEFrame", "Page - Microsoft Internet Explorer");
  main->Timer1Timer();
  EXPECT_EQ(" Active", w.view.panels[6]);
  EXPECT_EQ(500u, w.timer1.interval);
}

TEST_F(Spine, ScannerPanelsShowExactlyTrueAsOnInTheLanguage) {
  Start();
  main->state().settings.UseURL = false;
  main->XCFG_SCANNER_WDS();
  main->XCFG_SCANNER_URL();
  EXPECT_EQ(" WDS: ON", w.view.panels[1]);
  EXPECT_EQ(" URL: OFF", w.view.panels[2]);
  main->state().flags.IsGerman = true;
  main->XCFG_SCANNER_ADS();
  main->XCFG_SCANNER_URL();
  EXPECT_EQ(" ADS: An", w.view.panels[3]);
  EXPECT_EQ(" URL: Aus", w.view.panels[2]);
}

TEST_F(Spine, ScannerPanelsShowTheStoredSettingsInTheLanguageFromStartUpOn) {
  struct Case {
    bool german, wds, url, ads, wcs;
    std::vector<std::string> panels;  // 1 to 4
  } cases[] = {
      {false, true, true, true, true, {" WDS: ON", " URL: ON", " ADS: ON", " WCS: ON"}},
      {false, false, true, false, true, {" WDS: OFF", " URL: ON", " ADS: OFF", " WCS: ON"}},
      {true, true, false, true, false, {" WDS: An", " URL: Aus", " ADS: An", " WCS: Aus"}},
  };
  for (const Case& c : cases) {
    SimWorld world;
    world.system.langId = c.german ? 0x0407 : 0x0409;
    Settings s;
    SetDefaults(s);
    s.UseWDS = c.wds, s.UseURL = c.url, s.UseADS = c.ads, s.UseWCS = c.wcs;
    RegIniSave(world.registry, s);
    world.Install("[ADS]\r\n1=zebra\r\n");
    ZapotrixMain m(world.os, world.view, world.timer1, world.timerCheck);
    m.FormCreate();
    std::vector<std::string> shown;
    for (int p = 1; p <= 4; ++p) shown.push_back(world.view.panels[p]);
    EXPECT_EQ(c.panels, shown) << "german " << c.german;
  }
}

TEST_F(Spine, PauseTogglesLabelActionAndTrayTexts) {
  Start();
  main->Bypassmanager();
  EXPECT_TRUE(main->state().flags.IsPaused);
  EXPECT_TRUE(w.view.pauseLabelVisible);
  EXPECT_EQ(std::string(TextsFor(false).msg.actionContinue), w.view.pauseAction);
  EXPECT_EQ(std::string(TextsFor(false).msg.trayContinue), w.view.trayPause);
  main->Bypassmanager();
  EXPECT_FALSE(main->state().flags.IsPaused);
  EXPECT_FALSE(w.view.pauseLabelVisible);
  EXPECT_EQ(std::string(TextsFor(false).msg.actionStop), w.view.pauseAction);
  EXPECT_EQ(std::string(TextsFor(false).msg.trayStop), w.view.trayPause);
  main->state().flags.IsGerman = true;
  main->Bypassmanager();
  EXPECT_EQ(std::string(TextsFor(true).msg.actionContinue), w.view.pauseAction);
  EXPECT_EQ(std::string(TextsFor(true).msg.trayContinue), w.view.trayPause);
  main->Bypassmanager();
  EXPECT_EQ(std::string(TextsFor(true).msg.actionStop), w.view.pauseAction);
  EXPECT_EQ(std::string(TextsFor(true).msg.trayStop), w.view.trayPause);
}

TEST_F(Spine, TickDuringARunningCycleIsSkipped) {
  Start();
  int nested = 0;
  w.view.onPump = [&] {
    ++nested;
    if (nested == 1) main->Timer1Timer();  // a timer message dispatched inside the cycle
  };
  int before = w.view.pumps;
  main->Timer1Timer();
  EXPECT_EQ(before + 1, w.view.pumps);  // the nested tick did not run a cycle
}

TEST_F(Spine, CloseSavesSettingsWithPositionThenDatabase) {
  Start("[WCS]\r\n1=b\r\n2=A\r\n");
  w.view.left = 11;
  w.view.top = 22;
  main->state().rules.WCS.Add({"c"});
  main->FormClose();
  EXPECT_EQ(11u, w.registry.QueryValue(HKey::CurrentUser, kSettingsKey, "Main_Left")->dword);
  EXPECT_EQ(22u, w.registry.QueryValue(HKey::CurrentUser, kSettingsKey, "Main_Top")->dword);
  EXPECT_EQ("[WCS]\r\n1=A\r\n2=b\r\n3=c\r\n", *w.system.ReadFile(main->state().paths.MainDBFile));
}

TEST_F(Spine, SettingsWriteErrorStillSavesTheRulesAndAsksWhetherToQuit) {
  Start("[WCS]\r\n1=b\r\n");
  w.registry.CreateKey(HKey::CurrentUser, kSettingsKey);
  w.registry.DenyWrite(HKey::CurrentUser, kSettingsKey);
  main->state().rules.WCS.Add({"c"});
  w.system.answers = {kIdNo};
  EXPECT_FALSE(main->FormClose());
  EXPECT_EQ("[WCS]\r\n1=b\r\n2=c\r\n", *w.system.ReadFile(main->state().paths.MainDBFile));
  ASSERT_EQ(1u, w.system.boxes.size());
  EXPECT_NE(std::string::npos, w.system.boxes[0].text.find("Main_Left"));
  EXPECT_EQ(kMbYesNo | kMbIconError | kMbDefButton2, w.system.boxes[0].flags);
}

TEST_F(Spine, LogOffSavesWithoutPositionEvenWhenSkipIsSet) {
  Start();
  w.view.left = 11;
  main->SetSkipSaveOnClose();
  main->Cleanup();
  EXPECT_EQ(0xFFFFFFFFu, w.registry.QueryValue(HKey::CurrentUser, kSettingsKey, "Main_Left")->dword);
  main->FormClose();  // skip is set: nothing more
  EXPECT_EQ(0xFFFFFFFFu, w.registry.QueryValue(HKey::CurrentUser, kSettingsKey, "Main_Left")->dword);
}

TEST_F(Spine, LogOffDuringStartUpSavesNothing) {
  w.Install("[WCS]\r\n1=keep\r\n");
  main = std::make_unique<ZapotrixMain>(w.os, w.view, w.timer1, w.timerCheck);
  bool once = false;
  w.view.onPump = [&] {  // Windows asks to end while start-up lets messages run
    if (once) return;
    once = true;
    EXPECT_FALSE(main->Started());
    main->Cleanup();
  };
  main->FormCreate();
  EXPECT_TRUE(main->Started());
  EXPECT_FALSE(w.registry.KeyExists(HKey::CurrentUser, kSettingsKey));
  EXPECT_EQ("[WCS]\r\n1=keep\r\n", *w.system.ReadFile(main->state().paths.MainDBFile));
}

TEST_F(Spine, FilesMissingAtCloseWarnAndSaveNothing) {
  Start();
  w.system.DeleteFile(main->state().paths.MozillaFilterFile);
  main->FormClose();
  ASSERT_EQ(1u, w.system.boxes.size());
  EXPECT_EQ(std::string(TextsFor(false).msg.missingFiles), w.system.boxes[0].text);
  EXPECT_FALSE(w.registry.KeyExists(HKey::CurrentUser, kSettingsKey));
  main->Cleanup();
  EXPECT_EQ(2u, w.system.boxes.size());
  EXPECT_FALSE(w.registry.KeyExists(HKey::CurrentUser, kSettingsKey));
}

TEST_F(Spine, FailedStartUpIsShownAndAQuitThenEndsWithoutSaving) {
  w.Install("[WCS]\r\n1=keep\r\n");
  w.view.trayFails = "no notification area";
  main = std::make_unique<ZapotrixMain>(w.os, w.view, w.timer1, w.timerCheck);
  main->Start();
  EXPECT_TRUE(main->StartFailed());
  EXPECT_FALSE(main->UpdaterMayRun());  // the rules were never loaded
  EXPECT_FALSE(w.view.updaterEnabled);
  ASSERT_EQ(1u, w.system.boxes.size());
  EXPECT_EQ(std::string(TextsFor(false).msg.startupFailed) + "\nno notification area", w.system.boxes[0].text);
  EXPECT_EQ(kMbIconError, w.system.boxes[0].flags);
  EXPECT_EQ(QuitAnswer::EndWithoutSaving, main->QuitRequested());
  main->Cleanup();  // a log-off after it saves nothing either
  EXPECT_FALSE(w.registry.KeyExists(HKey::CurrentUser, kSettingsKey));
  EXPECT_EQ("[WCS]\r\n1=keep\r\n", *w.system.ReadFile(main->state().paths.MainDBFile));
}

TEST_F(Spine, QuitWaitsWhileStartUpRunsAndSavesAfterIt) {
  w.Install();
  main = std::make_unique<ZapotrixMain>(w.os, w.view, w.timer1, w.timerCheck);
  std::vector<QuitAnswer> during;
  w.view.onPump = [&] { during.push_back(main->QuitRequested()); };
  main->Start();
  ASSERT_FALSE(during.empty());
  EXPECT_EQ(QuitAnswer::Wait, during.front());
  EXPECT_EQ(QuitAnswer::SaveAndEnd, main->QuitRequested());
}

// The window's quit: waits during start-up, ends after a save or a failed
// start-up, stays when the user keeps the program; while a failed save's
// question is open, a second quit of the user is ignored and the
// installer's ends the program.
TEST_F(Spine, CloseWaitsEndsOrStaysAsTheQuitAndTheSaveDecide) {
  w.Install();
  main = std::make_unique<ZapotrixMain>(w.os, w.view, w.timer1, w.timerCheck);
  std::vector<CloseStep> duringStart;
  w.view.onPump = [&] { duringStart.push_back(main->Close(QuitBy::User)); };
  main->Start();
  w.view.onPump = nullptr;
  ASSERT_FALSE(duringStart.empty());
  EXPECT_EQ(CloseStep::Wait, duringStart.front());

  struct Case {
    const char* name;
    bool saveFails;
    int answer;      // to the failed save's question
    bool nested;     // another quit comes while the question is open
    QuitBy second;   // who sends it
    CloseStep inner, outer;
  } cases[] = {
      {"saved", false, kIdYes, false, QuitBy::User, CloseStep::Stay, CloseStep::End},
      {"kept after a failed save", true, kIdNo, false, QuitBy::User, CloseStep::Stay, CloseStep::Stay},
      {"quit anyway", true, kIdYes, false, QuitBy::User, CloseStep::Stay, CloseStep::End},
      {"user again while asked", true, kIdNo, true, QuitBy::User, CloseStep::Stay, CloseStep::Stay},
      {"installer while asked", true, kIdNo, true, QuitBy::Setup, CloseStep::End, CloseStep::Stay},
  };
  for (const Case& c : cases) {
    w.system.failWrites = c.saveFails;
    w.system.answers = {c.answer};
    std::vector<CloseStep> inner;
    w.system.onMessageBox = [&] {
      if (c.nested && inner.empty()) inner.push_back(main->Close(c.second));
    };
    EXPECT_EQ(c.outer, main->Close(QuitBy::User)) << c.name;
    if (c.nested) {
      ASSERT_EQ(1u, inner.size()) << c.name;
      EXPECT_EQ(c.inner, inner[0]) << c.name;
    }
    w.system.onMessageBox = nullptr;
    main->state().flags.SkipSaveOnClose = false;
  }
  w.system.failWrites = false;
}

// A rule database that cannot be written: the user's quit names the cause
// and asks whether to quit anyway; the installer's quit ends silently.
struct SaveFailure {
  WriteError cause;
  const char* MessageTexts::*why;
};

TEST_F(Spine, FailedDatabaseSaveAtQuitNamesTheCauseAndAsksWhetherToQuitAnyway) {
  const SaveFailure cases[] = {{WriteError::DiskFull, &MessageTexts::causeDiskFull},
                               {WriteError::AccessDenied, &MessageTexts::causeAccessDenied},
                               {WriteError::Other, &MessageTexts::causeOther}};
  Start("[WCS]\r\n1=old\r\n");
  main->state().rules.WCS.Add({"added today"});
  for (bool german : {false, true}) {
    main->state().flags.IsGerman = german;
    const MessageTexts& t = TextsFor(german).msg;
    for (const SaveFailure& c : cases) {
      w.system.boxes.clear();
      w.system.failWrites = true;
      w.system.failWritesAs = c.cause;
      w.system.answers = {kIdNo};  // keep running
      EXPECT_FALSE(main->FormClose());
      ASSERT_EQ(1u, w.system.boxes.size());
      EXPECT_EQ(std::string(t.dbSaveFailed) + " " + t.*c.why + "\n\n" + t.quitAnyway, w.system.boxes[0].text);
      EXPECT_EQ(kMbYesNo | kMbIconError | kMbDefButton2, w.system.boxes[0].flags);
      EXPECT_EQ("[WCS]\r\n1=old\r\n", *w.system.ReadFile(main->state().paths.MainDBFile));
    }
  }
  main->state().flags.IsGerman = false;
  w.system.failWrites = false;  // the user made room: the next quit saves
  EXPECT_TRUE(main->FormClose());
  EXPECT_EQ("[WCS]\r\n1=old\r\n2=added today\r\n", *w.system.ReadFile(main->state().paths.MainDBFile));
}

TEST(Quit, InstallersQuitEndsWithoutAMessageWhateverFails) {
  const std::function<void(SimWorld&, const std::string& db)> failures[] = {
      [](SimWorld& w, const std::string&) { w.system.failWrites = true; },
      [](SimWorld& w, const std::string& db) { w.system.SetFileAttributes(db, kAttrReadOnly); },
      [](SimWorld& w, const std::string&) { w.system.DeleteFile(w.Dir() + "config\\zapotrix_hosts.dat"); },
      [](SimWorld& w, const std::string&) {
        w.registry.CreateKey(HKey::CurrentUser, kSettingsKey);
        w.registry.DenyWrite(HKey::CurrentUser, kSettingsKey);
      },
  };
  for (const auto& fail : failures) {
    SimWorld w;
    w.Install("[WCS]\r\n1=old\r\n");
    ZapotrixMain main(w.os, w.view, w.timer1, w.timerCheck);
    main.FormCreate();
    main.state().rules.WCS.Add({"added today"});
    fail(w, main.state().paths.MainDBFile);
    EXPECT_TRUE(main.FormClose(QuitBy::Setup));
    EXPECT_TRUE(w.system.boxes.empty());
  }
}

TEST_F(Spine, FailedSavesAtLogOffSaveWhatTheyCanAndTellWhy) {
  Start("[WCS]\r\n1=old\r\n");
  const MessageTexts& t = TextsFor(false).msg;
  w.system.failWrites = true;
  main->Cleanup();
  ASSERT_EQ(1u, w.system.boxes.size());
  EXPECT_EQ(std::string(t.dbSaveFailed) + " " + t.causeDiskFull, w.system.boxes[0].text);
  EXPECT_TRUE(w.registry.KeyExists(HKey::CurrentUser, kSettingsKey));  // the settings went in
  EXPECT_EQ("[WCS]\r\n1=old\r\n", *w.system.ReadFile(main->state().paths.MainDBFile));

  // A settings error does not keep the rules from being saved.
  w.system.failWrites = false;
  w.system.boxes.clear();
  w.registry.DenyWrite(HKey::CurrentUser, kSettingsKey);
  main->state().rules.WCS.Add({"new"});
  main->Cleanup();
  EXPECT_EQ("[WCS]\r\n1=old\r\n2=new\r\n", *w.system.ReadFile(main->state().paths.MainDBFile));
  ASSERT_EQ(1u, w.system.boxes.size());
  EXPECT_NE(std::string::npos, w.system.boxes[0].text.find("Main_Left"));
}

TEST_F(Spine, CheckMessengerTimerFiresOnce) {
  Start();
  main->Timer_checkMessengerTimer();
  EXPECT_FALSE(w.timerCheck.enabled);
}

}  // namespace zt::test
