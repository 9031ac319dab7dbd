// zapotrix.exe end to end under Wine for the system integration: the hosts
// file rewrite at start-up in Windows XP and Windows 98 mode, the autostart
// entry, the six services, the Flash kill bit and the Mozilla style sheet.
// Each test starts the program from a fresh program folder and puts every
// machine-wide thing it touched back as it was.
#include <gtest/gtest.h>

#include "lang/texts.h"
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <map>
#include <vector>

#include "platform/win32/win32_registry.h"
#include "system/filters.h"
#include "system/probes.h"
#include "system/services.h"
#include "system/settings.h"
#include "wine_support.h"

namespace zt::test {
namespace {

const char* const kAppDefaults = "Software\\Wine\\AppDefaults\\zapotrix.exe";

std::string SystemDir() {
  char buf[MAX_PATH] = {};
  GetSystemDirectoryA(buf, MAX_PATH);
  return buf;
}
std::string WindowsDir() {
  char buf[MAX_PATH] = {};
  GetWindowsDirectoryA(buf, MAX_PATH);
  return buf;
}

// A file put back as it was (content and presence) when the test ends.
class SavedFile {
 public:
  explicit SavedFile(std::string path) : path_(std::move(path)), existed_(FileExists(path_)) {
    if (existed_) bytes_ = ReadBytes(path_);
  }
  ~SavedFile() {
    SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (existed_) WriteBytes(path_, bytes_);
    else DeleteFileA(path_.c_str());
  }
  SavedFile(const SavedFile&) = delete;
  SavedFile& operator=(const SavedFile&) = delete;

 private:
  std::string path_;
  bool existed_;
  std::string bytes_;
};

class SystemE2E : public ::testing::Test {
 protected:
  void SetUp() override {
    LayOutProgram(dir.path());
    exe = dir.path() + "\\zapotrix.exe";
    reg.DeleteKey(HKey::CurrentUser, kSettingsKey);
    reg.DeleteValue(HKey::LocalMachine, kRunKey, kRunValue);
  }
  void TearDown() override {
    reg.DeleteKey(HKey::CurrentUser, kSettingsKey);
    // An entry left here would be started by the next wineboot.
    reg.DeleteValue(HKey::LocalMachine, kRunKey, kRunValue);
    reg.DeleteValue(HKey::CurrentUser, kAppDefaults, "Version");
    reg.DeleteKey(HKey::CurrentUser, kAppDefaults);
    // What a program that did not end normally may have left.
    reg.DeleteKey(HKey::LocalMachine, kInstalledKey);
  }

  // The Windows version zapotrix.exe sees.
  void Mode(const char* version) {
    reg.CreateKey(HKey::CurrentUser, kAppDefaults);
    reg.SetString(HKey::CurrentUser, kAppDefaults, "Version", version);
  }
  // Settings with no autostart unless asked for, saved whole (the reading
  // stops at the first missing value).
  static Settings Quiet() {
    Settings s;
    s.AutoStart = false;
    return s;
  }
  void Save(const Settings& s) { RegIniSave(reg, s); }

  // Waits until the start-up order has run to its end (the first scan
  // cycle has set the activity panel); answers a message box with OK
  // through onBox first when one comes.
  HWND Ready(ProgramProcess& p, const std::function<void(const std::string&)>& onBox = nullptr) {
    HWND main = p.WaitForMainWindow();
    if (!main) {
      HWND box = p.WaitForMessageBox(0);
      ADD_FAILURE() << "no main window; exited: " << p.WaitForExit(0)
                    << (box ? " message: " + MessageBoxText(box) : std::string());
      return nullptr;
    }
    std::string panel;
    bool ready = WaitUntil([&] {
      if (HWND box = p.WaitForMessageBox(0)) {
        std::string text = MessageBoxText(box);
        if (onBox) onBox(text);
        else ADD_FAILURE() << "unexpected message: " << text;
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        // Gone before the next look, so that no box is answered twice.
        if (!WaitUntil([&] { return !IsWindow(box); }, 5000)) ADD_FAILURE() << "message box stays: " << text;
      }
      // The first scan cycle replaces the initial " standby". The status
      // bar may not exist yet when the window is first found.
      HWND status = FindWindowExA(main, nullptr, STATUSCLASSNAMEA, nullptr);
      panel = status ? StatusPanelText(status, 6) : "";
      return panel == " Standby" || panel == " Active";
    }, 20000);
    if (!ready) ADD_FAILURE() << "start-up did not end; activity panel: \"" << panel << "\"";
    return ready ? main : nullptr;
  }
  void Quit(ProgramProcess& p, HWND main) {
    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(p.WaitForExit()) << "zapotrix.exe still runs after the quit command";
  }
  void RunOnce(const std::function<void(const std::string&)>& onBox = nullptr) {
    ProgramProcess p(exe);
    ASSERT_TRUE(p.started());
    HWND main = Ready(p, onBox);
    ASSERT_NE(nullptr, main);
    Quit(p, main);
  }

  Win32Registry reg;
  TempDir dir;
  std::string exe;
};

// ---- hosts file ----

constexpr char kOldHosts[] =
    "# Copyright (c) 1993-1999 Microsoft Corp.\r\n"
    "# This is a sample HOSTS file.\r\n"
    "127.0.0.1       localhost\r\n"
    "10.1.1.1 intranet.example\r\n"
    "192.168.0.9 printer\r\n";
constexpr char kBlockingHosts[] =
    "# Copyright (c) 1993-1999 Microsoft Corp.\r\n"
    "# This is a sample HOSTS file.\r\n"
    "\r\n"
    "\r\n"
    "127.0.0.1  localhost\r\n"
    "0.0.0.0  ads.example.com\r\n"
    "0.0.0.0  track.example.net\r\n";

class HostsE2E : public SystemE2E {
 protected:
  void Prepare(const std::string& hostsPath) {
    WriteBytes(hostsPath, kOldHosts);
    WriteBytes(dir.path() + "\\config\\zapotrix_hosts.dat", "ads.example.com\r\ntrack.example.net\r\n");
    Settings s = Quiet();
    s.hosts = true;
    s.hosts_onstartup = true;
    s.host_ip = "0.0.0.0";
    Save(s);
  }
  std::string Backup() { return dir.path() + "\\hosts_org.bak"; }
};

TEST_F(HostsE2E, WindowsXpRewritesTheHostsFileAndKeepsItsBackup) {
  std::string hosts = SystemDir() + "\\drivers\\etc\\hosts";
  SavedFile keep(hosts);
  Mode("winxp");
  Prepare(hosts);
  RunOnce();
  EXPECT_EQ(kBlockingHosts, ReadBytes(hosts));
  EXPECT_EQ(kOldHosts, ReadBytes(Backup()));
  // A second start rewrites to the same bytes and keeps the first backup.
  RunOnce();
  EXPECT_EQ(kBlockingHosts, ReadBytes(hosts));
  EXPECT_EQ(kOldHosts, ReadBytes(Backup()));
}

TEST_F(HostsE2E, ReadOnlyHostsFileGivesTheMessageAndNoChange) {
  std::string hosts = SystemDir() + "\\drivers\\etc\\hosts";
  SavedFile keep(hosts);
  Mode("winxp");
  Prepare(hosts);
  SetFileAttributesA(hosts.c_str(), FILE_ATTRIBUTE_READONLY);
  std::vector<std::string> boxes;
  RunOnce([&](const std::string& t) { boxes.push_back(t); });
  ASSERT_EQ(1u, boxes.size());
  EXPECT_EQ(std::string(TextsFor(false).msg.hostsReadOnly), boxes[0]);
  EXPECT_EQ(kOldHosts, ReadBytes(hosts));
  EXPECT_FALSE(FileExists(Backup()));
}

TEST_F(HostsE2E, Windows98WritesHostsInTheWindowsDirectory) {
  std::string hosts = WindowsDir() + "\\HOSTS";
  std::string sam = WindowsDir() + "\\hosts.sam";
  std::string nt = SystemDir() + "\\drivers\\etc\\hosts";
  SavedFile keepHosts(hosts), keepSam(sam), keepNt(nt);
  std::string ntBefore = ReadBytes(nt);
  DeleteFileA(sam.c_str());
  Mode("win98");
  Prepare(hosts);
  RunOnce();
  EXPECT_EQ(kBlockingHosts, ReadBytes(hosts));
  EXPECT_EQ(kOldHosts, ReadBytes(Backup()));
  EXPECT_EQ(ntBefore, ReadBytes(nt));
  EXPECT_FALSE(FileExists(sam));
}

// ---- autostart ----

TEST_F(SystemE2E, AutostartReplacesAForeignEntryAndRemovesItWhenOff) {
  Mode("winxp");
  reg.CreateKey(HKey::LocalMachine, kRunKey);
  reg.SetString(HKey::LocalMachine, kRunKey, kRunValue, "\"C:\\old place\\zapotrix.exe\"");
  Save(Settings());  // AutoStart on
  RunOnce();
  auto v = reg.QueryValue(HKey::LocalMachine, kRunKey, kRunValue);
  ASSERT_TRUE(v);
  EXPECT_EQ(RegType::Sz, v->type);
  EXPECT_EQ("\"" + exe + "\"", v->data);

  reg.SetString(HKey::LocalMachine, kRunKey, kRunValue, "C:\\someone\\else.exe");
  Save(Quiet());
  RunOnce();
  EXPECT_FALSE(reg.QueryValue(HKey::LocalMachine, kRunKey, kRunValue));
}

// ---- Flash kill bit ----

TEST_F(SystemE2E, FlashKillBitLivesWhileTheProgramRuns) {
  Mode("winxp");
  Settings s = Quiet();
  s.Flash7 = true;
  Save(s);
  ProgramProcess p(exe);
  HWND main = Ready(p);
  ASSERT_NE(nullptr, main);
  auto v = reg.QueryValue(HKey::LocalMachine, kFlashKey, kFlashValue);
  ASSERT_TRUE(v);
  EXPECT_EQ(RegType::Dword, v->type);
  EXPECT_EQ(1024u, v->dword);
  Quit(p, main);
  EXPECT_FALSE(reg.OpenKey(HKey::LocalMachine, kFlashKey, false));
}

TEST_F(SystemE2E, AKillBitThatWasThereSurvives) {
  Mode("winxp");
  reg.CreateKey(HKey::LocalMachine, kFlashKey);
  reg.SetDword(HKey::LocalMachine, kFlashKey, kFlashValue, 0x400);
  Settings s = Quiet();
  s.Flash7 = true;
  Save(s);
  RunOnce();
  auto v = reg.QueryValue(HKey::LocalMachine, kFlashKey, kFlashValue);
  ASSERT_TRUE(v);
  EXPECT_EQ(0x400u, v->dword);
  reg.DeleteValue(HKey::LocalMachine, kFlashKey, kFlashValue);
  reg.DeleteKey(HKey::LocalMachine, kFlashKey);
}

// ---- Mozilla style sheet ----

class MozillaE2E : public SystemE2E {
 protected:
  const char* const kShellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
  const char* const kMozillaKey = "Software\\Mozilla\\Mozilla Firefox 1.0.7";

  void SetUp() override {
    SystemE2E::SetUp();
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kShellFolders, 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
      DWORD size = sizeof saved_;
      hadPersonal_ = RegQueryValueExA(key, "Personal", nullptr, &savedType_, reinterpret_cast<BYTE*>(saved_), &size) ==
                     ERROR_SUCCESS;
      savedSize_ = size;
      std::string docs = dir.path() + "\\user\\My Documents";
      RegSetValueExA(key, "Personal", 0, REG_SZ, reinterpret_cast<const BYTE*>(docs.c_str()),
                     static_cast<DWORD>(docs.size() + 1));
      RegCloseKey(key);
    }
    for (const char* sub : {"\\user", "\\user\\My Documents", "\\user\\Application Data",
                            "\\user\\Application Data\\Mozilla", "\\user\\Application Data\\Mozilla\\Profiles",
                            "\\user\\Application Data\\Mozilla\\Profiles\\default",
                            "\\user\\Application Data\\Mozilla\\Profiles\\default\\ab12cd34.slt",
                            "\\user\\Application Data\\Mozilla\\Profiles\\default\\ab12cd34.slt\\chrome"})
      CreateDirectoryA((dir.path() + sub).c_str(), nullptr);
    reg.CreateKey(HKey::LocalMachine, std::string(kMozillaKey) + "\\bin");
    reg.SetString(HKey::LocalMachine, std::string(kMozillaKey) + "\\bin", "PathtoExe", "C:\\ff\\firefox.exe");
    Mode("winxp");
    Settings s = Quiet();
    s.Flash_MZ = true;
    Save(s);
  }
  void TearDown() override {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kShellFolders, 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
      if (hadPersonal_) RegSetValueExA(key, "Personal", 0, savedType_, reinterpret_cast<BYTE*>(saved_), savedSize_);
      else RegDeleteValueA(key, "Personal");
      RegCloseKey(key);
    }
    reg.DeleteKey(HKey::LocalMachine, std::string(kMozillaKey) + "\\bin");
    reg.DeleteKey(HKey::LocalMachine, kMozillaKey);
    reg.DeleteKey(HKey::LocalMachine, "Software\\Mozilla");  // only when we made it (it is then empty)
    SystemE2E::TearDown();
  }
  std::string Css() {
    return dir.path() + "\\user\\Application Data\\Mozilla\\Profiles\\default\\ab12cd34.slt\\chrome\\userContent.css";
  }

  bool hadPersonal_ = false;
  DWORD savedType_ = 0, savedSize_ = 0;
  char saved_[1024] = {};
};

TEST_F(MozillaE2E, StyleSheetCopiedIntoTheProfileAndTakenAwayAtQuit) {
  ProgramProcess p(exe);
  HWND main = Ready(p);
  ASSERT_NE(nullptr, main);
  EXPECT_EQ(ReadBytes(dir.path() + "\\config\\zapotrix_mozilla.dat"), ReadBytes(Css()));
  EXPECT_TRUE(FileExists(Css()));
  Quit(p, main);
  EXPECT_FALSE(FileExists(Css()));
}

TEST_F(MozillaE2E, TheUsersOwnStyleSheetIsLeftAlone) {
  WriteBytes(Css(), "/* mine */\r\n");
  RunOnce();
  EXPECT_EQ("/* mine */\r\n", ReadBytes(Css()));
}

// ---- services ----

const char* const kServiceNames[] = {"Messenger", "Alerter", "RemoteRegistry", "ERSvc", "wuauserv", "srservice"};

class ServicesE2E : public SystemE2E {
 protected:
  void SetUp() override {
    SystemE2E::SetUp();
    scm_ = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    ASSERT_NE(nullptr, scm_);
    std::string bin = BuildDir() + "\\fixture_service.exe";
    for (const char* name : kServiceNames) {
      SC_HANDLE s = OpenServiceA(scm_, name, SERVICE_ALL_ACCESS);
      if (s) {
        // Wine brings some of these names itself: keep its start type.
        std::vector<char> buf(8192);
        DWORD need = 0;
        auto* cfg = reinterpret_cast<QUERY_SERVICE_CONFIGA*>(buf.data());
        if (QueryServiceConfigA(s, cfg, static_cast<DWORD>(buf.size()), &need)) wineStart_[name] = cfg->dwStartType;
      } else {
        s = CreateServiceA(scm_, name, name, SERVICE_ALL_ACCESS, SERVICE_WIN32_OWN_PROCESS, SERVICE_DEMAND_START,
                           SERVICE_ERROR_IGNORE, bin.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(nullptr, s) << name << " " << GetLastError();
        created_.push_back(name);
      }
      CloseServiceHandle(s);
    }
    hadControlSet_ = reg.OpenKey(HKey::LocalMachine, "System\\ControlSet001", false);
    hadRestoreKey_ = reg.OpenKey(HKey::LocalMachine, kSystemRestoreKey, false);
    reg.CreateKey(HKey::LocalMachine, kSystemRestoreKey);
    for (const char* name : kServiceNames) reg.CreateKey(HKey::LocalMachine, std::string(kServicesKey) + name);
    Mode("winxp");
  }
  void TearDown() override {
    for (const char* name : kServiceNames) {
      SC_HANDLE s = OpenServiceA(scm_, name, SERVICE_ALL_ACCESS);
      if (!s) continue;
      SERVICE_STATUS st;
      ControlService(s, SERVICE_CONTROL_STOP, &st);
      WaitUntil([&] { return State(name) == SERVICE_STOPPED; }, 5000);
      if (wineStart_.count(name))
        ChangeServiceConfigA(s, SERVICE_NO_CHANGE, wineStart_[name], SERVICE_NO_CHANGE, nullptr, nullptr, nullptr,
                             nullptr, nullptr, nullptr, nullptr);
      CloseServiceHandle(s);
    }
    for (const std::string& name : created_) {
      SC_HANDLE s = OpenServiceA(scm_, name.c_str(), SERVICE_ALL_ACCESS);
      if (s) {
        DeleteService(s);
        CloseServiceHandle(s);
      }
    }
    if (scm_) CloseServiceHandle(scm_);
    for (const char* name : kServiceNames) reg.DeleteKey(HKey::LocalMachine, std::string(kServicesKey) + name);
    if (!hadControlSet_) {
      reg.DeleteKey(HKey::LocalMachine, "System\\ControlSet001\\Services");
      reg.DeleteKey(HKey::LocalMachine, "System\\ControlSet001");
    }
    if (!hadRestoreKey_) reg.DeleteKey(HKey::LocalMachine, kSystemRestoreKey);
    SystemE2E::TearDown();
  }

  DWORD State(const char* name) {
    SC_HANDLE s = OpenServiceA(scm_, name, SERVICE_QUERY_STATUS);
    if (!s) return 0;
    SERVICE_STATUS st = {};
    QueryServiceStatus(s, &st);
    CloseServiceHandle(s);
    return st.dwCurrentState;
  }
  DWORD ManagerStartType(const char* name) {
    SC_HANDLE s = OpenServiceA(scm_, name, SERVICE_QUERY_CONFIG);
    if (!s) return 0;
    std::vector<char> buf(8192);
    DWORD need = 0;
    auto* cfg = reinterpret_cast<QUERY_SERVICE_CONFIGA*>(buf.data());
    DWORD type = QueryServiceConfigA(s, cfg, static_cast<DWORD>(buf.size()), &need) ? cfg->dwStartType : 0;
    CloseServiceHandle(s);
    return type;
  }
  std::optional<uint32_t> Dword(const std::string& key, const char* value) {
    auto v = reg.QueryValue(HKey::LocalMachine, key, value);
    if (!v) return std::nullopt;
    return v->dword;
  }
  void StartNow(const char* name) {
    SC_HANDLE s = OpenServiceA(scm_, name, SERVICE_START);
    ASSERT_NE(nullptr, s);
    StartServiceA(s, 0, nullptr);
    CloseServiceHandle(s);
    ASSERT_TRUE(WaitUntil([&] { return State(name) == SERVICE_RUNNING; }, 10000)) << name;
  }

  SC_HANDLE scm_ = nullptr;
  std::vector<std::string> created_;
  std::map<std::string, DWORD> wineStart_;
  bool hadControlSet_ = false, hadRestoreKey_ = false;
};

TEST_F(ServicesE2E, SetSettingsDisableAndStopClearedOnesEnableAndStart) {
  StartNow("Messenger");
  StartNow("srservice");
  Settings s = Quiet();
  s.Services_NachrichtenDienst = true;
  s.Services_Systemwiederherstellung = true;
  Save(s);
  RunOnce();
  EXPECT_TRUE(WaitUntil([&] { return State("Messenger") == SERVICE_STOPPED; }, 10000));
  EXPECT_TRUE(WaitUntil([&] { return State("srservice") == SERVICE_STOPPED; }, 10000));
  EXPECT_EQ(4u, Dword(std::string(kServicesKey) + "Messenger", "Start").value_or(0));
  EXPECT_EQ(4u, Dword(std::string(kServicesKey) + "srservice", "Start").value_or(0));
  EXPECT_EQ(1u, Dword(kSystemRestoreKey, "DisableSR").value_or(9));
  EXPECT_EQ(static_cast<DWORD>(SERVICE_DISABLED), ManagerStartType("Messenger"));
  for (const char* name : {"Alerter", "RemoteRegistry", "ERSvc"}) {
    EXPECT_EQ(2u, Dword(std::string(kServicesKey) + name, "Start").value_or(0)) << name;
    EXPECT_EQ(static_cast<DWORD>(SERVICE_AUTO_START), ManagerStartType(name)) << name;
    EXPECT_TRUE(WaitUntil([&] { return State(name) == SERVICE_RUNNING; }, 10000)) << name;
  }

  // Cleared again: the disabled services can start at once.
  Save(Quiet());
  RunOnce();
  EXPECT_EQ(0u, Dword(kSystemRestoreKey, "DisableSR").value_or(9));
  EXPECT_EQ(static_cast<DWORD>(SERVICE_AUTO_START), ManagerStartType("Messenger"));
  EXPECT_TRUE(WaitUntil([&] { return State("Messenger") == SERVICE_RUNNING; }, 10000));
}

TEST_F(ServicesE2E, AMissingKeyStopsThePassAtItsRow) {
  reg.DeleteKey(HKey::LocalMachine, std::string(kServicesKey) + "Alerter");
  Save(Quiet());
  RunOnce();
  EXPECT_EQ(2u, Dword(std::string(kServicesKey) + "Messenger", "Start").value_or(0));
  EXPECT_FALSE(Dword(std::string(kServicesKey) + "RemoteRegistry", "Start"));
  EXPECT_FALSE(Dword(std::string(kServicesKey) + "srservice", "Start"));
  EXPECT_EQ(static_cast<DWORD>(SERVICE_DEMAND_START), ManagerStartType("RemoteRegistry"));
}

}  // namespace
}  // namespace zt::test
