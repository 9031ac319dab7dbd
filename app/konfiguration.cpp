// The settings dialog's logic: click handlers, filling, OK and Cancel.
#include "app/konfiguration.h"

#include <exception>

#include "hosts/hosts_file.h"
#include "lang/texts.h"
#include "system/filters.h"
#include "system/probes.h"
#include "system/services.h"

namespace zt {
namespace {

using C = KonfigControl;

// The check boxes and the setting each one writes.
struct BoxField {
  KonfigControl control;
  bool Settings::*field;
};
constexpr BoxField kBoxFields[] = {
    {C::CheckBoxHint, &Settings::ShowHint},
    {C::CheckBoxAutoStart, &Settings::AutoStart},
    {C::CheckBoxWDS, &Settings::UseWDS},
    {C::CheckBoxURL, &Settings::UseURL},
    {C::CheckBoxADS, &Settings::UseADS},
    {C::CheckBoxWCS, &Settings::UseWCS},
    {C::CheckBox_IE, &Settings::Internet_Explorer},
    {C::CheckBox_MZ, &Settings::Mozilla},
    {C::CheckBox_Firefox, &Settings::Firefox},
    {C::CheckBox_SeaMonkey, &Settings::SeaMonkey},
    {C::CheckBox_Netscape, &Settings::Netscape},
    {C::CheckBox_Opera, &Settings::Opera},
    {C::CheckBox_KMeleon, &Settings::K_Meleon},
    {C::CheckBox_Gecko, &Settings::Gecko_Goanna},
    {C::CheckBox_Chromium, &Settings::Chromium},
    {C::CheckBoxFlashAX, &Settings::FlashAX},
    {C::CheckBoxFlash7, &Settings::Flash7},
    {C::CheckboxFlash_MZ, &Settings::Flash_MZ},
    {C::CheckBox_Notepad, &Settings::Notepad},
    {C::CheckBox_Banner, &Settings::hosts},
    {C::CheckBox_Check_host_on_start, &Settings::hosts_onstartup},
    {C::CheckBox1, &Settings::Services_NachrichtenDienst},
    {C::CheckBox2, &Settings::Services_Warndienst},
    {C::CheckBox3, &Settings::Services_RemoteRegistrierung},
    {C::CheckBox4, &Settings::Services_Fehlerberichterstattung},
    {C::CheckBox5, &Settings::Services_AutomatischeUpdates},
    {C::CheckBox6, &Settings::Services_Systemwiederherstellung},
};

constexpr KonfigControl kSpeedButtons[] = {C::RadioButton1, C::RadioButton2, C::RadioButton3};
constexpr KonfigControl kServiceBoxes[] = {C::CheckBox1, C::CheckBox2, C::CheckBox3,
                                           C::CheckBox4, C::CheckBox5, C::CheckBox6};
// What blocking through the hosts file switches on and off.
constexpr KonfigControl kHostsOptions[] = {C::RadioButton_B127, C::RadioButton_B0, C::CheckBox_Check_host_on_start};
// What a restricted account may not change: the machine-wide settings.
constexpr KonfigControl kAdminOnly[] = {C::CheckBox_Banner,   C::Button_hostDef,   C::CheckBoxAutoStart,
                                        C::CheckBox_Check_host_on_start,           C::CheckBoxFlash7,
                                        C::CheckboxFlash_MZ,  C::GroupBoxServices, C::CheckBox1,
                                        C::CheckBox2,         C::CheckBox3,        C::CheckBox4,
                                        C::CheckBox5,         C::CheckBox6};

constexpr const char* kIp127 = "127.0.0.1";
constexpr const char* kIp0 = "0.0.0.0";

}  // namespace

std::string KonfigurationTitle(const SettingsTexts& t, const char* normal, bool isAdmin, bool isNTFamily) {
  if (!isAdmin) return isNTFamily ? t.titleRestricted : t.titleRestrictedWin9x;
  if (!isNTFamily) return t.titleWin9x;
  return normal;
}

Konfiguration::Konfiguration(ZapotrixMain& main, KonfigurationView& view)
    : main_(main), app_(main.state()), view_(view), hostsAtCreation_(main.state().settings.hosts) {}

bool* Konfiguration::Field(KonfigControl c) {
  for (const BoxField& b : kBoxFields)
    if (b.control == c) return &(app_.settings.*b.field);
  return nullptr;
}

void Konfiguration::FormShow() {
  view_.SetLanguage(app_.flags.IsGerman ? kLanguageGerman : kLanguageEnglish);
  setcheckboxes();
  view_.SetHintsActive(app_.settings.ShowHint);
}

void Konfiguration::Put(KonfigControl c, bool checked) {
  if (view_.Checked(c) == checked) return;
  view_.SetChecked(c, checked);
  Click(c);
}

void Konfiguration::setcheckboxes() {
  // Each box from its setting; the click handling that runs where a box
  // changes writes the same value back (and acts on it, as a click does).
  const Settings stored = app_.settings;
  for (const BoxField& b : kBoxFields) {
    if (b.control == C::CheckBox_Banner || b.control == C::CheckBox_Check_host_on_start) continue;
    Put(b.control, stored.*b.field);
  }
  if (stored.interval >= 0 && stored.interval <= 2) Put(kSpeedButtons[stored.interval], true);

  // Blocking through the hosts file and its options.
  Put(C::CheckBox_Banner, stored.hosts);
  for (KonfigControl c : kHostsOptions) view_.SetEnabled(c, stored.hosts);
  if (stored.hosts) {
    if (stored.host_ip == kIp127) Put(C::RadioButton_B127, true);
    else if (stored.host_ip == kIp0) Put(C::RadioButton_B0, true);
  }
  Put(C::CheckBox_Check_host_on_start, stored.hosts_onstartup);

  const Texts& t = app_.texts();
  const ProcessFlags& f = app_.flags;
  view_.SetTitle(KonfigurationTitle(t.settings, t.settings.caption, f.IsAdmin, f.IsNTFamily));
  if (!f.IsAdmin) {
    view_.SetVisible(C::RadioButton_B127, false);
    view_.SetVisible(C::RadioButton_B0, false);
    for (KonfigControl c : kAdminOnly) view_.SetEnabled(c, false);
  }
}

void Konfiguration::Click(KonfigControl c) {
  switch (c) {
    case C::CheckBoxHint:
    case C::CheckBoxAutoStart: CheckBoxHintClick(c); break;
    case C::CheckBoxWDS:
    case C::CheckBoxURL:
    case C::CheckBoxADS:
    case C::CheckBoxWCS: CheckBoxWDSClick(c); break;
    case C::RadioButton1:
    case C::RadioButton2:
    case C::RadioButton3: RadioButton1Click(c); break;
    case C::CheckBox_IE:
    case C::CheckBox_MZ:
    case C::CheckBox_Firefox:
    case C::CheckBox_SeaMonkey:
    case C::CheckBox_Netscape:
    case C::CheckBox_Opera:
    case C::CheckBox_KMeleon:
    case C::CheckBox_Gecko:
    case C::CheckBox_Chromium: CheckBox_IEClick(c); break;
    case C::CheckBoxFlashAX:
    case C::CheckBoxFlash7:
    case C::CheckboxFlash_MZ:
    case C::CheckBox_Notepad: CheckBoxFlashAXClick(c); break;
    case C::CheckBox_Banner: CheckBox_BannerClick(); break;
    case C::RadioButton_B127: RadioButton_B127Click(); break;
    case C::RadioButton_B0: RadioButton_B0Click(); break;
    case C::Button_hostDef: Button_hostDefClick(); break;
    case C::CheckBox_Check_host_on_start: CheckBox_Check_host_on_startClick(); break;
    case C::CheckBox1:
    case C::CheckBox2:
    case C::CheckBox3:
    case C::CheckBox4:
    case C::CheckBox5:
    case C::CheckBox6: CheckBox1Click(c); break;
    case C::Button1: Button1Click(); break;
    case C::Button2: Button2Click(); break;
    case C::GroupBoxServices: break;
  }
}

void Konfiguration::CheckBoxHintClick(KonfigControl c) {
  bool on = view_.Checked(c);
  if (c == C::CheckBoxHint) {
    app_.settings.ShowHint = on;
    view_.SetHintsActive(on);
  } else {
    app_.settings.AutoStart = on;
    XCFG_Autostart(app_.Autostart(), on);
  }
}

void Konfiguration::CheckBoxWDSClick(KonfigControl c) {
  *Field(c) = view_.Checked(c);
  switch (c) {
    case C::CheckBoxWDS: main_.XCFG_SCANNER_WDS(); break;
    case C::CheckBoxURL: main_.XCFG_SCANNER_URL(); break;
    case C::CheckBoxADS: main_.XCFG_SCANNER_ADS(); break;
    default: main_.XCFG_SCANNER_WCS(); break;
  }
}

void Konfiguration::RadioButton1Click(KonfigControl c) {
  if (!view_.Checked(c)) return;
  for (int mode = 0; mode < 3; ++mode) {
    if (kSpeedButtons[mode] != c) {
      view_.SetChecked(kSpeedButtons[mode], false);
      continue;
    }
    app_.settings.interval = static_cast<int8_t>(mode);
  }
  main_.XCFG_Interval();
}

void Konfiguration::CheckBox_IEClick(KonfigControl c) { *Field(c) = view_.Checked(c); }

void Konfiguration::CheckBoxFlashAXClick(KonfigControl c) { *Field(c) = view_.Checked(c); }

void Konfiguration::CheckBox_BannerClick() {
  bool on = view_.Checked(C::CheckBox_Banner);
  app_.settings.hosts = on;
  for (KonfigControl c : kHostsOptions) view_.SetEnabled(c, on);
}

void Konfiguration::RadioButton_B127Click() {
  bool other = zt::RadioButton_B127Click(app_.settings, view_.Checked(C::RadioButton_B127));
  view_.SetChecked(C::RadioButton_B0, other);
}

void Konfiguration::RadioButton_B0Click() {
  bool other = zt::RadioButton_B0Click(app_.settings, view_.Checked(C::RadioButton_B0));
  view_.SetChecked(C::RadioButton_B127, other);
}

void Konfiguration::Button_hostDefClick() {
  if (!zt::Button_hostDefClick(app_.Hosts(), app_.settings)) return;
  view_.SetChecked(C::CheckBox_Banner, false);
  CheckBox_BannerClick();
}

void Konfiguration::CheckBox_Check_host_on_startClick() {
  app_.settings.hosts_onstartup = view_.Checked(C::CheckBox_Check_host_on_start);
}

void Konfiguration::CheckBox1Click(KonfigControl c) { *Field(c) = view_.Checked(c); }

void Konfiguration::Button1Click() {
  for (KonfigControl c : kServiceBoxes) Put(c, true);
}

void Konfiguration::Button2Click() {
  for (KonfigControl c : kServiceBoxes) Put(c, false);
}

void Konfiguration::BT_OKClick() {
  view_.Hide();
  view_.ProcessPendingMessages();
  try {
    const Settings& s = app_.settings;
    bool admin = app_.flags.IsAdmin;
    Flash7change(app_.os.registry, s.Flash7 && admin ? kFilterInstall : kFilterRemove);
    Adfilter(app_.Filters(), "Mozilla", s.Flash_MZ && admin ? kFilterInstall : kFilterRemove);
    if (admin && app_.flags.IsWinXP) SetAndStopServices(app_.Services(), s);
    HostsDialogOk(app_.Hosts(), app_.settings, hostsAtCreation_);
    RegIniSave(app_.os.registry, app_.settings);
  } catch (const std::exception&) {
    // A hidden modal dialog would leave the program without a usable
    // window: the dialog comes back, and the caller shows the error. The
    // user can press OK again or leave with Cancel.
    view_.Show();
    throw;
  }
  view_.ProcessPendingMessages();
  view_.Close();
}

void Konfiguration::BT_CancelClick() {
  view_.Hide();
  RegIniRead(app_.os.registry, app_.settings);
  view_.ProcessPendingMessages();
  view_.Close();
}

void Konfiguration::Pagecontrol1Change(int page) {
  view_.ProcessPendingMessages();
  if (page >= 0 && page < kKonfigPageCount) view_.SetHelpContext(kKonfigHelpContexts[page]);
}

}  // namespace zt
