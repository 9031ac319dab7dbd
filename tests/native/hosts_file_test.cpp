// The system hosts file writer: the rewrite with its backup, the restore,
// the default reset, the access check and its messages, the address
// buttons, and the start-up step that calls it.
#include <gtest/gtest.h>

#include "lang/texts.h"

#include "hosts/hosts_file.h"
#include "hosts/hosts_io.h"
#include "sim_world.h"

namespace zt::test {

constexpr char kOldHosts[] =
    "# Copyright (c) 1993-1999 Microsoft Corp.\r\n"
    "#\r\n"
    "  # indented comment\r\n"
    "#127.0.0.1 disabled.example.com\r\n"
    "\r\n"
    "127.0.0.1       localhost\r\n"
    "10.0.0.5 intranet\n";

class HostsWriter : public ::testing::Test {
 protected:
  void SetUp() override {
    w.Install();
    main.FormCreate();  // Windows XP, administrator
    w.system.boxes.clear();
    w.system.PutFile(Hosts(), kOldHosts);
    w.system.PutFile(List(), "ads.example.com\r\n\r\ntrack.example.net\n");
  }
  std::string Hosts() { return "C:\\WINDOWS\\system32\\drivers\\etc\\hosts"; }
  std::string Backup() { return w.Dir() + "hosts_org.bak"; }
  std::string List() { return w.Dir() + "config\\zapotrix_hosts.dat"; }
  std::string Read(const std::string& p) { return w.system.ReadFile(p).value_or("<missing>"); }
  bool Exists(const std::string& p) { return w.system.FileAttributes(p).has_value(); }
  std::string Head() {
    return "# Copyright (c) 1993-1999 Microsoft Corp.\r\n#\r\n#127.0.0.1 disabled.example.com\r\n"
           "\r\n\r\n127.0.0.1  localhost\r\n";
  }

  SimWorld w;
  ZapotrixMain main{w.os, w.view, w.timer1, w.timerCheck};
  AppState& app = main.state();
};

TEST_F(HostsWriter, RewriteKeepsHashLinesAndWritesTheList) {
  app.settings.host_ip = "0.0.0.0";
  hosts_dat_to_winhost(app.Hosts(), app.settings.host_ip);
  EXPECT_EQ(Head() + "0.0.0.0  ads.example.com\r\n0.0.0.0  track.example.net\r\n", Read(Hosts()));
  EXPECT_EQ(kOldHosts, Read(Backup()));
  EXPECT_EQ(1, w.system.dnsFlushes);
}

TEST_F(HostsWriter, SecondRewriteChangesNothingAndKeepsTheFirstBackup) {
  hosts_dat_to_winhost(app.Hosts(), app.settings.host_ip);
  std::string first = Read(Hosts());
  hosts_dat_to_winhost(app.Hosts(), app.settings.host_ip);
  EXPECT_EQ(first, Read(Hosts()));
  EXPECT_EQ(kOldHosts, Read(Backup()));
}

TEST_F(HostsWriter, PrefixOnlyForExactLoopbackAndLocalhostNamesSkipped) {
  w.system.PutFile(List(), "my.localhost.net\r\nLOCALHOST.org\r\nlocalhost\r\n");
  for (const char* ip : {"127.0.0.1 ", "", "10.0.0.1"}) {
    app.settings.host_ip = ip;
    hosts_dat_to_winhost(app.Hosts(), app.settings.host_ip);
    EXPECT_EQ(Head() + "0.0.0.0  LOCALHOST.org\r\n", Read(Hosts())) << ip;
  }
  app.settings.host_ip = "127.0.0.1";
  hosts_dat_to_winhost(app.Hosts(), app.settings.host_ip);
  EXPECT_EQ(Head() + "127.0.0.1  LOCALHOST.org\r\n", Read(Hosts()));
}

TEST_F(HostsWriter, EmptyOrMissingListWritesOnlyTheHead) {
  w.system.PutFile(List(), "");
  hosts_dat_to_winhost(app.Hosts(), app.settings.host_ip);
  EXPECT_EQ(Head(), Read(Hosts()));
  w.system.DeleteFile(List());
  hosts_dat_to_winhost(app.Hosts(), app.settings.host_ip);
  EXPECT_EQ(Head(), Read(Hosts()));
}

TEST_F(HostsWriter, ListWithByteOrderMarkAndMixedLineEnds) {
  w.system.PutFile(List(), "\xEF\xBB\xBF" "a.com\rb.com\n\nc.com\r\n");
  hosts_dat_to_winhost(app.Hosts(), app.settings.host_ip);
  EXPECT_EQ(Head() + "127.0.0.1  a.com\r\n127.0.0.1  b.com\r\n127.0.0.1  c.com\r\n", Read(Hosts()));
}

TEST_F(HostsWriter, AccessCheckAndItsMessages) {
  EXPECT_TRUE(check_host_access(app.Hosts()));
  EXPECT_TRUE(w.system.boxes.empty());

  app.flags.IsAdmin = false;
  EXPECT_FALSE(check_host_access(app.Hosts()));
  EXPECT_TRUE(w.system.boxes.empty());
  app.flags.IsAdmin = true;

  w.system.SetFileAttributes(Hosts(), kAttrReadOnly);
  EXPECT_FALSE(check_host_access(app.Hosts()));
  ASSERT_EQ(1u, w.system.boxes.size());
  EXPECT_EQ(std::string(TextsFor(false).msg.hostsReadOnly), w.system.boxes[0].text);
  EXPECT_EQ("Zapotrix", w.system.boxes[0].caption);
  EXPECT_EQ(kMbIconError, w.system.boxes[0].flags);
  w.system.SetFileAttributes(Hosts(), 0);

  app.flags.IsGerman = true;
  w.system.DeleteFile(Hosts());
  EXPECT_FALSE(check_host_access(app.Hosts()));
  EXPECT_EQ(std::string(TextsFor(true).msg.hostsReadOnly), w.system.boxes[1].text);
  EXPECT_FALSE(Exists(Hosts()));  // nothing created
  w.system.PutFile(Hosts(), kOldHosts);
  app.flags.IsGerman = false;

  w.system.PutFile(Backup(), "old");
  w.system.SetFileAttributes(Backup(), kAttrReadOnly);
  EXPECT_FALSE(check_host_access(app.Hosts()));
  EXPECT_EQ(std::string(TextsFor(false).msg.backupReadOnly),
            w.system.boxes[2].text);
}

TEST_F(HostsWriter, NoBackupNoRewrite) {
  w.system.failWrites = true;
  EXPECT_THROW(hosts_dat_to_winhost(app.Hosts(), app.settings.host_ip), HostsFileError);
  w.system.failWrites = false;
  EXPECT_EQ(kOldHosts, Read(Hosts()));
  EXPECT_FALSE(Exists(Backup()));
}

TEST_F(HostsWriter, BackupThatDoesNotMatchTheHostsFileIsNoBackup) {
  // The copy came out short: it is not trusted, removed, and the hosts
  // file is not touched.
  w.system.cutShortPath = Backup();
  w.system.cutShortAt = 10;
  EXPECT_THROW(hosts_dat_to_winhost(app.Hosts(), app.settings.host_ip), HostsFileError);
  EXPECT_EQ(kOldHosts, Read(Hosts()));
  EXPECT_FALSE(Exists(Backup()));

  // Once the disk is sound again a whole backup is made.
  w.system.cutShortPath.clear();
  hosts_dat_to_winhost(app.Hosts(), app.settings.host_ip);
  EXPECT_EQ(kOldHosts, Read(Backup()));
}

TEST_F(HostsWriter, RestoreThatDoesNotReadBackKeepsTheBackup) {
  app.settings.hosts = true;
  Exchange_host(app.Hosts(), app.settings);
  w.system.cutShortPath = Hosts();
  w.system.cutShortAt = 5;
  app.settings.hosts = false;
  EXPECT_FALSE(Exchange_host(app.Hosts(), app.settings));
  EXPECT_EQ(kOldHosts, Read(Backup()));
  ASSERT_EQ(1u, w.system.boxes.size());
  EXPECT_EQ(TextsFor(false).msg.hostsAccess, w.system.boxes[0].text);
}

TEST_F(HostsWriter, MissingHostsFileIsNotCreatedByTheEditorPath) {
  w.system.DeleteFile(Hosts());
  EXPECT_THROW(hosts_dat_to_winhost(app.Hosts(), app.settings.host_ip), HostsFileError);
  EXPECT_FALSE(Exists(Hosts()));
  EXPECT_FALSE(Exists(Backup()));
}

TEST_F(HostsWriter, FailedWriteLeavesTheOldFileWhole) {
  hosts_dat_to_winhost(app.Hosts(), app.settings.host_ip);
  std::string blocking = Read(Hosts());
  w.system.PutFile(List(), "other.com\r\n");
  w.system.SetFileAttributes(Hosts(), kAttrReadOnly);
  EXPECT_THROW(hosts_dat_to_winhost(app.Hosts(), app.settings.host_ip), HostsFileError);
  EXPECT_EQ(blocking, Read(Hosts()));
  EXPECT_EQ(kOldHosts, Read(Backup()));
}

TEST_F(HostsWriter, ListPathThatIsAFolderReadsAsAnEmptyList) {
  w.system.DeleteFile(List());
  w.system.CreateDirectory(List());  // exists, cannot be read as a file
  w.system.PutFile(Backup(), kOldHosts);
  hosts_dat_to_winhost(app.Hosts(), app.settings.host_ip);  // a directory is no list file: empty list
  EXPECT_EQ(Head(), Read(Hosts()));
}

TEST_F(HostsWriter, SwitchingOffRestoresByteForByteAndRemovesTheBackup) {
  app.settings.hosts = true;
  EXPECT_TRUE(Exchange_host(app.Hosts(), app.settings));
  EXPECT_NE(kOldHosts, Read(Hosts()));
  app.settings.hosts = false;
  EXPECT_TRUE(Exchange_host(app.Hosts(), app.settings));
  EXPECT_EQ(kOldHosts, Read(Hosts()));
  EXPECT_FALSE(Exists(Backup()));
  EXPECT_TRUE(Exchange_host(app.Hosts(), app.settings));  // again: nothing to restore
  EXPECT_EQ(kOldHosts, Read(Hosts()));
}

TEST_F(HostsWriter, FailedRestoreKeepsTheBackupAndSaysSo) {
  app.settings.hosts = true;
  Exchange_host(app.Hosts(), app.settings);
  std::string blocking = Read(Hosts());
  w.system.SetFileAttributes(Hosts(), kAttrReadOnly);
  app.settings.hosts = false;
  EXPECT_FALSE(Exchange_host(app.Hosts(), app.settings));
  ASSERT_EQ(1u, w.system.boxes.size());
  EXPECT_EQ(std::string(TextsFor(false).msg.hostsAccess), w.system.boxes[0].text);
  EXPECT_EQ(blocking, Read(Hosts()));
  EXPECT_EQ(kOldHosts, Read(Backup()));
}

TEST_F(HostsWriter, DialogOkFallsBackWhenTheFileCannotBeWritten) {
  app.settings.hosts = true;
  w.system.SetFileAttributes(Hosts(), kAttrReadOnly);
  HostsDialogOk(app.Hosts(), app.settings, false);
  EXPECT_FALSE(app.settings.hosts);
  w.system.SetFileAttributes(Hosts(), 0);
  app.settings.hosts = true;
  HostsDialogOk(app.Hosts(), app.settings, false);
  EXPECT_TRUE(app.settings.hosts);
  EXPECT_TRUE(Exists(Backup()));
}

TEST_F(HostsWriter, DialogOkFallsBackAndTellsWhenTheRewriteFails) {
  // The rewrite throws (a full disk): blocking must not read as switched on.
  app.settings.hosts = true;
  w.system.failWrites = true;
  HostsDialogOk(app.Hosts(), app.settings, false);
  EXPECT_FALSE(app.settings.hosts);
  ASSERT_EQ(1u, w.system.boxes.size());
  EXPECT_EQ(TextsFor(false).msg.backupReadOnly, w.system.boxes[0].text);
  EXPECT_EQ(kOldHosts, Read(Hosts()));

  // With the backup in place the rewrite itself fails and names the cause.
  w.system.failWrites = false;
  w.system.PutFile(Backup(), kOldHosts);
  w.system.failWrites = true;
  app.settings.hosts = true;
  HostsDialogOk(app.Hosts(), app.settings, false);
  EXPECT_FALSE(app.settings.hosts);
  ASSERT_EQ(2u, w.system.boxes.size());
  EXPECT_EQ(SaveFailedText(TextsFor(false), Format(TextsFor(false).msg.cannotWrite, {Hosts()}), WriteError::DiskFull),
            w.system.boxes[1].text);
}

TEST_F(HostsWriter, StandardButtonResetsAndSwitchesBlockingOff) {
  app.settings.hosts = true;
  Exchange_host(app.Hosts(), app.settings);
  w.system.answers = {kIdNo};
  EXPECT_FALSE(Button_hostDefClick(app.Hosts(), app.settings));
  EXPECT_TRUE(app.settings.hosts);
  EXPECT_TRUE(Exists(Backup()));
  EXPECT_EQ(std::string(TextsFor(false).msg.restoreDefaults), w.system.boxes[0].text);
  EXPECT_EQ(kMbYesNo | kMbIconQuestion, w.system.boxes[0].flags);

  EXPECT_TRUE(Button_hostDefClick(app.Hosts(), app.settings));
  EXPECT_FALSE(app.settings.hosts);
  EXPECT_EQ(Head(), Read(Hosts()));
  EXPECT_FALSE(Exists(Backup()));

  // The next rewrite backs up the default file.
  hosts_dat_to_winhost(app.Hosts(), app.settings.host_ip);
  EXPECT_EQ(Head(), Read(Backup()));
}

TEST_F(HostsWriter, StandardButtonKeepsTheBackupWhenTheResetFails) {
  app.settings.hosts = true;
  Exchange_host(app.Hosts(), app.settings);
  w.system.failWrites = true;
  EXPECT_THROW(Button_hostDefClick(app.Hosts(), app.settings), HostsFileError);
  w.system.failWrites = false;
  EXPECT_EQ(kOldHosts, Read(Backup()));
  EXPECT_TRUE(app.settings.hosts);
}

TEST(HostsRadio, ButtonsChooseTheAddress) {
  Settings s;
  EXPECT_TRUE(RadioButton_B127Click(s, false));
  EXPECT_EQ("0.0.0.0", s.host_ip);
  EXPECT_FALSE(RadioButton_B127Click(s, true));
  EXPECT_EQ("127.0.0.1", s.host_ip);
  EXPECT_FALSE(RadioButton_B0Click(s, true));
  EXPECT_EQ("0.0.0.0", s.host_ip);
  EXPECT_TRUE(RadioButton_B0Click(s, false));
  EXPECT_EQ("127.0.0.1", s.host_ip);
}

class HostsAtStartUp : public ::testing::Test {
 protected:
  void Start(bool hosts, bool onStartup, bool failWrites = false) {
    w.Install();
    w.system.PutFile("C:\\WINDOWS\\system32\\drivers\\etc\\hosts", kOldHosts);
    w.registry.CreateKey(HKey::CurrentUser, kSettingsKey);
    Settings s;
    s.hosts = hosts;
    s.hosts_onstartup = onStartup;
    RegIniSave(w.registry, s);
    w.system.failWrites = failWrites;
    main.FormCreate();
    w.system.failWrites = false;
  }
  SimWorld w;
  ZapotrixMain main{w.os, w.view, w.timer1, w.timerCheck};
};

TEST_F(HostsAtStartUp, RewritesOnlyWhenBothSettingsAreOn) {
  Start(true, false);
  EXPECT_EQ(kOldHosts, w.system.ReadFile("C:\\WINDOWS\\system32\\drivers\\etc\\hosts").value_or(""));
}

TEST_F(HostsAtStartUp, RewritesWithBothOn) {
  Start(true, true);
  EXPECT_NE(std::string::npos, w.system.ReadFile("C:\\WINDOWS\\system32\\drivers\\etc\\hosts")
                                   .value_or("")
                                   .find("127.0.0.1  ads.example.com\r\n"));
  EXPECT_TRUE(w.timer1.enabled);
}

TEST_F(HostsAtStartUp, AFileErrorIsShownAndStartUpGoesOn) {
  Start(true, true, true);  // the backup cannot be made
  ASSERT_EQ(1u, w.system.boxes.size());
  EXPECT_EQ(std::string(TextsFor(false).msg.backupReadOnly),
            w.system.boxes[0].text);
  EXPECT_EQ(kMbIconError, w.system.boxes[0].flags);
  EXPECT_EQ(kOldHosts, w.system.ReadFile("C:\\WINDOWS\\system32\\drivers\\etc\\hosts").value_or(""));
  EXPECT_TRUE(w.timer1.enabled);
}

// Windows 95/98/Me: the resolver reads HOSTS in the Windows folder, which
// exists only once someone made it; earlier versions wrote hosts.sam and
// left a backup of it without the mark that names HOSTS.
constexpr char kSam[] = "C:\\WINDOWS\\hosts.sam";
constexpr char kNineXHosts[] = "C:\\WINDOWS\\HOSTS";
constexpr char kSamOriginal[] = "# Copyright (c) 1998 Microsoft Corp.\r\n127.0.0.1       localhost\r\n";
constexpr char kSamBlocked[] = "\r\n\r\n127.0.0.1  localhost\r\n127.0.0.1  old.example.com\r\n";
constexpr char kBlocked[] = "\r\n\r\n127.0.0.1  localhost\r\n127.0.0.1  ads.example.com\r\n";

class HostsNineX : public ::testing::Test {
 protected:
  void SetUp() override {
    w.Install();
    w.system.version = {1, 4, 10, 0x040A08AE};
    w.system.CreateDirectory("C:\\WINDOWS");
  }
  void Start(bool hosts, bool onStartup) {
    Settings s;
    s.hosts = hosts;
    s.hosts_onstartup = onStartup;
    RegIniSave(w.registry, s);
    main.FormCreate();
  }
  std::string Backup() { return w.Dir() + "hosts_org.bak"; }
  std::string Mark() { return w.Dir() + "hosts_org.txt"; }
  std::string Read(const std::string& p) { return w.system.ReadFile(p).value_or("<missing>"); }

  SimWorld w;
  ZapotrixMain main{w.os, w.view, w.timer1, w.timerCheck};
  AppState& app = main.state();
};

TEST(HostsFileName, HostsOnTheNtFamilyAndHostsInTheWindowsFolderOtherwise) {
  EXPECT_EQ("C:\\WINDOWS\\system32\\drivers\\etc\\hosts", HostsFilePath("C:\\WINDOWS\\system32\\drivers\\etc\\", true));
  EXPECT_EQ(kNineXHosts, HostsFilePath("C:\\WINDOWS\\", false));
  EXPECT_EQ(kSam, LegacyHostsFilePath(kNineXHosts));
  EXPECT_EQ("D:\\Apps\\Zapotrix\\hosts_org.txt", HostsBackupMarkPath("D:\\Apps\\Zapotrix\\hosts_org.bak"));
}

// What the start of the program does with a backup it finds, by system,
// mark and settings.
TEST(HostsNineXStart, ReturnsABackupOfHostsSamOnceAndBlocksThroughHosts) {
  struct Case {
    const char* name;
    bool nt, marked, hosts, onStartup, samReadOnly;
    // Afterwards: hosts.sam, HOSTS, the backup, the mark, a message.
    const char *sam, *hostsFile, *backup, *mark, *message;
  };
  const char* missing = "<missing>";
  const char* marked = "C:\\WINDOWS\\HOSTS\r\n";
  const char* access = TextsFor(false).msg.hostsAccess;
  const Case cases[] = {
      // Blocking was on through hosts.sam: hosts.sam is itself again, and
      // HOSTS is written at once, whatever hosts_onstartup says.
      {"legacy, on", false, false, true, false, false, kSamOriginal, kBlocked, "", marked, nullptr},
      {"legacy, on at start", false, false, true, true, false, kSamOriginal, kBlocked, "", marked, nullptr},
      // Blocking was switched off in the settings but not in hosts.sam.
      {"legacy, off", false, false, false, false, false, kSamOriginal, missing, missing, missing, nullptr},
      // The backup is HOSTS's own: hosts.sam is not ours, nothing moves.
      {"marked, on at start", false, true, true, true, false, kSamBlocked, kBlocked, kSamOriginal, marked, nullptr},
      // hosts.sam cannot take its backup: it stays, and HOSTS waits.
      {"legacy, hosts.sam read-only", false, false, true, true, true, kSamBlocked, missing, kSamOriginal, missing,
       access},
      // The NT family has no earlier file name.
      {"NT family", true, false, true, false, false, kSamBlocked, missing, kSamOriginal, missing, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SimWorld world;
    world.Install();
    if (!c.nt) world.system.version = {1, 4, 10, 0x040A08AE};
    world.system.PutFile(kSam, kSamBlocked);
    world.system.PutFile("C:\\WINDOWS\\system32\\drivers\\etc\\hosts", "# nt\r\n");
    world.system.PutFile(world.Dir() + "hosts_org.bak", kSamOriginal);
    if (c.marked) world.system.PutFile(world.Dir() + "hosts_org.txt", marked);
    if (c.samReadOnly) world.system.SetFileAttributes(kSam, kAttrReadOnly);
    Settings s;
    s.hosts = c.hosts;
    s.hosts_onstartup = c.onStartup;
    RegIniSave(world.registry, s);
    ZapotrixMain m(world.os, world.view, world.timer1, world.timerCheck);
    m.FormCreate();
    auto read = [&](const std::string& p) { return world.system.ReadFile(p).value_or(missing); };
    EXPECT_EQ(c.sam, read(kSam));
    EXPECT_EQ(c.hostsFile, read(kNineXHosts));
    EXPECT_EQ(c.backup, read(world.Dir() + "hosts_org.bak"));
    EXPECT_EQ(c.mark, read(world.Dir() + "hosts_org.txt"));
    EXPECT_EQ("# nt\r\n", read("C:\\WINDOWS\\system32\\drivers\\etc\\hosts"));
    ASSERT_EQ(c.message ? 1u : 0u, world.system.boxes.size());
    if (c.message) {
      EXPECT_EQ(c.message, world.system.boxes[0].text);
    }
    EXPECT_TRUE(world.timer1.enabled);
  }
}

TEST_F(HostsNineX, BlockingOnAndOffWithoutAHostsFileLeavesAnEmptyOne) {
  Start(false, false);
  ASSERT_FALSE(app.flags.IsNTFamily);
  EXPECT_TRUE(check_host_access(app.Hosts()));  // a missing HOSTS may be made
  app.settings.hosts = true;
  HostsDialogOk(app.Hosts(), app.settings, false);
  EXPECT_TRUE(app.settings.hosts);
  EXPECT_EQ(kBlocked, Read(kNineXHosts));
  EXPECT_EQ("", Read(Backup()));
  EXPECT_EQ("C:\\WINDOWS\\HOSTS\r\n", Read(Mark()));
  EXPECT_EQ("<missing>", Read(kSam));  // never made

  // A second start finds HOSTS's own backup: nothing moves.
  ZapotrixMain again(w.os, w.view, w.timer1, w.timerCheck);
  again.FormCreate();
  EXPECT_EQ(kBlocked, Read(kNineXHosts));
  EXPECT_EQ("", Read(Backup()));

  app.settings.hosts = false;
  HostsDialogOk(app.Hosts(), app.settings, true);
  EXPECT_EQ("", Read(kNineXHosts));  // resolves as no file does
  EXPECT_EQ("<missing>", Read(Backup()));
  EXPECT_EQ("<missing>", Read(Mark()));
  EXPECT_TRUE(w.system.boxes.empty());
}

TEST_F(HostsNineX, AMarkThatCannotBeWrittenStopsTheRewrite) {
  Start(false, false);
  w.system.PutFile(kNineXHosts, "# mine\r\n");
  w.system.CreateDirectory(Mark());  // in the way
  EXPECT_THROW(hosts_dat_to_winhost(app.Hosts(), app.settings.host_ip), HostsFileError);
  EXPECT_EQ("# mine\r\n", Read(kNineXHosts));
  EXPECT_EQ("<missing>", Read(Backup()));
}

TEST_F(HostsNineX, StandardButtonGivesHostsSamItsBackupFirst) {
  Start(false, false);
  w.system.PutFile(kSam, kSamBlocked);
  w.system.PutFile(Backup(), kSamOriginal);  // no mark: taken of hosts.sam
  w.system.PutFile(kNineXHosts, "# mine\r\n10.0.0.1 box\r\n");
  w.system.answers = {kIdYes};
  EXPECT_TRUE(Button_hostDefClick(app.Hosts(), app.settings));
  EXPECT_EQ(kSamOriginal, Read(kSam));
  EXPECT_EQ("# mine\r\n\r\n\r\n127.0.0.1  localhost\r\n", Read(kNineXHosts));
  EXPECT_EQ("<missing>", Read(Backup()));
  EXPECT_EQ("<missing>", Read(Mark()));
}

}  // namespace zt::test
