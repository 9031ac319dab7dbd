// Which text of the settings dialog's language table goes into which
// control, which tooltip belongs to which control, and the design texts no
// language routine changes. The dialog writes them; the tests read them
// back from the real window.
#pragma once
#include "lang/texts.h"
#include "ui/controls.h"
#include "ui/resource.h"

namespace zt {

using KonfigText = ControlText<SettingsTexts>;
inline constexpr KonfigText kKonfigControlTexts[] = {
    {IDC_KONF_BT_CANCEL, &SettingsTexts::BT_Cancel},
    {IDC_KONF_BT_OK, &SettingsTexts::BT_OK},
    {IDC_KONF_GROUPBOX3, &SettingsTexts::GroupBox3},
    {IDC_CHECKBOXHINT, &SettingsTexts::CheckBoxHint},
    {IDC_CHECKBOXAUTOSTART, &SettingsTexts::CheckBoxAutoStart},
    {IDC_GROUPBOXSCANNER, &SettingsTexts::GroupBoxScanner},
    {IDC_CHECKBOXWDS, &SettingsTexts::CheckBoxWDS},
    {IDC_CHECKBOXURL, &SettingsTexts::CheckBoxURL},
    {IDC_CHECKBOXADS, &SettingsTexts::CheckBoxADS},
    {IDC_CHECKBOXWCS, &SettingsTexts::CheckBoxWCS},
    {IDC_GROUPBOXBROWSER, &SettingsTexts::GroupBoxBrowser},
    {IDC_CHECKBOX_FIREFOX, &SettingsTexts::CheckBox_Firefox},
    {IDC_CHECKBOX_SEAMONKEY, &SettingsTexts::CheckBox_SeaMonkey},
    {IDC_CHECKBOX_NETSCAPE, &SettingsTexts::CheckBox_Netscape},
    {IDC_CHECKBOX_OPERA, &SettingsTexts::CheckBox_Opera},
    {IDC_CHECKBOX_KMELEON, &SettingsTexts::CheckBox_KMeleon},
    {IDC_CHECKBOX_GECKO, &SettingsTexts::CheckBox_Gecko},
    {IDC_CHECKBOX_CHROMIUM, &SettingsTexts::CheckBox_Chromium},
    {IDC_CHECKBOXFLASHAX, &SettingsTexts::CheckBoxFlashAX},
    {IDC_CHECKBOXFLASH7, &SettingsTexts::CheckBoxFlash7},
    {IDC_GROUPBOXADFILTER, &SettingsTexts::GroupBoxAdFilter},
    {IDC_GROUPBOXEXTRAS, &SettingsTexts::GroupBoxExtras},
    {IDC_CHECKBOX_NOTEPAD, &SettingsTexts::CheckBox_Notepad},
    {IDC_CHECKBOX_BANNER, &SettingsTexts::CheckBox_Banner},
    {IDC_RADIOBUTTON_B127, &SettingsTexts::RadioButton_B127},
    {IDC_RADIOBUTTON_B0, &SettingsTexts::RadioButton_B0},
    {IDC_CHECKBOX_CHECK_HOST_ON_START, &SettingsTexts::CheckBox_Check_host_on_start},
    {IDC_GROUPBOXSERVICES, &SettingsTexts::GroupBoxServices},
    {IDC_KONF_BUTTON1, &SettingsTexts::Button1},
    {IDC_KONF_BUTTON2, &SettingsTexts::Button2},
};
inline constexpr KonfigText kKonfigHints[] = {
    {IDC_KONF_BT_CANCEL, &SettingsTexts::BT_CancelHint},
    {IDC_KONF_BT_OK, &SettingsTexts::BT_OKHint},
    {IDC_CHECKBOXAUTOSTART, &SettingsTexts::CheckBoxAutoStartHint},
    {IDC_CHECKBOXHINT, &SettingsTexts::CheckBoxHintHint},
    {IDC_CHECKBOXADS, &SettingsTexts::CheckBoxADSHint},
    {IDC_CHECKBOXURL, &SettingsTexts::CheckBoxURLHint},
    {IDC_CHECKBOXWCS, &SettingsTexts::CheckBoxWCSHint},
    {IDC_CHECKBOXWDS, &SettingsTexts::CheckBoxWDSHint},
    {IDC_KONF_RADIOBUTTON1, &SettingsTexts::RadioButton1Hint},
    {IDC_KONF_RADIOBUTTON2, &SettingsTexts::RadioButton2Hint},
    {IDC_KONF_RADIOBUTTON3, &SettingsTexts::RadioButton3Hint},
    {IDC_CHECKBOX_IE, &SettingsTexts::CheckBox_IEHint},
    {IDC_CHECKBOX_FIREFOX, &SettingsTexts::CheckBox_FirefoxHint},
    {IDC_CHECKBOX_MZ, &SettingsTexts::CheckBox_MZHint},
    {IDC_CHECKBOX_SEAMONKEY, &SettingsTexts::CheckBox_SeaMonkeyHint},
    {IDC_CHECKBOX_NETSCAPE, &SettingsTexts::CheckBox_NetscapeHint},
    {IDC_CHECKBOX_OPERA, &SettingsTexts::CheckBox_OperaHint},
    {IDC_CHECKBOX_KMELEON, &SettingsTexts::CheckBox_KMeleonHint},
    {IDC_CHECKBOX_GECKO, &SettingsTexts::CheckBox_GeckoHint},
    {IDC_CHECKBOX_CHROMIUM, &SettingsTexts::CheckBox_ChromiumHint},
    {IDC_CHECKBOXFLASH7, &SettingsTexts::CheckBoxFlash7Hint},
    {IDC_CHECKBOXFLASHAX, &SettingsTexts::CheckBoxFlashAXHint},
    {IDC_CHECKBOXFLASH_MZ, &SettingsTexts::CheckboxFlash_MZHint},
    {IDC_CHECKBOX_NOTEPAD, &SettingsTexts::CheckBox_NotepadHint},
    {IDC_BUTTON_HOSTDEF, &SettingsTexts::Button_hostDefHint},
    {IDC_CHECKBOX_BANNER, &SettingsTexts::CheckBox_BannerHint},
    {IDC_CHECKBOX_CHECK_HOST_ON_START, &SettingsTexts::CheckBox_Check_host_on_startHint},
    {IDC_RADIOBUTTON_B0, &SettingsTexts::RadioButton_B0Hint},
    {IDC_RADIOBUTTON_B127, &SettingsTexts::RadioButton_B127Hint},
};

struct KonfigDesignText {
  int control;
  const char* text;
};
inline constexpr KonfigDesignText kKonfigDesignTexts[] = {
    {IDC_GROUPBOXINTERVAL, kSettingsGroupBoxInterval},
    {IDC_KONF_RADIOBUTTON1, kSettingsRadioButton1},
    {IDC_KONF_RADIOBUTTON2, kSettingsRadioButton2},
    {IDC_KONF_RADIOBUTTON3, kSettingsRadioButton3},
    {IDC_CHECKBOX_IE, kSettingsCheckBox_IE},
    {IDC_CHECKBOX_MZ, kSettingsCheckBox_MZ},
    {IDC_GROUPBOXFLASHIE, kSettingsGroupBoxFlashIE},
    {IDC_CHECKBOXFLASH_MZ, kSettingsCheckboxFlash_MZ},
    {IDC_GROUPBOXBANNER, kSettingsGroupBoxBanner},
    {IDC_BUTTON_HOSTDEF, kSettingsButton_hostDef},
    {IDC_KONF_CHECKBOX1, kSettingsServices[0]},
    {IDC_KONF_CHECKBOX2, kSettingsServices[1]},
    {IDC_KONF_CHECKBOX3, kSettingsServices[2]},
    {IDC_KONF_CHECKBOX4, kSettingsServices[3]},
    {IDC_KONF_CHECKBOX5, kSettingsServices[4]},
    {IDC_KONF_CHECKBOX6, kSettingsServices[5]},
};

// The pages of Pagecontrol1 in order: template, control id.
struct KonfigPage {
  int templateId;
  int control;
};
inline constexpr KonfigPage kKonfigPages[] = {
    {IDD_TABSHEET1, IDC_TABSHEET1}, {IDD_TABSHEET2, IDC_TABSHEET2}, {IDD_TABSHEET3, IDC_TABSHEET3},
    {IDD_TABSHEET4, IDC_TABSHEET4}, {IDD_TABSHEET5, IDC_TABSHEET5}, {IDD_TABSHEET7, IDC_TABSHEET7},
};

// The control of each KonfigControl, in its order.
inline constexpr int kKonfigControlIds[] = {
    IDC_CHECKBOXHINT,      IDC_CHECKBOXAUTOSTART, IDC_CHECKBOXWDS,          IDC_CHECKBOXURL,
    IDC_CHECKBOXADS,       IDC_CHECKBOXWCS,       IDC_KONF_RADIOBUTTON1,    IDC_KONF_RADIOBUTTON2,
    IDC_KONF_RADIOBUTTON3, IDC_CHECKBOX_IE,       IDC_CHECKBOX_MZ,          IDC_CHECKBOX_FIREFOX,
    IDC_CHECKBOXFLASHAX,   IDC_CHECKBOXFLASH7,    IDC_CHECKBOXFLASH_MZ,     IDC_CHECKBOX_NOTEPAD,
    IDC_CHECKBOX_BANNER,   IDC_RADIOBUTTON_B127,  IDC_RADIOBUTTON_B0,       IDC_BUTTON_HOSTDEF,
    IDC_CHECKBOX_CHECK_HOST_ON_START,             IDC_GROUPBOXSERVICES,     IDC_KONF_CHECKBOX1,
    IDC_KONF_CHECKBOX2,    IDC_KONF_CHECKBOX3,    IDC_KONF_CHECKBOX4,       IDC_KONF_CHECKBOX5,
    IDC_KONF_CHECKBOX6,    IDC_KONF_BUTTON1,      IDC_KONF_BUTTON2,         IDC_CHECKBOX_SEAMONKEY,
    IDC_CHECKBOX_NETSCAPE, IDC_CHECKBOX_OPERA,    IDC_CHECKBOX_KMELEON,     IDC_CHECKBOX_GECKO,
    IDC_CHECKBOX_CHROMIUM,
};

}  // namespace zt
