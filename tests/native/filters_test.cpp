// Browser ad filters: the Flash kill bit with its memory of what it
// installed, the Mozilla detection, the profile path rules, and the style
// sheet copy and removal.
#include <gtest/gtest.h>

#include "lang/texts.h"

#include "sim_world.h"
#include "system/filters.h"

namespace zt::test {

class Filters : public ::testing::Test {
 protected:
  void SetUp() override {
    w.Install();
    main.FormCreate();
    w.system.boxes.clear();
  }
  std::optional<RegValue> Flash() { return w.registry.QueryValue(HKey::LocalMachine, kFlashKey, kFlashValue); }
  void Mozilla(const std::string& sub, const std::string& exe) {
    w.registry.SetRaw(HKey::LocalMachine, "Software\\Mozilla\\" + sub + "\\bin", "PathtoExe", {RegType::Sz, 0, exe});
  }
  std::string Root() { return "C:\\Documents and Settings\\user\\Application Data\\Mozilla\\Profiles\\default\\"; }
  bool Exists(const std::string& p) { return w.system.FileAttributes(p).has_value(); }

  SimWorld w;
  ZapotrixMain main{w.os, w.view, w.timer1, w.timerCheck};
  AppState& app = main.state();
};

TEST_F(Filters, FlashKillBitInstalledOnceAndRemovedWithItsKey) {
  Flash7change(app.os.registry, 1);
  Flash7change(app.os.registry, 1);
  ASSERT_TRUE(Flash());
  EXPECT_EQ(RegType::Dword, Flash()->type);
  EXPECT_EQ(1024u, Flash()->dword);
  Flash7change(app.os.registry, 2);
  EXPECT_FALSE(Flash());
  EXPECT_FALSE(w.registry.KeyExists(HKey::LocalMachine, kFlashKey));
  EXPECT_FALSE(w.registry.QueryValue(HKey::LocalMachine, kInstalledKey, "FlashKillBit"));
  Flash7change(app.os.registry, 3);
  EXPECT_FALSE(w.registry.KeyExists(HKey::LocalMachine, kFlashKey));
}

TEST_F(Filters, ForeignKillBitSurvives) {
  w.registry.SetRaw(HKey::LocalMachine, kFlashKey, kFlashValue, {RegType::Dword, 0x400, ""});
  Flash7change(app.os.registry, 1);
  Flash7change(app.os.registry, 2);
  ASSERT_TRUE(Flash());
  EXPECT_EQ(0x400u, Flash()->dword);
  // A removal without any installation leaves it too.
  Flash7change(app.os.registry, 2);
  EXPECT_TRUE(Flash());
}

TEST_F(Filters, ExistingKeyAndOtherFlagsAreRestored) {
  w.registry.CreateKey(HKey::LocalMachine, kFlashKey);
  Flash7change(app.os.registry, 1);
  Flash7change(app.os.registry, 2);
  EXPECT_FALSE(Flash());
  EXPECT_TRUE(w.registry.KeyExists(HKey::LocalMachine, kFlashKey));

  w.registry.SetRaw(HKey::LocalMachine, kFlashKey, kFlashValue, {RegType::Dword, 0x21, ""});
  Flash7change(app.os.registry, 1);
  EXPECT_EQ(0x421u, Flash()->dword);
  Flash7change(app.os.registry, 2);
  EXPECT_EQ(0x21u, Flash()->dword);
}

TEST_F(Filters, NothingInstalledWhenItCouldNotBeRemembered) {
  w.registry.CreateKey(HKey::LocalMachine, kInstalledKey);
  w.registry.DenyWrite(HKey::LocalMachine, kInstalledKey);
  Flash7change(app.os.registry, 1);
  EXPECT_FALSE(Flash());
}

TEST_F(Filters, KillBitLeftByAnInterruptedRunIsRemovedNextTime) {
  Flash7change(app.os.registry, 1);  // the program then ends without its removal
  SimWorld& w2 = w;
  ZapotrixMain again(w2.os, w2.view, w2.timer1, w2.timerCheck);
  again.FormCreate();
  Flash7change(again.state().os.registry, 1);
  Flash7change(again.state().os.registry, 2);
  EXPECT_FALSE(Flash());
}

TEST_F(Filters, BrowserInstalledOnlyWithANamedProgram) {
  EXPECT_FALSE(check_Browser_installed(app.os.registry, "Mozilla"));
  w.registry.CreateKey(HKey::LocalMachine, "Software\\Mozilla\\Mozilla Firefox");
  EXPECT_FALSE(check_Browser_installed(app.os.registry, "Mozilla"));
  Mozilla("Mozilla Firefox\\1.0", "");
  EXPECT_FALSE(check_Browser_installed(app.os.registry, "Mozilla"));
  Mozilla("Mozilla Firefox", "");
  EXPECT_FALSE(check_Browser_installed(app.os.registry, "Mozilla"));
  Mozilla("mozilla 1.7", "C:\\m.exe");  // the name test is case-sensitive
  EXPECT_FALSE(check_Browser_installed(app.os.registry, "Mozilla"));
  Mozilla("Mozilla 1.8", "C:\\m.exe");
  EXPECT_TRUE(check_Browser_installed(app.os.registry, "Mozilla"));
}

TEST_F(Filters, ProfilePathPrefersARealProfileToTheFallback) {
  // No profile: the fallback directory is made.
  EXPECT_EQ(Root() + "k8pppp88.slt\\chrome\\", GetChromePath(app.Filters(), "Mozilla"));
  EXPECT_TRUE(Exists(Root() + "k8pppp88.slt\\chrome"));
  // Only the fallback: it is used.
  EXPECT_EQ(Root() + "k8pppp88.slt\\chrome\\", GetChromePath(app.Filters(), "Mozilla"));
  // A real profile beside it wins; the fallback is not empty, so it stays.
  w.system.CreateDirectory(Root() + "abcd1234.slt");
  EXPECT_EQ(Root() + "abcd1234.slt\\chrome\\", GetChromePath(app.Filters(), "Mozilla"));
  EXPECT_TRUE(Exists(Root() + "k8pppp88.slt"));
  // An empty fallback goes.
  w.system.RemoveDirectory(Root() + "k8pppp88.slt\\chrome");
  EXPECT_EQ(Root() + "abcd1234.slt", GetSubDir(app.os.system, Root()));
  EXPECT_FALSE(Exists(Root() + "k8pppp88.slt"));
}

TEST_F(Filters, NoUserDirectoryMeansNoPathAndNothingWritten) {
  w.shell.personal = "D:\\Docs";
  EXPECT_EQ("", GetChromePath(app.Filters(), "Mozilla"));
  w.shell.personal = "My Documents";  // would leave a relative root
  EXPECT_EQ("", GetChromePath(app.Filters(), "Mozilla"));
  w.shell.personal = "";
  EXPECT_EQ("", GetChromePath(app.Filters(), "Mozilla"));
  EXPECT_TRUE(w.system.boxes.empty());
  w.shell.fails = true;
  EXPECT_EQ("", GetChromePath(app.Filters(), "Mozilla"));
  ASSERT_EQ(1u, w.system.boxes.size());
  EXPECT_EQ(std::string(TextsFor(false).msg.profilePathError), w.system.boxes[0].text);
  EXPECT_EQ(kMbIconError, w.system.boxes[0].flags);
}

TEST_F(Filters, GermanFolderNames) {
  app.flags.IsGerman = true;
  w.shell.personal = "C:\\Dokumente und Einstellungen\\anna\\Eigene Dateien\\";
  EXPECT_EQ("C:\\Dokumente und Einstellungen\\anna\\Anwendungsdaten\\Mozilla\\Profiles\\default\\k8pppp88.slt\\chrome\\",
            GetChromePath(app.Filters(), "Mozilla"));
  w.shell.fails = true;
  GetChromePath(app.Filters(), "Mozilla");
  EXPECT_EQ("Fehler bei der Ermittlung des Verzeichnisses.", w.system.boxes.at(0).text);
}

TEST_F(Filters, StyleSheetCopiedAndOnlyOurOwnRemoved) {
  std::string css = Root() + "abcd1234.slt\\chrome\\userContent.css";
  w.system.CreateDirectory(Root() + "abcd1234.slt");
  Adfilter(app.Filters(), "Mozilla", 1);
  EXPECT_FALSE(Exists(css));  // no browser registered
  Mozilla("Mozilla 1.7", "C:\\m.exe");
  w.system.PutFile(Root() + "abcd1234.slt\\chrome\\x", "");
  Adfilter(app.Filters(), "Mozilla", 1);
  EXPECT_EQ("/* filter */\r\n", w.system.ReadFile(css).value_or(""));
  Adfilter(app.Filters(), "Mozilla", 2);
  EXPECT_FALSE(Exists(css));

  w.system.PutFile(css, "/* mine */");
  Adfilter(app.Filters(), "Mozilla", 1);
  EXPECT_EQ("/* mine */", w.system.ReadFile(css).value_or(""));
  Adfilter(app.Filters(), "Mozilla", 2);
  EXPECT_EQ("/* mine */", w.system.ReadFile(css).value_or(""));
}

TEST_F(Filters, StartUpInstallsAndQuitRemoves) {
  Mozilla("Mozilla Firefox", "C:\\ff.exe");
  app.settings.Flash7 = true;
  app.settings.Flash_MZ = true;
  RegIniSave(w.registry, app.settings);
  ZapotrixMain m(w.os, w.view, w.timer1, w.timerCheck);
  m.FormCreate();
  EXPECT_TRUE(Flash());
  std::string css = Root() + "k8pppp88.slt\\chrome\\userContent.css";
  EXPECT_TRUE(Exists(css));
  m.FormClose();
  EXPECT_FALSE(Flash());
  EXPECT_FALSE(Exists(css));
}

}  // namespace zt::test
