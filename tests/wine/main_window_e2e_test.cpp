// zapotrix.exe end to end under Wine, driven from another process as a
// user's clicks and keys arrive: the tray icon, the tray double-click that
// shows the main window, Enter in an edit box that adds a rule, and the
// quit that saves it.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include "platform/win32/win32_registry.h"
#include "system/probes.h"
#include "system/settings.h"
#include "ui/resource.h"
#include "wine_support.h"

namespace zt::test {
namespace {

constexpr UINT kTrayCallback = WM_USER + 1;
constexpr UINT kTrayIconId = 100;

bool TrayIconExists(HWND window) {
  NOTIFYICONDATAA nid = {};
  nid.cbSize = NOTIFYICONDATAA_V1_SIZE;
  nid.hWnd = window;
  nid.uID = kTrayIconId;
  return Shell_NotifyIconA(NIM_MODIFY, &nid) != FALSE;
}

std::string RemoteText(HWND w) {
  char text[512] = {};
  DWORD_PTR got = 0;
  SendMessageTimeoutA(w, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, &got);
  return text;
}

int RemoteRows(HWND list) {
  DWORD_PTR rows = 0;
  SendMessageTimeoutA(list, LVM_GETITEMCOUNT, 0, 0, SMTO_ABORTIFHUNG, 2000, &rows);
  return static_cast<int>(rows);
}

class MainWindowE2E : public ::testing::Test {
 protected:
  void SetUp() override {
    reg.DeleteKey(HKey::CurrentUser, kSettingsKey);
    reg.DeleteValue(HKey::LocalMachine, kRunKey, kRunValue);
    LayOutProgram(dir.path());
    exe = dir.path() + "\\zapotrix.exe";
    db = dir.path() + "\\config\\zapotrix_mainDB.ini";
    Settings s;
    SetDefaults(s);
    s.AutoStart = false;  // no autostart entry for Wine to start later
    RegIniSave(reg, s);
  }
  void TearDown() override {
    reg.DeleteKey(HKey::CurrentUser, kSettingsKey);
    reg.DeleteValue(HKey::LocalMachine, kRunKey, kRunValue);
  }
  // The main window once start-up has ended (the first cycle has run).
  HWND Started(ProgramProcess& p) {
    HWND main = p.WaitForMainWindow();
    if (!main) return nullptr;
    HWND status = WaitForStatusBar(main);
    if (!status || !WaitUntil([&] { return StatusPanelText(status, 6) == " Standby"; }, 10000)) return nullptr;
    return main;
  }

  Win32Registry reg;
  TempDir dir;
  std::string exe, db;
};

TEST_F(MainWindowE2E, TrayDoubleClickShowsTheWindowEnterAddsAnAddressAndQuitSavesIt) {
  WriteBytes(db, "[URL]\r\n1=http://old.example.com\r\n");
  ProgramProcess p(exe);
  HWND main = Started(p);
  ASSERT_NE(nullptr, main);
  EXPECT_TRUE(WaitUntil([&] { return TrayIconExists(main); }, 5000));
  EXPECT_FALSE(IsWindowVisible(main));

  PostMessageA(main, kTrayCallback, kTrayIconId, WM_LBUTTONDBLCLK);
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(main) != FALSE; }, 5000));

  HWND edit = GetDlgItem(main, IDC_EDADDURL);
  HWND list = GetDlgItem(main, IDC_LISTVIEWURL);
  ASSERT_NE(nullptr, edit);
  ASSERT_EQ(1, RemoteRows(list));
  for (char c : std::string("http://ads.example.com")) PostMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 0);
  PostMessageA(edit, WM_KEYDOWN, VK_RETURN, 0x001C0001);
  PostMessageA(edit, WM_KEYUP, VK_RETURN, 0xC01C0001);
  EXPECT_TRUE(WaitUntil([&] { return RemoteRows(list) == 2; }, 5000));
  EXPECT_EQ("", RemoteText(edit));

  PostMessageA(main, WM_CLOSE, 0, 0);
  ASSERT_TRUE(p.WaitForExit());
  EXPECT_EQ("[URL]\r\n1=http://ads.example.com\r\n2=http://old.example.com\r\n", ReadBytes(db));
}

TEST_F(MainWindowE2E, TitleBarCloseHidesAndTheIconStays) {
  ProgramProcess p(exe);
  HWND main = Started(p);
  ASSERT_NE(nullptr, main);
  PostMessageA(main, kTrayCallback, kTrayIconId, WM_LBUTTONDBLCLK);
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(main) != FALSE; }, 5000));
  PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(main); }, 5000));
  EXPECT_TRUE(TrayIconExists(main));
  EXPECT_FALSE(p.WaitForExit(300));
  PostMessageA(main, WM_CLOSE, 0, 0);
  ASSERT_TRUE(p.WaitForExit());
  EXPECT_FALSE(TrayIconExists(main));
}

}  // namespace
}  // namespace zt::test
