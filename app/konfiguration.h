// The logic of the settings dialog TKonfiguration: what each control writes
// into the settings when it is clicked and what acts at once (scanner
// panels, scan speed, tooltips, autostart), the filling of the controls
// with the title and the controls a restricted account or an older system
// may not use, and the order of OK and Cancel. Window-free: it talks to the
// dialog through KonfigurationView and to the program through ZapotrixMain.
#pragma once
#include <string>

#include "app/zapotrix_main.h"

namespace zt {

// The dialog's controls that the logic reads or changes.
enum class KonfigControl {
  CheckBoxHint,
  CheckBoxAutoStart,
  CheckBoxWDS,
  CheckBoxURL,
  CheckBoxADS,
  CheckBoxWCS,
  RadioButton1,  // fast
  RadioButton2,  // normal
  RadioButton3,  // slow
  CheckBox_IE,
  CheckBox_MZ,
  CheckBox_Firefox,
  CheckBoxFlashAX,
  CheckBoxFlash7,
  CheckboxFlash_MZ,
  CheckBox_Notepad,
  CheckBox_Banner,
  RadioButton_B127,
  RadioButton_B0,
  Button_hostDef,
  CheckBox_Check_host_on_start,
  GroupBoxServices,
  CheckBox1,  // the six services, in the order of the settings
  CheckBox2,
  CheckBox3,
  CheckBox4,
  CheckBox5,
  CheckBox6,
  Button1,  // all services
  Button2,  // no services
  CheckBox_SeaMonkey,  // the browser families beyond the first three
  CheckBox_Netscape,
  CheckBox_Opera,
  CheckBox_KMeleon,
  CheckBox_Gecko,
  CheckBox_Chromium,
};
constexpr int kKonfigControlCount = static_cast<int>(KonfigControl::CheckBox_Chromium) + 1;

// The pages of Pagecontrol1 in order and the help context of each.
constexpr int kKonfigPageCount = 6;
constexpr int kKonfigHelpContexts[kKonfigPageCount] = {101, 102, 103, 111, 104, 105};
// The help context of the dialog when it is created, and the page it opens on.
constexpr int kKonfigInitialHelpContext = 101;
constexpr int kKonfigInitialPage = 5;

// What the logic asks of the dialog window.
class KonfigurationView {
 public:
  virtual ~KonfigurationView() = default;
  virtual bool Checked(KonfigControl c) = 0;
  // Sets the state only; the logic runs the click handling itself.
  virtual void SetChecked(KonfigControl c, bool checked) = 0;
  virtual void SetEnabled(KonfigControl c, bool enabled) = 0;
  virtual void SetVisible(KonfigControl c, bool visible) = 0;
  virtual void SetTitle(const std::string& title) = 0;
  // The dialog's language routine SetLanguage(1|0): the texts and tooltips.
  virtual void SetLanguage(int language) = 0;
  // Tooltips of this dialog and of the main window on or off.
  virtual void SetHintsActive(bool active) = 0;
  virtual void SetHelpContext(int context) = 0;
  virtual void Show() = 0;
  virtual void Hide() = 0;
  virtual void ProcessPendingMessages() = 0;
  // Closes the dialog the common way of the secondary windows (FormClose).
  virtual void Close() = 0;
};

// The dialog title for the rights and the system; `normal` is the title of
// the language.
std::string KonfigurationTitle(const SettingsTexts& t, const char* normal, bool isAdmin, bool isNTFamily);

class Konfiguration {
 public:
  // FormCreate: remembers `hosts` as it is now.
  Konfiguration(ZapotrixMain& main, KonfigurationView& view);

  // Shown: the language, the controls, the tooltips.
  void FormShow();
  void setcheckboxes();

  // A click on a control, after the control changed its own state (a
  // check box toggled, a radio button selected). Calls the named handler.
  void Click(KonfigControl c);
  void CheckBoxHintClick(KonfigControl c);
  void CheckBoxWDSClick(KonfigControl c);
  void RadioButton1Click(KonfigControl c);
  void CheckBox_IEClick(KonfigControl c);
  void CheckBoxFlashAXClick(KonfigControl c);
  void CheckBox_BannerClick();
  void RadioButton_B127Click();
  void RadioButton_B0Click();
  void Button_hostDefClick();
  void CheckBox_Check_host_on_startClick();
  void CheckBox1Click(KonfigControl c);
  void Button1Click();
  void Button2Click();

  void BT_OKClick();
  void BT_CancelClick();
  void Pagecontrol1Change(int page);

 private:
  // Puts a state into a control and runs its click handling when the state
  // changed, as a user's click would.
  void Put(KonfigControl c, bool checked);
  bool* Field(KonfigControl c);

  ZapotrixMain& main_;
  AppState& app_;
  KonfigurationView& view_;
  bool hostsAtCreation_;
};

}  // namespace zt
