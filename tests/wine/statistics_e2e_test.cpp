// zapotrix.exe end to end under Wine: a browser window that a rule closes
// appears in the open statistics window, read from this process as a user
// would see it.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <memory>

#include "lang/texts.h"
#include "platform/win32/win32_registry.h"
#include "system/settings.h"
#include "tools/remote_text.h"
#include "browser_fixture.h"
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

// zapotrix.exe laid out in a folder of its own, watching Internet Explorer,
// with the given rule database.
class StatisticsE2E : public ::testing::Test {
 protected:
  void SetUp() override {
    reg.DeleteKey(HKey::CurrentUser, kSettingsKey);
    LayOutProgram(dir.path());
    Settings s;
    SetDefaults(s);
    s.AutoStart = false;
    s.Internet_Explorer = true;
    RegIniSave(reg, s);
  }
  void TearDown() override { reg.DeleteKey(HKey::CurrentUser, kSettingsKey); }
  std::unique_ptr<ProgramProcess> Start(const std::string& mainDb) {
    WriteBytes(dir.path() + "\\config\\zapotrix_mainDB.ini", mainDb);
    return std::make_unique<ProgramProcess>(dir.path() + "\\zapotrix.exe");
  }

  Win32Registry reg;
  TempDir dir;
};

TEST_F(StatisticsE2E, AWindowClosedByARuleAppearsInTheOpenStatisticsWindow) {
  auto program = Start("[WCS]\r\n1=Gewinnspiel\r\n");
  ProgramProcess& p = *program;
  HWND main = p.WaitForMainWindow();
  ASSERT_NE(nullptr, main);

  // The statistics window from the Extras menu, empty at first.
  PostMessageA(main, WM_COMMAND, IDM_ACTION_STATISTIK, 0);
  HWND stat = WaitForProcessWindow(p.pid(), "TQvStatistik", nullptr, 30000);
  ASSERT_NE(nullptr, stat);
  // The window exists before it has made its controls and is shown.
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(stat) && GetDlgItem(stat, IDC_LISTVIEWHISTORY); }, 30000));
  HWND list = GetDlgItem(stat, IDC_LISTVIEWHISTORY);
  EXPECT_EQ(0, RemoteRows(list));
  HWND sum = GetDlgItem(stat, IDC_STATISTIK_EDIT8);
  EXPECT_TRUE(WaitUntil([&] { return RemoteText(sum) == "sum : 0"; }, 5000)) << RemoteText(sum);

  BrowserFixture browsers(dir.path(), "window\tIEFrame\tGewinnspiel - Microsoft Internet Explorer\t640\t480\t\t\r\n");
  ASSERT_TRUE(browsers.Ready());
  ASSERT_TRUE(WaitUntil([&] { return RemoteRows(list) >= 1; }, 30000));
  EXPECT_EQ("1.", RemoteListViewText(list, 0, 0));
  EXPECT_NE(std::string::npos, RemoteListViewText(list, 0, 1).find("Gewinnspiel"));
  EXPECT_EQ("Window Caption", RemoteListViewText(list, 0, 5));  // Wine names every language English
  EXPECT_FALSE(RemoteListViewText(list, 0, 6).empty());         // the time of day
  EXPECT_EQ("Window Caption : 1", RemoteText(GetDlgItem(stat, IDC_STATISTIK_EDIT4)));
  EXPECT_EQ("sum : 1", RemoteText(GetDlgItem(stat, IDC_STATISTIK_EDIT8)));

  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(p.WaitForExit());
}

// A keyword closes a fixture window; its row names the rule; "Remove rule"
// on that row, confirmed, takes the keyword out of the main window's list,
// and the same window opened again stays open.
TEST_F(StatisticsE2E, RemoveRuleOnAHistoryRowTakesTheKeywordBack) {
  auto program = Start("[ADS]\r\n1=casino\r\n[WCS]\r\n1=Gewinnspiel\r\n");
  ProgramProcess& p = *program;
  HWND main = p.WaitForMainWindow();
  ASSERT_NE(nullptr, main);
  // The main window is found before its controls are made: the keyword
  // list is looked up until it is there and holds the loaded keyword.
  HWND keywords = nullptr;
  ASSERT_TRUE(WaitUntil(
      [&] {
        keywords = GetDlgItem(main, IDC_LISTVIEWADS);
        return RemoteRows(keywords) == 1;
      },
      10000));
  PostMessageA(main, WM_COMMAND, IDM_ACTION_STATISTIK, 0);
  HWND stat = WaitForProcessWindow(p.pid(), "TQvStatistik", nullptr, 10000);
  ASSERT_NE(nullptr, stat);
  HWND list = GetDlgItem(stat, IDC_LISTVIEWHISTORY);

  const std::string popup = "window\tIEFrame\tOnline Casino - Microsoft Internet Explorer\t640\t480\t\t\r\n";
  {
    BrowserFixture first(dir.path(), popup);
    ASSERT_TRUE(first.Ready());
    ASSERT_TRUE(WaitUntil([&] { return RemoteRows(list) >= 1; }, 15000));
  }
  EXPECT_EQ("ADS: casino", RemoteListViewText(list, 0, 7));
  int rows = RemoteRows(list);

  // A right click on the first row opens its menu; Down and Enter choose
  // "Remove rule"; the question names the rule.
  RECT header = {}, table = {};
  GetWindowRect(reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0)), &header);
  GetWindowRect(list, &table);
  PostMessageA(stat, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), MAKELPARAM(table.left + 10, header.bottom + 4));
  ASSERT_NE(nullptr, WaitForProcessWindow(p.pid(), "#32768", nullptr, 5000));
  PostMessageA(stat, WM_KEYDOWN, VK_DOWN, 0);
  PostMessageA(stat, WM_KEYDOWN, VK_RETURN, 0);
  HWND box = p.WaitForMessageBox(5000);
  ASSERT_NE(nullptr, box);
  EXPECT_EQ("Remove the rule \"ADS: casino\"?", MessageBoxText(box));
  PostMessageA(box, WM_COMMAND, IDYES, 0);
  EXPECT_TRUE(WaitUntil([&] { return RemoteRows(keywords) == 0; }, 5000));

  // The same popup again, and after it a window the caption rule closes:
  // once that one is in the history, the popup has been judged too (it
  // opened first: whatever saw the second window saw it), and no rule
  // closed it any more.
  TempDir again;
  BrowserFixture second(again.path(), popup + "window\tIEFrame\tGewinnspiel - Microsoft Internet Explorer\t640\t480\t\t\r\n");
  ASSERT_TRUE(second.Ready());
  ASSERT_TRUE(WaitUntil([&] { return RemoteRows(list) > rows; }, 15000));
  EXPECT_NE(nullptr, FindWindowA("IEFrame", "Online Casino - Microsoft Internet Explorer"));
  EXPECT_EQ(rows + 1, RemoteRows(list));

  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(p.WaitForExit());
}

}  // namespace
}  // namespace zt::test
