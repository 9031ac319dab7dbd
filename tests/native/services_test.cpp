// The services pass: start types and "DisableSR" in the registry and in the
// manager, stop and start requests, the stop at the first missing key, the
// access-denied warning, and the two callers.
#include <gtest/gtest.h>

#include "lang/texts.h"

#include "sim_world.h"
#include "system/services.h"

namespace zt::test {

const char* const kNames[] = {"Messenger", "Alerter", "RemoteRegistry", "ERSvc", "wuauserv", "srservice"};

class Services : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* n : kNames) {
      w.registry.CreateKey(HKey::LocalMachine, std::string(kServicesKey) + n);
      w.services.services[n] = {kServiceRunning, kServiceDemandStart};
    }
    w.registry.CreateKey(HKey::LocalMachine, kSystemRestoreKey);
    app.flags.IsAdmin = app.flags.IsWinXP = true;
  }
  uint32_t Start(const char* name) {
    auto v = w.registry.QueryValue(HKey::LocalMachine, std::string(kServicesKey) + name, "Start");
    return v ? v->dword : 0;
  }
  int DisableSR() {
    auto v = w.registry.QueryValue(HKey::LocalMachine, kSystemRestoreKey, "DisableSR");
    return v ? static_cast<int>(v->dword) : -1;
  }

  SimWorld w;
  ZapotrixMain main{w.os, w.view, w.timer1, w.timerCheck};
  AppState& app = main.state();
};

TEST_F(Services, AllClearedEnablesAndStartsEveryService) {
  for (const char* n : kNames) w.services.services[n].state = kServiceStopped;
  SetAndStopServices(app.Services(), app.settings);
  for (const char* n : kNames) {
    EXPECT_EQ(kServiceAutoStart, Start(n)) << n;
    EXPECT_EQ(kServiceAutoStart, w.services.services[n].startType) << n;
    EXPECT_EQ(kServiceRunning, w.services.services[n].state) << n;
  }
  EXPECT_EQ(0, DisableSR());
  // Five waits of 10 ms between the six rows.
  EXPECT_EQ(50u, w.system.sleptMs);
  EXPECT_EQ("type Messenger 2", w.services.log[0]);
  EXPECT_EQ("start Messenger", w.services.log[1]);
}

TEST_F(Services, SetSettingsDisableAndStopInTableOrder) {
  app.settings.Services_NachrichtenDienst = true;
  app.settings.Services_Systemwiederherstellung = true;
  SetAndStopServices(app.Services(), app.settings);
  EXPECT_EQ(kServiceDisabled, Start("Messenger"));
  EXPECT_EQ(kServiceStopped, w.services.services["Messenger"].state);
  EXPECT_EQ(kServiceDisabled, w.services.services["Messenger"].startType);
  EXPECT_EQ(kServiceAutoStart, Start("Alerter"));
  EXPECT_EQ(kServiceDisabled, Start("srservice"));
  EXPECT_EQ(1, DisableSR());
  std::vector<std::string> expected = {"type Messenger 4", "stop Messenger", "type Alerter 2", "start Alerter"};
  EXPECT_EQ(expected, std::vector<std::string>(w.services.log.begin(), w.services.log.begin() + 4));

  app.settings.Services_Systemwiederherstellung = false;
  SetAndStopServices(app.Services(), app.settings);
  EXPECT_EQ(kServiceAutoStart, Start("srservice"));
  EXPECT_EQ(0, DisableSR());
}

TEST_F(Services, MissingKeyEndsThePassAtItsRow) {
  w.registry.DeleteKey(HKey::LocalMachine, std::string(kServicesKey) + "Alerter");
  app.settings.Services_RemoteRegistrierung = true;
  SetAndStopServices(app.Services(), app.settings);
  EXPECT_EQ(kServiceAutoStart, Start("Messenger"));
  EXPECT_EQ(0u, Start("RemoteRegistry"));
  EXPECT_EQ(kServiceRunning, w.services.services["RemoteRegistry"].state);
  EXPECT_EQ(std::vector<std::string>({"type Messenger 2", "start Messenger"}), w.services.log);
  EXPECT_TRUE(w.system.boxes.empty());
  EXPECT_FALSE(w.registry.KeyExists(HKey::LocalMachine, std::string(kServicesKey) + "Alerter"));
}

TEST_F(Services, MissingSystemRestoreKeyStopsAfterTheStartType) {
  w.registry.DeleteKey(HKey::LocalMachine, kSystemRestoreKey);
  SetAndStopServices(app.Services(), app.settings);
  EXPECT_EQ(kServiceAutoStart, Start("srservice"));
  EXPECT_EQ(-1, DisableSR());
  EXPECT_EQ("start wuauserv", w.services.log.back());
}

TEST_F(Services, RefusedRequestsAreIgnoredRaisedErrorsWarn) {
  w.services.denied = true;
  SetAndStopServices(app.Services(), app.settings);
  EXPECT_TRUE(w.system.boxes.empty());
  EXPECT_EQ(kServiceAutoStart, Start("srservice"));

  w.services.throwOnCall = true;
  app.settings.Services_NachrichtenDienst = true;
  SetAndStopServices(app.Services(), app.settings);
  // One warning per stop or start request; the registry is still written.
  ASSERT_EQ(6u, w.system.boxes.size());
  EXPECT_EQ(std::string(TextsFor(false).msg.serviceAccessDenied),
            w.system.boxes[0].text);
  EXPECT_EQ(kMbIconWarning, w.system.boxes[0].flags);
  EXPECT_EQ("Zapotrix", w.system.boxes[0].caption);
  EXPECT_EQ(kServiceDisabled, Start("Messenger"));
  EXPECT_EQ(kServiceAutoStart, Start("srservice"));
}

TEST_F(Services, GermanWarning) {
  w.services.throwOnCall = true;
  app.flags.IsGerman = true;
  EXPECT_FALSE(ServiceStop(app.Services(), "", "Messenger"));
  EXPECT_EQ(std::string(TextsFor(true).msg.serviceAccessDenied), w.system.boxes.at(0).text);
}

TEST_F(Services, StopReportsTheStoppedStateOnly) {
  EXPECT_TRUE(ServiceStop(app.Services(), "", "Messenger"));
  EXPECT_FALSE(ServiceStop(app.Services(), "", "NoSuchService"));
}

TEST_F(Services, StartUpAndTheOneShotTimerRunThePassOnlyForAnAdminOnXP) {
  w.Install();
  app.settings.Services_Warndienst = true;
  RegIniSave(w.registry, app.settings);
  main.FormCreate();  // Windows XP, administrator
  EXPECT_EQ(kServiceDisabled, Start("Alerter"));
  EXPECT_TRUE(w.timerCheck.enabled);
  EXPECT_EQ(60000u, w.timerCheck.interval);
  w.registry.SetDword(HKey::LocalMachine, std::string(kServicesKey) + "Alerter", "Start", 3);
  main.Timer_checkMessengerTimer();
  EXPECT_FALSE(w.timerCheck.enabled);
  EXPECT_EQ(kServiceDisabled, Start("Alerter"));

  SimWorld w2;
  w2.Install();
  w2.system.version = {2, 5, 0, 2195};  // Windows 2000
  w2.registry.CreateKey(HKey::LocalMachine, std::string(kServicesKey) + "Messenger");
  ZapotrixMain m2(w2.os, w2.view, w2.timer1, w2.timerCheck);
  m2.FormCreate();
  m2.Timer_checkMessengerTimer();
  EXPECT_TRUE(w2.services.log.empty());
  EXPECT_FALSE(w2.registry.QueryValue(HKey::LocalMachine, std::string(kServicesKey) + "Messenger", "Start"));
}

}  // namespace zt::test
