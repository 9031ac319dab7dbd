// The settings dialog's logic against the stand-ins: what each control
// writes and sets going, how the dialog is filled for the rights and the
// system, and the order of OK and Cancel.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>

#include "app/konfiguration.h"
#include "system/filters.h"
#include "sim_world.h"

namespace zt::test {
namespace {

using C = KonfigControl;

// The dialog as the logic sees it: states of the controls and a log of
// what happened to the window.
struct RecordingKonfigView : KonfigurationView {
  bool Checked(C c) override { return checked[c]; }
  void SetChecked(C c, bool on) override { checked[c] = on; }
  void SetEnabled(C c, bool on) override { Mark(disabled, c, !on); }
  void SetVisible(C c, bool on) override { Mark(hidden, c, !on); }
  static void Mark(std::set<C>& set, C c, bool in) {
    if (in) set.insert(c);
    else set.erase(c);
  }
  void SetTitle(const std::string& t) override { title = t; }
  void SetLanguage(int language) override { log.push_back("language " + std::to_string(language)); }
  void SetHintsActive(bool on) override { hints = on; }
  void SetHelpContext(int context) override { help = context; }
  void Show() override { log.push_back("show"); }
  void Hide() override { log.push_back("hide"); }
  void ProcessPendingMessages() override { log.push_back("pending"); }
  void Close() override {
    log.push_back("close");
    if (onClose) onClose();
  }
  std::map<C, bool> checked;
  std::set<C> disabled, hidden;
  std::string title;
  bool hints = false;
  int help = 0;
  std::vector<std::string> log;
  std::function<void()> onClose;
};

class Konfig : public ::testing::Test {
 protected:
  void SetUp() override {
    w.Install();
    main = std::make_unique<ZapotrixMain>(w.os, w.view, w.timer1, w.timerCheck);
    main->FormCreate();
    App().flags.IsAdmin = true;
    App().flags.IsNTFamily = App().flags.IsWinXP = true;
  }
  AppState& App() { return main->state(); }
  Settings& S() { return App().settings; }
  Konfiguration& Open() {
    dialog = std::make_unique<Konfiguration>(*main, view);
    dialog->FormShow();
    return *dialog;
  }
  // A user's click: the control changes its state, then tells the dialog.
  void Click(C c) {
    view.checked[c] = !view.checked[c];
    dialog->Click(c);
  }
  void Select(C c) {
    view.checked[c] = true;
    dialog->Click(c);
  }
  bool RunEntry() {
    return w.registry.QueryValue(HKey::LocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "zapotrix")
        .has_value();
  }

  SimWorld w;
  std::unique_ptr<ZapotrixMain> main;
  RecordingKonfigView view;
  std::unique_ptr<Konfiguration> dialog;
};

}  // namespace

TEST_F(Konfig, EveryCheckBoxWritesItsSettingBothWays) {
  const struct {
    C control;
    bool Settings::*field;
  } cases[] = {
      {C::CheckBoxHint, &Settings::ShowHint},       {C::CheckBoxAutoStart, &Settings::AutoStart},
      {C::CheckBoxWDS, &Settings::UseWDS},          {C::CheckBoxURL, &Settings::UseURL},
      {C::CheckBoxADS, &Settings::UseADS},          {C::CheckBoxWCS, &Settings::UseWCS},
      {C::CheckBox_IE, &Settings::Internet_Explorer}, {C::CheckBox_MZ, &Settings::Mozilla},
      {C::CheckBox_Firefox, &Settings::Firefox},    {C::CheckBoxFlashAX, &Settings::FlashAX},
      {C::CheckBoxFlash7, &Settings::Flash7},       {C::CheckboxFlash_MZ, &Settings::Flash_MZ},
      {C::CheckBox_Notepad, &Settings::Notepad},    {C::CheckBox_Banner, &Settings::hosts},
      {C::CheckBox_Check_host_on_start, &Settings::hosts_onstartup},
      {C::CheckBox1, &Settings::Services_NachrichtenDienst}, {C::CheckBox2, &Settings::Services_Warndienst},
      {C::CheckBox3, &Settings::Services_RemoteRegistrierung},
      {C::CheckBox4, &Settings::Services_Fehlerberichterstattung},
      {C::CheckBox5, &Settings::Services_AutomatischeUpdates},
      {C::CheckBox6, &Settings::Services_Systemwiederherstellung},
      {C::CheckBox_SeaMonkey, &Settings::SeaMonkey}, {C::CheckBox_Netscape, &Settings::Netscape},
      {C::CheckBox_Opera, &Settings::Opera},         {C::CheckBox_KMeleon, &Settings::K_Meleon},
      {C::CheckBox_Gecko, &Settings::Gecko_Goanna},  {C::CheckBox_Chromium, &Settings::Chromium},
  };
  Open();
  for (const auto& c : cases) {
    bool before = S().*c.field;
    EXPECT_EQ(before, view.checked[c.control]) << static_cast<int>(c.control);
    Click(c.control);
    EXPECT_EQ(!before, S().*c.field) << static_cast<int>(c.control);
    Click(c.control);
    EXPECT_EQ(before, S().*c.field) << static_cast<int>(c.control);
  }
}

TEST_F(Konfig, ScannerHintAndAutostartBoxesActAtOnce) {
  Open();
  const struct {
    C control;
    int panel;
    const char* off;
  } scanners[] = {{C::CheckBoxWDS, 1, " WDS: OFF"}, {C::CheckBoxURL, 2, " URL: OFF"},
                  {C::CheckBoxADS, 3, " ADS: OFF"}, {C::CheckBoxWCS, 4, " WCS: OFF"}};
  for (const auto& s : scanners) {
    Click(s.control);
    EXPECT_EQ(s.off, w.view.panels[s.panel]);
  }
  Click(C::CheckBoxHint);
  EXPECT_FALSE(view.hints);
  ASSERT_TRUE(RunEntry());  // the default AutoStart wrote it when the dialog was filled
  Click(C::CheckBoxAutoStart);
  EXPECT_FALSE(RunEntry());
}

TEST_F(Konfig, SpeedButtonsSetIntervalTimerAndPanel) {
  const struct {
    C button;
    int interval;
    unsigned ms;
    const char* panel;
  } cases[] = {{C::RadioButton3, 2, 1000, " Slow Mode"},
               {C::RadioButton2, 1, 500, " Normal Mode"},
               {C::RadioButton1, 0, 250, " Fast Mode"}};
  Open();
  for (const auto& c : cases) {
    Select(c.button);
    EXPECT_EQ(c.interval, S().interval);
    EXPECT_EQ(c.ms, w.timer1.interval);
    EXPECT_EQ(c.panel, w.view.panels[5]);
    for (C other : {C::RadioButton1, C::RadioButton2, C::RadioButton3})
      EXPECT_EQ(other == c.button, view.checked[other]);
  }
}

TEST_F(Konfig, TitleAndLockedControlsFollowRightsAndSystem) {
  const struct {
    bool admin, nt;
    const char* title;
  } cases[] = {{true, true, "Configuration"},
               {true, false, "Configuration (Win9x)"},
               {false, true, "Configuration (Restricted Account)"},
               {false, false, "Configuration (Restricted Account, Win9x)"}};
  for (const auto& c : cases) {
    App().flags.IsAdmin = c.admin;
    App().flags.IsNTFamily = c.nt;
    S().hosts = true;
    view = RecordingKonfigView();
    Open();
    EXPECT_EQ(c.title, view.title);
    std::set<C> hidden, disabled;
    if (!c.admin) {
      hidden = {C::RadioButton_B127, C::RadioButton_B0};
      disabled = {C::CheckBox_Banner, C::Button_hostDef, C::CheckBoxAutoStart, C::CheckBox_Check_host_on_start,
                  C::CheckBoxFlash7,  C::CheckboxFlash_MZ, C::GroupBoxServices, C::CheckBox1,
                  C::CheckBox2,       C::CheckBox3,      C::CheckBox4,         C::CheckBox5,
                  C::CheckBox6};
    }
    EXPECT_EQ(hidden, view.hidden) << c.title;
    EXPECT_EQ(disabled, view.disabled) << c.title;
  }
}

TEST_F(Konfig, HostControlsFollowBlockingAndTheStoredAddress) {
  const struct {
    bool hosts;
    const char* ip;
    bool b127, b0;
  } cases[] = {{true, "127.0.0.1", true, false},
               {true, "0.0.0.0", false, true},
               {true, "10.0.0.1", false, false},  // neither button changes
               {false, "0.0.0.0", false, false}};
  for (const auto& c : cases) {
    S().hosts = c.hosts;
    S().host_ip = c.ip;
    view = RecordingKonfigView();
    Open();
    EXPECT_EQ(c.b127, view.checked[C::RadioButton_B127]) << c.ip;
    EXPECT_EQ(c.b0, view.checked[C::RadioButton_B0]) << c.ip;
    EXPECT_EQ(c.ip, S().host_ip);
    EXPECT_EQ(!c.hosts, view.disabled.count(C::RadioButton_B0) == 1);
  }
  // The address buttons mirror each other.
  Select(C::RadioButton_B0);
  EXPECT_EQ("0.0.0.0", S().host_ip);
  EXPECT_FALSE(view.checked[C::RadioButton_B127]);
  Click(C::CheckBox_Banner);
  EXPECT_TRUE(view.disabled.empty());
}

TEST_F(Konfig, AllAndNoneSwitchTheSixServices) {
  Open();
  dialog->Button1Click();
  EXPECT_TRUE(S().Services_NachrichtenDienst && S().Services_Warndienst && S().Services_RemoteRegistrierung &&
              S().Services_Fehlerberichterstattung && S().Services_AutomatischeUpdates &&
              S().Services_Systemwiederherstellung);
  dialog->Button2Click();
  EXPECT_FALSE(S().Services_NachrichtenDienst || S().Services_Warndienst || S().Services_RemoteRegistrierung ||
               S().Services_Fehlerberichterstattung || S().Services_AutomatischeUpdates ||
               S().Services_Systemwiederherstellung);
}

TEST_F(Konfig, OkAsRestrictedAccountUndoesAndKeepsHostsThenSavesAndCloses) {
  // The kill bit is ours from an earlier run.
  App().flags.IsAdmin = true;
  Flash7change(w.registry, kFilterInstall);
  ASSERT_TRUE(w.registry.QueryValue(HKey::LocalMachine, kFlashKey, kFlashValue));
  App().flags.IsAdmin = false;
  S().Flash7 = true;
  Open();
  Click(C::CheckBox_Banner);  // a locked box, still: OK must not take it
  Click(C::CheckBoxWDS);
  bool savedAtClose = false;
  view.log.clear();
  view.onClose = [&] {
    Settings stored;
    RegIniRead(w.registry, stored);
    savedAtClose = !stored.UseWDS && !stored.hosts;
  };
  dialog->BT_OKClick();
  EXPECT_FALSE(w.registry.QueryValue(HKey::LocalMachine, kFlashKey, kFlashValue));
  EXPECT_FALSE(S().hosts);
  EXPECT_TRUE(savedAtClose);
  EXPECT_EQ((std::vector<std::string>{"hide", "pending", "pending", "close"}), view.log);
}

TEST_F(Konfig, OkThatCannotSaveShowsTheDialogAgain) {
  Open();
  w.registry.DenyWrite(HKey::CurrentUser, kSettingsKey);
  view.log.clear();
  EXPECT_THROW(dialog->BT_OKClick(), RegistryError);
  EXPECT_EQ((std::vector<std::string>{"hide", "pending", "show"}), view.log);
}

TEST_F(Konfig, CancelReloadsTheStoredSettingsAndAutostartStaysGone) {
  RegIniSave(w.registry, S());
  Open();
  ASSERT_TRUE(RunEntry());
  Click(C::CheckBoxAutoStart);
  Click(C::CheckBox_IE);
  view.log.clear();
  dialog->BT_CancelClick();
  EXPECT_TRUE(S().AutoStart);
  EXPECT_TRUE(S().Internet_Explorer);
  EXPECT_FALSE(RunEntry());
  EXPECT_EQ((std::vector<std::string>{"hide", "pending", "close"}), view.log);
}

TEST_F(Konfig, PagesSetTheHelpContext) {
  Open();
  const int expected[] = {101, 102, 103, 111, 104, 105};
  for (int page = 0; page < 6; ++page) {
    dialog->Pagecontrol1Change(page);
    EXPECT_EQ(expected[page], view.help);
  }
}

}  // namespace zt::test
