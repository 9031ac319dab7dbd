// The info window TINFO, window-free: the lines that follow the language
// and what its links and its button do. The window (ui/info_window.h)
// implements InfoView; the logo, the fixed texts, the fonts and the colours
// are its own.
#pragma once
#include "app/app_state.h"
#include "lang/texts.h"

namespace zt {

class InfoView {
 public:
  virtual ~InfoView() = default;
  // The three middle lines (Label4, Label9, Label7) in the language of the texts.
  virtual void ShowTexts(const InfoTexts& texts) = 0;
  // FormClose: hides the window and ends its modal loop.
  virtual void Close() = 0;
};

class Info {
 public:
  Info(AppState& app, InfoView& view);

  void FormShow();
  // kLanguageGerman or kLanguageEnglish; anything else changes nothing.
  void SetLanguage(int language);
  // The maker's and the distributor's sites, in the registered browser.
  void Label5Click();
  void Label6Click();
  void Button1Click() { view_.Close(); }

 private:
  AppState& app_;
  InfoView& view_;
  WindowLanguage<InfoTexts> language_;
};

}  // namespace zt
