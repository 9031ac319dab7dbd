// Start-up probes: the Windows version table, the language test, the
// administrator write probe, the hosts directory, the autostart entry.
#include <gtest/gtest.h>

#include "sim_world.h"
#include "system/probes.h"

namespace zt::test {

struct VersionCase {
  uint32_t platform, major, minor, build;
  const char* answer;
};

class WinVersion : public ::testing::TestWithParam<VersionCase> {};

TEST_P(WinVersion, Table) {
  const VersionCase& c = GetParam();
  EXPECT_EQ(c.answer, WinVersionName({c.platform, c.major, c.minor, c.build}));
}

INSTANTIATE_TEST_SUITE_P(
    All, WinVersion,
    ::testing::Values(VersionCase{0, 3, 10, 0, "Win32"}, VersionCase{1, 4, 0, 1381, "WinNT"},
                      VersionCase{1, 4, 0, 0x040003B6, "Win95"}, VersionCase{1, 4, 0, 950, "Win95"},
                      // 1381 in the low word only is not build 1381.
                      VersionCase{1, 4, 0, 0x00010565, "Win95"},
                      VersionCase{1, 4, 10, 0x040A08AE, "Win98"}, VersionCase{1, 4, 90, 3000, "Win98"},
                      VersionCase{1, 5, 0, 0, ""}, VersionCase{2, 5, 0, 2195, "Win2k"},
                      VersionCase{2, 5, 1, 2600, "WinXP"}, VersionCase{2, 5, 2, 3790, ""},
                      VersionCase{2, 4, 0, 1381, ""}, VersionCase{2, 6, 1, 7601, ""},
                      VersionCase{3, 5, 1, 2600, ""}, VersionCase{0xFFFFFFFF, 0, 0, 0, ""}));

class Probes : public ::testing::Test {
 protected:
  SimWorld w;
  ZapotrixMain main{w.os, w.view, w.timer1, w.timerCheck};
  AppState& app = main.state();
  const std::string quoted = "\"C:\\Program Files\\Zapotrix\\zapotrix.exe\"";

  std::optional<std::string> Run() {
    auto v = w.registry.QueryValue(HKey::LocalMachine, kRunKey, kRunValue);
    if (!v) return std::nullopt;
    return v->data;
  }
  void SetRun(const std::string& data) {
    w.registry.SetRaw(HKey::LocalMachine, kRunKey, kRunValue, {RegType::Sz, 0, data});
  }
};

TEST_F(Probes, GermanOnlyWhenTheLanguageNameSaysDeutsch) {
  EXPECT_FALSE(is_german_system(app.os.system));
  w.system.langId = 0x0807;
  w.system.languageNames[0x0807] = "Deutsch (Schweiz)";
  EXPECT_TRUE(is_german_system(app.os.system));
  // An English Windows names the German locale in English.
  w.system.languageNames[0x0807] = "German (Switzerland)";
  EXPECT_FALSE(is_german_system(app.os.system));
  w.system.languageNames[0x0807] = "deutsch";
  EXPECT_FALSE(is_german_system(app.os.system));
}

TEST_F(Probes, AdminProbeWritesAndLeavesNothing) {
  EXPECT_TRUE(check_admin(app.os.registry));
  EXPECT_FALSE(w.registry.KeyExists(HKey::LocalMachine, "Software\\veltranoTT\\TT"));
  EXPECT_FALSE(w.registry.KeyExists(HKey::LocalMachine, "Software\\veltranoTT"));
}

TEST_F(Probes, LimitedAccountIsNoAdminAndCreatesNoKey) {
  w.registry.CreateKey(HKey::LocalMachine, "Software");
  w.registry.DenyWrite(HKey::LocalMachine, "Software");
  EXPECT_FALSE(check_admin(app.os.registry));
  EXPECT_FALSE(w.registry.KeyExists(HKey::LocalMachine, "Software\\veltranoTT"));
}

TEST_F(Probes, HostsDirectoryByFamilyWithOneBackslash) {
  EXPECT_EQ("C:\\WINDOWS\\system32\\drivers\\etc\\", GetHostsDirectory(w.system, true));
  EXPECT_EQ("C:\\WINDOWS\\", GetHostsDirectory(w.system, false));
  w.system.windowsDir = "C:\\";
  w.system.systemDir = "C:\\SYS\\";
  EXPECT_EQ("C:\\", GetHostsDirectory(w.system, false));
  EXPECT_EQ("C:\\SYS\\drivers\\etc\\", GetHostsDirectory(w.system, true));
}

TEST_F(Probes, StartUpSetsFlagsFromTheVersion) {
  w.Install();
  w.system.version = {2, 5, 2, 3790};  // Server 2003
  main.FormCreate();
  EXPECT_FALSE(app.flags.IsNTFamily);
  EXPECT_FALSE(app.flags.IsWinXP);
  EXPECT_TRUE(app.flags.IsAdmin);
  EXPECT_EQ("C:\\WINDOWS\\", app.flags.HostsDirectory);

  SimWorld w2;
  w2.Install();
  ZapotrixMain m2(w2.os, w2.view, w2.timer1, w2.timerCheck);
  w2.system.version = {2, 5, 0, 2195};
  m2.FormCreate();
  EXPECT_TRUE(m2.state().flags.IsNTFamily);
  EXPECT_FALSE(m2.state().flags.IsWinXP);
  EXPECT_EQ("C:\\WINDOWS\\system32\\drivers\\etc\\", m2.state().flags.HostsDirectory);
}

TEST_F(Probes, CheckRegAutostartStates) {
  EXPECT_EQ(0, checkRegAutostart(app.Autostart()));
  SetRun("\"C:\\Other\\zapotrix.exe\"");
  EXPECT_EQ(1, checkRegAutostart(app.Autostart()));
  SetRun("C:\\Program Files\\Zapotrix\\zapotrix.exe");  // unquoted
  EXPECT_EQ(1, checkRegAutostart(app.Autostart()));
  SetRun("\"C:\\PROGRAM FILES\\Zapotrix\\zapotrix.exe\"");  // case matters
  EXPECT_EQ(1, checkRegAutostart(app.Autostart()));
  SetRun(quoted);
  EXPECT_EQ(2, checkRegAutostart(app.Autostart()));
  w.registry.SetRaw(HKey::LocalMachine, kRunKey, kRunValue, {RegType::Dword, 1, ""});
  EXPECT_EQ(1, checkRegAutostart(app.Autostart()));
}

struct AutostartCase {
  bool autoStart, admin;
  const char* before;  // nullptr: no entry
  const char* after;
};

class Autostart : public Probes, public ::testing::WithParamInterface<AutostartCase> {};

TEST_P(Autostart, Reconciles) {
  const AutostartCase& c = GetParam();
  w.registry.CreateKey(HKey::LocalMachine, kRunKey);
  if (c.before) SetRun(std::string(c.before) == "own" ? quoted : c.before);
  app.settings.AutoStart = c.autoStart;
  app.flags.IsAdmin = c.admin;
  XCFG_Autostart(app.Autostart(), app.settings.AutoStart);
  auto now = Run();
  if (!c.after) {
    EXPECT_FALSE(now);
  } else {
    ASSERT_TRUE(now);
    EXPECT_EQ(std::string(c.after) == "own" ? quoted : c.after, *now);
  }
}

INSTANTIATE_TEST_SUITE_P(
    All, Autostart,
    ::testing::Values(AutostartCase{true, true, nullptr, "own"},
                      AutostartCase{true, true, "\"D:\\old\\zapotrix.exe\"", "own"},
                      AutostartCase{true, true, "own", "own"},
                      AutostartCase{false, true, "own", nullptr},
                      AutostartCase{false, true, "foreign.exe", nullptr},
                      AutostartCase{false, true, nullptr, nullptr},
                      AutostartCase{true, false, nullptr, nullptr},
                      AutostartCase{true, false, "foreign.exe", "foreign.exe"},
                      AutostartCase{false, false, "own", "own"}));

TEST_F(Probes, AutostartCreatesAMissingRunKey) {
  app.flags.IsAdmin = true;
  XCFG_Autostart(app.Autostart(), app.settings.AutoStart);
  EXPECT_EQ(quoted, Run().value_or(""));
}

}  // namespace zt::test

namespace zt::test {

// What a Windows 95 needs beyond itself (Internet Explorer 4 brings it all),
// and what the start says when something is missing.
TEST(MinimumSystem, NamesEveryMissingPart) {
  struct Case {
    SystemComponents found;
    const char* missing;  // "" when the program may start
  };
  const Case cases[] = {
      {{4, 71, true}, ""},                  // Internet Explorer 4
      {{5, 81, true}, ""},                  // Windows 2000, Me
      {{6, 0, true}, ""},                   // Windows XP with its manifest
      {{5, 0, true}, ""},                   // a major version above 4 is enough
      {{4, 70, true}, "comctl32.dll 4.71\n"},  // cannot happen (4.70 cannot say), but is too old
      {{0, 0, true}, "comctl32.dll 4.71\n"},   // no DllGetVersion: 4.70 or older
      {{4, 72, false}, "wininet.dll\n"},
      {{0, 0, false}, "comctl32.dll 4.71\nwininet.dll\n"},
  };
  for (const Case& c : cases) {
    std::string message = MinimumSystemMessage(c.found, TextsFor(false));
    if (*c.missing == '\0') {
      EXPECT_EQ("", message);
    } else {
      EXPECT_EQ(Format(TextsFor(false).msg.systemTooOld, {c.missing}), message);
    }
  }
}

TEST(MinimumSystem, ATooOldSystemIsToldInItsLanguage) {
  SimWorld w;
  EXPECT_TRUE(CheckMinimumSystem(w.system));
  EXPECT_TRUE(w.system.boxes.empty());

  w.system.components = {0, 0, false};
  w.system.languageNames[w.system.langId] = "Deutsch (Deutschland)";
  EXPECT_FALSE(CheckMinimumSystem(w.system));
  ASSERT_EQ(1u, w.system.boxes.size());
  EXPECT_EQ(Format(TextsFor(true).msg.systemTooOld, {"comctl32.dll 4.71\nwininet.dll\n"}), w.system.boxes[0].text);
  EXPECT_EQ("Zapotrix", w.system.boxes[0].caption);
  EXPECT_EQ(kMbIconError, w.system.boxes[0].flags);
  EXPECT_NE(std::string::npos, w.system.boxes[0].text.find("Internet Explorer 4"));
}

}  // namespace zt::test
