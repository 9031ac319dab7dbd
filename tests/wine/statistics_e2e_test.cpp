// zapotrix.exe end to end under Wine: a browser window that a rule closes
// appears in the open statistics window, read from this process as a user
// would see it.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include "lang/texts.h"
#include "platform/win32/win32_registry.h"
#include "system/settings.h"
#include "tools/remote_text.h"
#include "ui/resource.h"
#include "wine_support.h"

namespace zt::test {
namespace {

int RemoteRows(HWND list) {
  DWORD_PTR rows = 0;
  SendMessageTimeoutA(list, LVM_GETITEMCOUNT, 0, 0, SMTO_ABORTIFHUNG, 2000, &rows);
  return static_cast<int>(rows);
}

std::string RemoteText(HWND w) {
  char text[512] = {};
  DWORD_PTR got = 0;
  SendMessageTimeoutA(w, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, &got);
  return text;
}

// browser_fixture.exe playing the windows of a spec; ended by force.
class Browsers {
 public:
  Browsers(const std::string& dir, const std::string& spec) {
    std::string specPath = dir + "\\browsers.txt", logPath = dir + "\\browsers.log";
    WriteBytes(specPath, spec);
    std::string exe = BuildDir() + "\\browser_fixture.exe";
    std::string cmd = "\"" + exe + "\" \"" + specPath + "\" \"" + logPath + "\"";
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    if (!CreateProcessA(exe.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &info_)) info_ = {};
  }
  ~Browsers() {
    if (!info_.hProcess) return;
    TerminateProcess(info_.hProcess, 0);
    WaitForSingleObject(info_.hProcess, 5000);
    CloseHandle(info_.hProcess);
    CloseHandle(info_.hThread);
  }
  Browsers(const Browsers&) = delete;
  Browsers& operator=(const Browsers&) = delete;
  bool started() const { return info_.hProcess != nullptr; }

 private:
  PROCESS_INFORMATION info_ = {};
};

TEST(StatisticsE2E, AWindowClosedByARuleAppearsInTheOpenStatisticsWindow) {
  Win32Registry reg;
  TempDir dir;
  reg.DeleteKey(HKey::CurrentUser, kSettingsKey);
  LayOutProgram(dir.path());
  Settings s;
  SetDefaults(s);
  s.AutoStart = false;
  s.Internet_Explorer = true;
  RegIniSave(reg, s);
  WriteBytes(dir.path() + "\\config\\zapotrix_mainDB.ini", "[WCS]\r\n1=Gewinnspiel\r\n");
  ProgramProcess p(dir.path() + "\\zapotrix.exe");
  HWND main = p.WaitForMainWindow();
  ASSERT_NE(nullptr, main);

  // The statistics window from the Extras menu, empty at first.
  PostMessageA(main, WM_COMMAND, IDM_ACTION_STATISTIK, 0);
  HWND stat = WaitForProcessWindow(p.pid(), "TQvStatistik", nullptr, 10000);
  ASSERT_NE(nullptr, stat);
  HWND list = GetDlgItem(stat, IDC_LISTVIEWHISTORY);
  EXPECT_EQ(0, RemoteRows(list));
  EXPECT_EQ("sum : 0", RemoteText(GetDlgItem(stat, IDC_STATISTIK_EDIT8)));

  Browsers browsers(dir.path(), "window\tIEFrame\tGewinnspiel - Microsoft Internet Explorer\t640\t480\t\t\r\n");
  ASSERT_TRUE(browsers.started());
  ASSERT_TRUE(WaitUntil([&] { return RemoteRows(list) >= 1; }, 15000));
  EXPECT_EQ("1.", RemoteListViewText(list, 0, 0));
  EXPECT_NE(std::string::npos, RemoteListViewText(list, 0, 1).find("Gewinnspiel"));
  EXPECT_EQ("Window Caption", RemoteListViewText(list, 0, 5));  // Wine names every language English
  EXPECT_FALSE(RemoteListViewText(list, 0, 6).empty());         // the time of day
  EXPECT_EQ("Window Caption : 1", RemoteText(GetDlgItem(stat, IDC_STATISTIK_EDIT4)));
  EXPECT_EQ("sum : 1", RemoteText(GetDlgItem(stat, IDC_STATISTIK_EDIT8)));

  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(p.WaitForExit());
  reg.DeleteKey(HKey::CurrentUser, kSettingsKey);
}

}  // namespace
}  // namespace zt::test
