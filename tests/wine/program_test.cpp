// zapotrix.exe end to end under Wine: single instance, start-up, status
// panels, the missing-file warning, and what is saved when the program ends.
#include <gtest/gtest.h>

#include "lang/texts.h"
#include <windows.h>

#include "platform/win32/win32_registry.h"
#include "system/probes.h"
#include "system/settings.h"
#include "wine_support.h"

namespace zt::test {
namespace {

constexpr UINT kCloseWithoutSaving = WM_USER + 88;
constexpr UINT kQuitForSetup = WM_USER + 89;
constexpr LRESULT kQuitForSetupAccepted = 0x5A54;

class ProgramE2E : public ::testing::Test {
 protected:
  void SetUp() override {
    reg.DeleteKey(HKey::CurrentUser, kSettingsKey);
    reg.DeleteValue(HKey::LocalMachine, kRunKey, "zapotrix");
    LayOutProgram(dir.path());
    exe = dir.path() + "\\zapotrix.exe";
    db = dir.path() + "\\config\\zapotrix_mainDB.ini";
  }
  // The autostart entry is on by default: leave none behind for Wine to start.
  void TearDown() override {
    reg.DeleteKey(HKey::CurrentUser, kSettingsKey);
    reg.DeleteValue(HKey::LocalMachine, kRunKey, "zapotrix");
  }

  bool SettingsSaved() { return reg.QueryValue(HKey::CurrentUser, kSettingsKey, "Main_Left").has_value(); }

  Win32Registry reg;
  TempDir dir;
  std::string exe, db;
};

TEST_F(ProgramE2E, StartsHiddenWithItsStatusPanelsAndGoesToStandby) {
  ProgramProcess p(exe);
  ASSERT_TRUE(p.started());
  HWND main = p.WaitForMainWindow();
  ASSERT_NE(nullptr, main);
  char title[64] = {};
  GetWindowTextA(main, title, sizeof title);
  EXPECT_STREQ("Zapotrix", title);
  EXPECT_FALSE(IsWindowVisible(main));
  HWND status = WaitForStatusBar(main);
  ASSERT_NE(nullptr, status);
  EXPECT_TRUE(WaitForPanel(status, 0, " Zapotrix Version 1.2.0.90"));
  // The first cycle comes after the start-up: the scanners' panels are in
  // the system's language (English under Wine) by then.
  EXPECT_TRUE(WaitForPanel(status, 6, " Standby"));
  EXPECT_EQ(" WDS: ON", StatusPanelText(status, 1));
  EXPECT_EQ(" URL: ON", StatusPanelText(status, 2));
  EXPECT_EQ(" ADS: ON", StatusPanelText(status, 3));
  EXPECT_EQ(" WCS: ON", StatusPanelText(status, 4));
  EXPECT_EQ(" Fast Mode", StatusPanelText(status, 5));
  EXPECT_EQ(nullptr, p.WaitForMessageBox(0));
}

TEST_F(ProgramE2E, SecondInstanceSaysAlreadyRunningAndEnds) {
  ProgramProcess first(exe);
  ASSERT_NE(nullptr, first.WaitForMainWindow());
  ProgramProcess second(exe);
  HWND box = second.WaitForMessageBox();
  ASSERT_NE(nullptr, box);
  EXPECT_EQ("zapotrix is already running!", MessageBoxText(box));
  EXPECT_EQ(nullptr, FindProcessWindow(second.pid(), "Tzapotrix_main"));
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(second.WaitForExit());
  EXPECT_EQ(nullptr, FindProcessWindow(second.pid(), "Tzapotrix_main"));
  EXPECT_FALSE(first.WaitForExit(0));
}

// A system without Internet Explorer's libraries (Wine told to load no
// urlmon and no wininet into the program): the loader still starts it,
// since it imports from neither, and it says what it lacks before any window,
// and ends.
TEST_F(ProgramE2E, WithoutInternetExplorersLibrariesSaysWhatIsMissingAndEnds) {
  const std::string overrides = "Software\\Wine\\AppDefaults\\zapotrix.exe\\DllOverrides";
  ASSERT_TRUE(reg.CreateKey(HKey::CurrentUser, overrides));
  struct Undo {
    Win32Registry& reg;
    // The subkey first: a key with a subkey is not deleted.
    ~Undo() {
      reg.DeleteKey(HKey::CurrentUser, "Software\\Wine\\AppDefaults\\zapotrix.exe\\DllOverrides");
      reg.DeleteKey(HKey::CurrentUser, "Software\\Wine\\AppDefaults\\zapotrix.exe");
    }
  } undo{reg};
  for (const char* dll : {"urlmon", "wininet"}) ASSERT_TRUE(reg.SetString(HKey::CurrentUser, overrides, dll, ""));
  ProgramProcess p(exe);
  HWND box = p.WaitForMessageBox();
  ASSERT_NE(nullptr, box);
  EXPECT_EQ(Format(TextsFor(false).msg.systemTooOld, {"wininet.dll\n"}), MessageBoxText(box));
  EXPECT_EQ(nullptr, FindProcessWindow(p.pid(), "Tzapotrix_main"));
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(p.WaitForExit());
  EXPECT_EQ(1u, p.ExitCode());
  EXPECT_EQ(nullptr, FindProcessWindow(p.pid(), "Tzapotrix_main"));
  EXPECT_FALSE(SettingsSaved());
}

TEST_F(ProgramE2E, MissingManualWarnsAndNothingIsSavedAtQuit) {
  DeleteFileA((dir.path() + "\\help\\zapotrix_handbuch.pdf").c_str());
  std::string before = ReadBytes(db);
  ProgramProcess p(exe);
  HWND box = p.WaitForMessageBox();
  ASSERT_NE(nullptr, box);
  EXPECT_EQ(std::string(TextsFor(false).msg.missingFiles), MessageBoxText(box));
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  HWND main = p.WaitForMainWindow();
  ASSERT_NE(nullptr, main);
  PostMessageA(main, WM_CLOSE, 0, 0);
  ASSERT_TRUE(p.WaitForExit());
  EXPECT_FALSE(SettingsSaved());
  EXPECT_EQ(before, ReadBytes(db));
}

TEST_F(ProgramE2E, QuitSavesSettingsWithPositionAndTheRuleDatabase) {
  WriteBytes(db, "[Extra]\r\nkeep=me\r\n[WCS]\r\n1=Zebra\r\n2=apfel\r\n3=ZEBRA\r\n[WDS]\r\n1=300\r\n2=250\r\n"
                 "3=300\r\n4=250\r\n[ADS]\r\n1=casino\r\n");
  reg.CreateKey(HKey::CurrentUser, kSettingsKey);
  reg.SetDword(HKey::CurrentUser, kSettingsKey, "Main_Left", 100);
  reg.SetDword(HKey::CurrentUser, kSettingsKey, "Main_Top", 50);
  ProgramProcess p(exe);
  HWND main = p.WaitForMainWindow();
  ASSERT_NE(nullptr, main);
  RECT r;
  ASSERT_TRUE(WaitUntil([&] { GetWindowRect(main, &r); return r.left == 100 && r.top == 50; }, 5000))
      << "started at " << r.left << "," << r.top << ", not at the stored 100,50";
  // The user moves the window: the quit saves where it is now.
  SetWindowPos(main, nullptr, 160, 70, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ASSERT_TRUE(WaitUntil([&] { GetWindowRect(main, &r); return r.left == 160 && r.top == 70; }, 5000));
  PostMessageA(main, WM_CLOSE, 0, 0);
  ASSERT_TRUE(p.WaitForExit());
  auto left = reg.QueryValue(HKey::CurrentUser, kSettingsKey, "Main_Left");
  auto top = reg.QueryValue(HKey::CurrentUser, kSettingsKey, "Main_Top");
  ASSERT_TRUE(left.has_value());
  ASSERT_TRUE(top.has_value());
  EXPECT_EQ(160u, left->dword);
  EXPECT_EQ(70u, top->dword);
  EXPECT_TRUE(reg.QueryValue(HKey::CurrentUser, kSettingsKey, "Services_Systemwiederherstellung").has_value());
  EXPECT_EQ("[Extra]\r\nkeep=me\r\n[ADS]\r\n1=casino\r\n[WCS]\r\n1=apfel\r\n2=Zebra\r\n[WDS]\r\n1=300\r\n2=250\r\n",
            ReadBytes(db));
}

TEST_F(ProgramE2E, CloseWithoutSavingMessageEndsAndSavesNothing) {
  std::string before = ReadBytes(db);
  ProgramProcess p(exe);
  HWND main = p.WaitForMainWindow();
  ASSERT_NE(nullptr, main);
  PostMessageA(main, kCloseWithoutSaving, 0, 0);
  ASSERT_TRUE(p.WaitForExit());
  EXPECT_FALSE(SettingsSaved());
  EXPECT_EQ(before, ReadBytes(db));
}

TEST_F(ProgramE2E, LogOffSavesWithoutPositionAndEndsWithTheSession) {
  ProgramProcess p(exe);
  HWND main = p.WaitForMainWindow();
  ASSERT_NE(nullptr, main);
  // A log-off during start-up saves nothing: wait for the first cycle.
  ASSERT_TRUE(WaitForPanel(WaitForStatusBar(main), 6, " Standby"));
  DWORD_PTR answer = 0;
  ASSERT_TRUE(SendMessageTimeoutA(main, WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, 10000, &answer));
  EXPECT_EQ(TRUE, static_cast<BOOL>(answer));
  auto left = reg.QueryValue(HKey::CurrentUser, kSettingsKey, "Main_Left");
  ASSERT_TRUE(left.has_value());
  EXPECT_EQ(0xFFFFFFFFu, left->dword);  // no stored position: still -1
  EXPECT_TRUE(p.StillRunningAfter(300));  // until the session really ends
  PostMessageA(main, WM_ENDSESSION, TRUE, 0);
  EXPECT_TRUE(p.WaitForExit());
}

// The installer's quit: answered at once, then the program saves what it
// can and ends; a database it may not write holds it up with no message.
TEST_F(ProgramE2E, InstallersQuitEndsWithoutAMessageWhereTheSaveFails) {
  std::string before = ReadBytes(db);
  SetFileAttributesA(db.c_str(), FILE_ATTRIBUTE_READONLY);
  ProgramProcess p(exe);
  HWND main = p.WaitForMainWindow();
  ASSERT_NE(nullptr, main);
  ASSERT_TRUE(WaitForPanel(WaitForStatusBar(main), 6, " Standby"));
  DWORD_PTR answer = 0;
  ASSERT_TRUE(SendMessageTimeoutA(main, kQuitForSetup, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer));
  EXPECT_EQ(kQuitForSetupAccepted, static_cast<LRESULT>(answer));
  EXPECT_TRUE(p.WaitForExit());
  EXPECT_EQ(before, ReadBytes(db));
  EXPECT_TRUE(SettingsSaved());
}

TEST_F(ProgramE2E, ReadOnlyDatabaseGivesWriteProtectionMessageAtQuit) {
  std::string before = ReadBytes(db);
  SetFileAttributesA(db.c_str(), FILE_ATTRIBUTE_READONLY);
  ProgramProcess p(exe);
  HWND main = p.WaitForMainWindow();
  ASSERT_NE(nullptr, main);
  PostMessageA(main, WM_CLOSE, 0, 0);
  HWND box = p.WaitForMessageBox();
  ASSERT_NE(nullptr, box);
  EXPECT_EQ(std::string(TextsFor(false).msg.dbWriteProtected), MessageBoxText(box));
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(p.WaitForExit());
  EXPECT_EQ(before, ReadBytes(db));
  EXPECT_TRUE(SettingsSaved());
}

TEST_F(ProgramE2E, TitleBarCloseOnlyHides) {
  ProgramProcess p(exe);
  HWND main = p.WaitForMainWindow();
  ASSERT_NE(nullptr, main);
  ASSERT_TRUE(WaitForPanel(WaitForStatusBar(main), 6, " Standby"));
  // The user opened the window from the tray.
  ShowWindowAsync(main, SW_SHOWNOACTIVATE);
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(main) != FALSE; }, 5000));
  PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(main); }, 5000)) << "the window is still shown";
  EXPECT_TRUE(p.StillRunningAfter(500));
  EXPECT_FALSE(SettingsSaved());
}

}  // namespace
}  // namespace zt::test
