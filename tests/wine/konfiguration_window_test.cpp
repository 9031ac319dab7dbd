// The settings dialog in-process under Wine, with the real main window on
// the stand-in system: driven with the messages a user's clicks send.
// Frame and pages, what every control writes, the titles and locked
// controls, OK, Cancel, the close box, and the one modal instance.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <functional>

#include "system/filters.h"
#include "sim_world.h"
#include "ui/konfiguration_texts.h"
#include "ui/konfiguration_window.h"
#include "ui/main_window.h"
#include "ui/resource.h"

namespace zt::test {
namespace {

std::string WindowText(HWND w) {
  char text[512] = {};
  GetWindowTextA(w, text, sizeof text);
  return text;
}

void DropQuit() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
}

HWND FindDialog() { return FindWindowA("TKonfiguration", nullptr); }

// A control of the dialog, on whichever page it lies.
struct ItemSearch {
  int id;
  HWND found;
};
BOOL CALLBACK MatchItem(HWND c, LPARAM lp) {
  auto* s = reinterpret_cast<ItemSearch*>(lp);
  if (GetDlgCtrlID(c) != s->id) return TRUE;
  s->found = c;
  return FALSE;
}
HWND DialogItem(HWND dialog, int id) {
  ItemSearch s{id, nullptr};
  EnumChildWindows(dialog, MatchItem, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

// What a test does once the modal dialog runs (from a timer of the loop).
std::function<void()> g_whileModal;
void CALLBACK RunWhileModal(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  auto step = std::move(g_whileModal);
  g_whileModal = nullptr;
  if (step) step();
}

class Konfig : public ::testing::Test {
 protected:
  void SetUp() override {
    SetDefaults(settings);
    w.Install("[WCS]\r\n1=Werbung\r\n");
  }
  void TearDown() override {
    dialog.reset();
    window.reset();
    DropQuit();
  }
  // The main window with the stored settings; admin on Windows XP unless
  // the test says otherwise.
  void Start() {
    RegIniSave(w.registry, settings);
    window = std::make_unique<MainWindow>(w.os);
    ASSERT_TRUE(window->Create());
    Flags().IsAdmin = Flags().IsNTFamily = Flags().IsWinXP = true;
  }
  ProcessFlags& Flags() { return window->main().state().flags; }
  Settings& S() { return window->main().state().settings; }
  void Open() {
    dialog = std::make_unique<KonfigurationWindow>(window->main(), window->hwnd());
    ASSERT_TRUE(dialog->Create());
    dialog->Open();
  }
  HWND Control(int id) { return dialog->Item(id); }
  // The user picks the control's page, then clicks it.
  void Click(int id) {
    HWND control = Control(id);
    ASSERT_NE(nullptr, control) << id;
    int page = 0;
    for (int i = 0; i < kKonfigPageCount; ++i)
      if (GetDlgCtrlID(GetParent(control)) == kKonfigPages[i].control) page = i;
    SelectPage(page);
    SendMessageA(control, BM_CLICK, 0, 0);
  }
  void SelectPage(int index) {
    HWND tabs = Control(IDC_PAGECONTROL1);
    TabCtrl_SetCurSel(tabs, index);
    NMHDR n = {tabs, IDC_PAGECONTROL1, static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageA(dialog->hwnd(), WM_NOTIFY, IDC_PAGECONTROL1, reinterpret_cast<LPARAM>(&n));
  }
  bool Checked(int id) { return SendMessageA(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
  bool Shown(int id) { return (GetWindowLongA(Control(id), GWL_STYLE) & WS_VISIBLE) != 0; }
  std::string Panel(int panel) {
    char text[128] = {};
    SendDlgItemMessageA(window->hwnd(), IDC_STATUSBAR1, SB_GETTEXTA, panel, reinterpret_cast<LPARAM>(text));
    return text;
  }
  bool RunEntry() {
    return w.registry.QueryValue(HKey::LocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "zapotrix")
        .has_value();
  }
  // Chooses the settings command of the main window; `step` runs inside
  // the dialog's modal loop and must close it.
  void OpenFromMenu(std::function<void()> step) {
    g_whileModal = std::move(step);
    SetTimer(nullptr, 0, 1, RunWhileModal);
    SendMessageA(window->hwnd(), WM_COMMAND, IDM_ACTION_EINSTELLUNGEN, 0);
  }

  SimWorld w;
  Settings settings;
  std::unique_ptr<MainWindow> window;
  std::unique_ptr<KonfigurationWindow> dialog;
};

}  // namespace

TEST_F(Konfig, FrameSizePagesAndHelpContexts) {
  Start();
  Open();
  HWND d = dialog->hwnd();
  char cls[64] = {};
  GetClassNameA(d, cls, sizeof cls);
  EXPECT_STREQ("TKonfiguration", cls);
  EXPECT_EQ("Configuration", WindowText(d));
  EXPECT_EQ(window->hwnd(), GetWindow(d, GW_OWNER));
  RECT client, frame, main;
  GetClientRect(d, &client);
  EXPECT_EQ(428, client.right);
  EXPECT_EQ(412, client.bottom);
  LONG style = GetWindowLongA(d, GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
  // Centred on the main window (within a pixel of rounding).
  GetWindowRect(d, &frame);
  GetWindowRect(window->hwnd(), &main);
  EXPECT_LE(std::abs((frame.left + frame.right) - (main.left + main.right)), 1);
  EXPECT_LE(std::abs((frame.top + frame.bottom) - (main.top + main.bottom)), 1);
  // Modal: the main window takes no input.
  EXPECT_FALSE(IsWindowEnabled(window->hwnd()));

  // Six tabs in order, opened on the last, each with its own page.
  HWND tabs = Control(IDC_PAGECONTROL1);
  const char* captions[] = {"Misc", "Scanner", "Browser", "Flash/Ad-Filter", "Extra", "Services"};
  ASSERT_EQ(6, TabCtrl_GetItemCount(tabs));
  for (int i = 0; i < 6; ++i) {
    char text[64] = {};
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    TabCtrl_GetItem(tabs, i, &item);
    EXPECT_STREQ(captions[i], text);
  }
  EXPECT_EQ(5, dialog->PageIndex());
  EXPECT_TRUE(IsWindowVisible(Control(IDC_KONF_CHECKBOX1)));
  EXPECT_FALSE(IsWindowVisible(Control(IDC_CHECKBOXWDS)));
  EXPECT_EQ(101, dialog->HelpContext());
  const int help[] = {101, 102, 103, 111, 104, 105};
  for (int i = 0; i < 6; ++i) {
    SelectPage(i);
    EXPECT_EQ(help[i], dialog->HelpContext());
    EXPECT_EQ(static_cast<DWORD>(help[i]), GetWindowContextHelpId(d));
  }
  EXPECT_TRUE(IsWindowVisible(Control(IDC_KONF_BUTTON2)));
  // Texts: the English table, the design texts in both languages.
  EXPECT_EQ("Cancel", WindowText(Control(IDC_KONF_BT_CANCEL)));
  EXPECT_EQ("Slow Mode (1 sec)", WindowText(Control(IDC_KONF_RADIOBUTTON3)));
  EXPECT_EQ(" Nachrichtendienst", WindowText(Control(IDC_KONF_CHECKBOX1)));
  dialog->SetLanguage(kLanguageGerman);
  EXPECT_EQ("Abbruch", WindowText(Control(IDC_KONF_BT_CANCEL)));
  EXPECT_EQ("Fenstergrößen-Scanner (WDS) verwenden", WindowText(Control(IDC_CHECKBOXWDS)));
}

TEST_F(Konfig, EveryCheckBoxWritesItsSettingAtClick) {
  const struct {
    int control;
    bool Settings::*field;
  } cases[] = {
      {IDC_CHECKBOXHINT, &Settings::ShowHint},
      {IDC_CHECKBOXAUTOSTART, &Settings::AutoStart},
      {IDC_CHECKBOXWDS, &Settings::UseWDS},
      {IDC_CHECKBOXURL, &Settings::UseURL},
      {IDC_CHECKBOXADS, &Settings::UseADS},
      {IDC_CHECKBOXWCS, &Settings::UseWCS},
      {IDC_CHECKBOX_IE, &Settings::Internet_Explorer},
      {IDC_CHECKBOX_MZ, &Settings::Mozilla},
      {IDC_CHECKBOX_FIREFOX, &Settings::Firefox},
      {IDC_CHECKBOXFLASHAX, &Settings::FlashAX},
      {IDC_CHECKBOXFLASH7, &Settings::Flash7},
      {IDC_CHECKBOXFLASH_MZ, &Settings::Flash_MZ},
      {IDC_CHECKBOX_NOTEPAD, &Settings::Notepad},
      {IDC_CHECKBOX_BANNER, &Settings::hosts},
      {IDC_CHECKBOX_CHECK_HOST_ON_START, &Settings::hosts_onstartup},
      {IDC_KONF_CHECKBOX1, &Settings::Services_NachrichtenDienst},
      {IDC_KONF_CHECKBOX2, &Settings::Services_Warndienst},
      {IDC_KONF_CHECKBOX3, &Settings::Services_RemoteRegistrierung},
      {IDC_KONF_CHECKBOX4, &Settings::Services_Fehlerberichterstattung},
      {IDC_KONF_CHECKBOX5, &Settings::Services_AutomatischeUpdates},
      {IDC_KONF_CHECKBOX6, &Settings::Services_Systemwiederherstellung},
  };
  settings.hosts = true;  // so the hosts options are enabled
  Start();
  Open();
  for (const auto& c : cases) {
    bool before = S().*c.field;
    EXPECT_EQ(before, Checked(c.control)) << c.control;
    Click(c.control);
    EXPECT_EQ(!before, S().*c.field) << c.control;
    Click(c.control);
    EXPECT_EQ(before, S().*c.field) << c.control;
  }
  // The scanner boxes and the autostart box act at once.
  Click(IDC_CHECKBOXURL);
  EXPECT_EQ(" URL: OFF", Panel(2));
  Click(IDC_CHECKBOXAUTOSTART);
  EXPECT_FALSE(RunEntry());
  // All and None go through the six boxes.
  Click(IDC_KONF_BUTTON1);
  EXPECT_TRUE(Checked(IDC_KONF_CHECKBOX6));
  EXPECT_TRUE(S().Services_Systemwiederherstellung && S().Services_NachrichtenDienst);
  Click(IDC_KONF_BUTTON2);
  EXPECT_FALSE(Checked(IDC_KONF_CHECKBOX3));
  EXPECT_FALSE(S().Services_RemoteRegistrierung || S().Services_AutomatischeUpdates);
}

TEST_F(Konfig, RadioButtonsWriteSpeedAndAddressAndTheBannerBoxLocksTheAddress) {
  settings.hosts = true;
  Start();
  Open();
  EXPECT_TRUE(Checked(IDC_KONF_RADIOBUTTON1));
  EXPECT_TRUE(Checked(IDC_RADIOBUTTON_B127));
  const struct {
    int button;
    int interval;
    unsigned ms;
    const char* panel;
  } speeds[] = {{IDC_KONF_RADIOBUTTON2, 1, 500, " Normal Mode"},
                {IDC_KONF_RADIOBUTTON3, 2, 1000, " Slow Mode"},
                {IDC_KONF_RADIOBUTTON1, 0, 250, " Fast Mode"}};
  for (const auto& s : speeds) {
    Click(s.button);
    EXPECT_EQ(s.interval, S().interval);
    EXPECT_EQ(s.ms, window->main().state().Timer1.Interval());
    EXPECT_EQ(s.panel, Panel(5));
  }
  Click(IDC_RADIOBUTTON_B0);
  EXPECT_EQ("0.0.0.0", S().host_ip);
  EXPECT_FALSE(Checked(IDC_RADIOBUTTON_B127));
  Click(IDC_RADIOBUTTON_B127);
  EXPECT_EQ("127.0.0.1", S().host_ip);
  EXPECT_FALSE(Checked(IDC_RADIOBUTTON_B0));
  Click(IDC_CHECKBOX_BANNER);
  for (int id : {IDC_RADIOBUTTON_B127, IDC_RADIOBUTTON_B0, IDC_CHECKBOX_CHECK_HOST_ON_START})
    EXPECT_FALSE(IsWindowEnabled(Control(id))) << id;
}

TEST_F(Konfig, TitlesAndLockedControlsByRightsAndSystem) {
  const struct {
    bool admin, nt;
    const char* title;
  } cases[] = {{true, false, "Configuration (Win9x)"},
               {false, true, "Configuration (Restricted Account)"},
               {false, false, "Configuration (Restricted Account, Win9x)"}};
  const int locked[] = {IDC_CHECKBOX_BANNER,   IDC_BUTTON_HOSTDEF,   IDC_CHECKBOXAUTOSTART,
                        IDC_CHECKBOX_CHECK_HOST_ON_START,            IDC_CHECKBOXFLASH7,
                        IDC_CHECKBOXFLASH_MZ,  IDC_GROUPBOXSERVICES, IDC_KONF_CHECKBOX1,
                        IDC_KONF_CHECKBOX2,    IDC_KONF_CHECKBOX3,   IDC_KONF_CHECKBOX4,
                        IDC_KONF_CHECKBOX5,    IDC_KONF_CHECKBOX6};
  settings.hosts = true;
  Start();
  for (const auto& c : cases) {
    Flags().IsAdmin = c.admin;
    Flags().IsNTFamily = c.nt;
    Open();
    EXPECT_EQ(c.title, WindowText(dialog->hwnd()));
    for (int id : locked) EXPECT_EQ(c.admin, IsWindowEnabled(Control(id)) != FALSE) << c.title << " " << id;
    SelectPage(4);
    EXPECT_EQ(c.admin, Shown(IDC_RADIOBUTTON_B127)) << c.title;
    EXPECT_EQ(c.admin, Shown(IDC_RADIOBUTTON_B0)) << c.title;
    EXPECT_TRUE(IsWindowEnabled(Control(IDC_CHECKBOXWDS)));
    dialog.reset();
  }
}

TEST_F(Konfig, OkAsRestrictedAccountUndoesTheFlashRemoveAndSaves) {
  Start();
  Flash7change(w.registry, kFilterInstall);  // ours, from an earlier run
  ASSERT_TRUE(w.registry.QueryValue(HKey::LocalMachine, kFlashKey, kFlashValue));
  Flags().IsAdmin = false;
  Open();
  Click(IDC_CHECKBOXWCS);
  Click(IDC_KONF_BT_OK);
  EXPECT_TRUE(dialog->Closed());
  EXPECT_FALSE(w.registry.QueryValue(HKey::LocalMachine, kFlashKey, kFlashValue));
  Settings stored;
  RegIniRead(w.registry, stored);
  EXPECT_FALSE(stored.UseWCS);
  EXPECT_TRUE(IsWindowEnabled(window->hwnd()));
}

TEST_F(Konfig, CancelAfterUntickingAutostartReloadsButTheEntryStaysGone) {
  Start();
  Open();
  ASSERT_TRUE(RunEntry());
  Click(IDC_CHECKBOXAUTOSTART);
  EXPECT_FALSE(S().AutoStart);
  EXPECT_FALSE(RunEntry());
  Click(IDC_KONF_BT_CANCEL);
  EXPECT_TRUE(dialog->Closed());
  EXPECT_TRUE(S().AutoStart);
  EXPECT_FALSE(RunEntry());
}

TEST_F(Konfig, OneModalInstanceFromMenuAndTrayReopensWithTheStoredState) {
  Start();
  HWND first = nullptr;
  bool stillOne = false;
  OpenFromMenu([&] {
    first = FindDialog();
    // The tray item while it is open: the same dialog comes to the front.
    SendMessageA(window->hwnd(), WM_COMMAND, IDM_ACTION_EINSTELLUNGEN, 0);
    stillOne = FindDialog() == first && FindWindowExA(nullptr, first, "TKonfiguration", nullptr) == nullptr;
    SendMessageA(DialogItem(first, IDC_KONF_RADIOBUTTON3), BM_CLICK, 0, 0);
    SendMessageA(DialogItem(first, IDC_KONF_BT_OK), BM_CLICK, 0, 0);
  });
  ASSERT_NE(nullptr, first);
  EXPECT_TRUE(stillOne);
  EXPECT_FALSE(IsWindow(first));  // destroyed and forgotten
  EXPECT_EQ(1000u, window->main().state().Timer1.Interval());
  EXPECT_EQ(" Slow Mode", Panel(5));

  // Reopened: built afresh, showing what was stored; the close box then
  // neither saves nor reloads.
  bool slowShown = false;
  OpenFromMenu([&] {
    HWND d = FindDialog();
    slowShown = SendMessageA(DialogItem(d, IDC_KONF_RADIOBUTTON3), BM_GETCHECK, 0, 0) == BST_CHECKED;
    SendMessageA(DialogItem(d, IDC_CHECKBOXADS), BM_CLICK, 0, 0);
    SendMessageA(d, WM_CLOSE, 0, 0);
  });
  EXPECT_TRUE(slowShown);
  EXPECT_EQ(nullptr, FindDialog());
  EXPECT_FALSE(S().UseADS);  // not reloaded
  Settings stored;
  RegIniRead(w.registry, stored);
  EXPECT_TRUE(stored.UseADS);  // not saved
  EXPECT_TRUE(IsWindowEnabled(window->hwnd()));
}

}  // namespace zt::test
