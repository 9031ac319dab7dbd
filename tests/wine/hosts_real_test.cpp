// The hosts file writer and the list store against the real file system
// under Wine: backup, rewrite, restore byte for byte, read-only files and
// the messages they give, the list file round trip.
#include <gtest/gtest.h>

#include "lang/texts.h"
#include <windows.h>

#include <vector>

#include "app/app_state.h"
#include "hosts/hosts_file.h"
#include "hosts/hosts_io.h"
#include "hosts/hosts_list.h"
#include "platform/sim/sim_timer.h"
#include "platform/win32/win32_desktop.h"
#include "platform/win32/win32_download.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_services.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_system.h"
#include "platform/win32/win32_worker.h"
#include "recording_view.h"
#include "wine_support.h"

namespace zt::test {
namespace {

// The real system, with message boxes recorded instead of shown.
class QuietSystem : public Win32System {
 public:
  int MessageBox(const std::string& text, const std::string&, unsigned) override {
    texts.push_back(text);
    return IDYES;
  }
  std::vector<std::string> texts;
};

constexpr char kOld[] = "# comment one\r\n#comment two\r\n127.0.0.1 localhost\r\n1.2.3.4 old.example\r\n";

class HostsReal : public ::testing::Test {
 protected:
  void SetUp() override {
    CreateDirectoryA((dir.path() + "\\etc").c_str(), nullptr);
    CreateDirectoryA((dir.path() + "\\prog").c_str(), nullptr);
    CreateDirectoryA((dir.path() + "\\prog\\config").c_str(), nullptr);
    app.flags.IsAdmin = true;
    app.flags.IsNTFamily = true;
    app.flags.HostsDirectory = dir.path() + "\\etc\\";
    app.paths.ProgramDir = dir.path() + "\\prog\\";
    app.paths.HostsListFile = app.paths.ProgramDir + "config\\zapotrix_hosts.dat";
    WriteBytes(Hosts(), kOld);
    WriteBytes(app.paths.HostsListFile, "ads.example.com\r\ntrack.example.net\r\n");
  }
  std::string Hosts() { return dir.path() + "\\etc\\hosts"; }
  std::string Backup() { return dir.path() + "\\prog\\hosts_org.bak"; }

  TempDir dir;
  Win32Registry registry;
  QuietSystem system;
  Win32Desktop desktop;
  Win32ServiceManager services;
  Win32Shell shell;
  Win32Downloader downloader;
  Win32Worker worker;
  Platform os{registry, system, desktop, downloader, worker, services, shell};
  RecordingView view;
  SimTimer t1, t2;
  AppState app{os, view, t1, t2};
};

TEST_F(HostsReal, RewriteThenRestoreByteForByte) {
  ASSERT_TRUE(check_host_access(app.Hosts()));
  app.settings.hosts = true;
  ASSERT_TRUE(Exchange_host(app.Hosts(), app.settings));
  EXPECT_EQ("# comment one\r\n#comment two\r\n\r\n\r\n127.0.0.1  localhost\r\n"
            "127.0.0.1  ads.example.com\r\n127.0.0.1  track.example.net\r\n",
            ReadBytes(Hosts()));
  EXPECT_EQ(kOld, ReadBytes(Backup()));
  std::string first = ReadBytes(Hosts());
  hosts_dat_to_winhost(app.Hosts(), app.settings.host_ip);
  EXPECT_EQ(first, ReadBytes(Hosts()));
  EXPECT_EQ(kOld, ReadBytes(Backup()));

  app.settings.hosts = false;
  ASSERT_TRUE(Exchange_host(app.Hosts(), app.settings));
  EXPECT_EQ(kOld, ReadBytes(Hosts()));
  EXPECT_FALSE(FileExists(Backup()));
  EXPECT_TRUE(system.texts.empty());
}

TEST_F(HostsReal, ReadOnlyOrMissingHostsFileIsReportedAndLeftAlone) {
  SetFileAttributesA(Hosts().c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_FALSE(check_host_access(app.Hosts()));
  ASSERT_EQ(1u, system.texts.size());
  EXPECT_EQ(std::string(TextsFor(false).msg.hostsReadOnly), system.texts[0]);
  // The editor's OK calls the rewrite without the check: it must fail too.
  EXPECT_THROW(hosts_dat_to_winhost(app.Hosts(), app.settings.host_ip), HostsFileError);
  EXPECT_EQ(kOld, ReadBytes(Hosts()));
  SetFileAttributesA(Hosts().c_str(), FILE_ATTRIBUTE_NORMAL);

  DeleteFileA(Hosts().c_str());
  DeleteFileA(Backup().c_str());
  EXPECT_FALSE(check_host_access(app.Hosts()));
  EXPECT_THROW(hosts_dat_to_winhost(app.Hosts(), app.settings.host_ip), HostsFileError);
  EXPECT_FALSE(FileExists(Hosts()));
}

TEST_F(HostsReal, ReadOnlyBackupIsReportedInGerman) {
  WriteBytes(Backup(), "backup");
  SetFileAttributesA(Backup().c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_FALSE(check_host_access(app.Hosts()));
  ASSERT_EQ(1u, system.texts.size());
  EXPECT_EQ(std::string(TextsFor(false).msg.backupReadOnly), system.texts[0]);
  SetFileAttributesA(Backup().c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(HostsReal, NoBackupMeansNoRewrite) {
  CreateDirectoryA(Backup().c_str(), nullptr);  // the backup cannot be written there
  EXPECT_THROW(hosts_dat_to_winhost(app.Hosts(), app.settings.host_ip), HostsFileError);
  EXPECT_EQ(kOld, ReadBytes(Hosts()));
  RemoveDirectoryA(Backup().c_str());
}

TEST_F(HostsReal, FailedRestoreKeepsTheBackup) {
  app.settings.hosts = true;
  Exchange_host(app.Hosts(), app.settings);
  std::string blocking = ReadBytes(Hosts());
  SetFileAttributesA(Hosts().c_str(), FILE_ATTRIBUTE_READONLY);
  app.settings.hosts = false;
  EXPECT_FALSE(Exchange_host(app.Hosts(), app.settings));
  ASSERT_EQ(1u, system.texts.size());
  EXPECT_EQ(std::string(TextsFor(false).msg.hostsAccess), system.texts[0]);
  EXPECT_EQ(blocking, ReadBytes(Hosts()));
  EXPECT_EQ(kOld, ReadBytes(Backup()));
  SetFileAttributesA(Hosts().c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(HostsReal, ListFileRoundTripAndMissingConfigFolder) {
  NoHostsListView quiet;
  HostsListEditor ed(app.Hosts(), app.settings, quiet);
  WriteBytes(dir.path() + "\\in.txt", "\xEF\xBB\xBF" "127.0.0.1 b.com\r\n127.0.0.1 A.com\n# c\r0.0.0.0 d.com\r\n");
  ed.ImportFile(dir.path() + "\\in.txt");
  ed.Bt_OKClick();
  EXPECT_EQ("A.com\r\nb.com\r\n", ReadBytes(app.paths.HostsListFile));

  DeleteFileA(app.paths.HostsListFile.c_str());
  RemoveDirectoryA((dir.path() + "\\prog\\config").c_str());
  try {
    ed.savehosts_dat();
    FAIL() << "no error";
  } catch (const HostsFileError& e) {
    EXPECT_NE(std::string::npos, std::string(e.what()).find("does not exist"));
  }
}

TEST(SystemReal, DnsFlushAndDirectoryRemoval) {
  Win32System sys;
  sys.FlushDnsCache();  // present or not, it must not fail
  TempDir dir;
  std::string sub = dir.path() + "\\sub";
  ASSERT_TRUE(sys.CreateDirectory(sub));
  WriteBytes(sub + "\\f", "x");
  EXPECT_FALSE(sys.RemoveDirectory(sub));
  DeleteFileA((sub + "\\f").c_str());
  EXPECT_TRUE(sys.RemoveDirectory(sub));
}

}  // namespace
}  // namespace zt::test
