// The info window TINFO: logo, name, version, the maker's notice, three
// lines in the user's language and the two web links. Created on demand,
// shown modally over the main window and destroyed when it closes. What
// follows the language and what the links do is Info (app/info.h); this
// class creates the controls, passes the events on and implements InfoView.
#pragma once
#include <string>

#include "app/app_state.h"
#include "app/info.h"
#include "lang/texts.h"
#include "ui/gdi.h"
#include "ui/secondary_window.h"

namespace zt {

// The client area of the info window in pixels.
constexpr int kInfoClientWidth = 355;
constexpr int kInfoClientHeight = 242;

// The JPEG logo stored in the program's resources (empty when missing).
std::string LogoResource();

class InfoWindow : public SecondaryWindow, private InfoView {
 public:
  // logoJpeg: the picture for Image1; a picture that does not decode
  // leaves Image1 empty.
  InfoWindow(AppState& app, HWND mainWindow, std::string logoJpeg = LogoResource());
  ~InfoWindow() override;

  // Creates the window hidden, centred on the main window.
  bool Create() override;
  void Present() override { ShowModal(); }
  bool IsOpen() const override { return hwnd() && !closed_; }
  // Shows the window (FormShow) without waiting for it to close.
  void Show();
  // Shows the window modally: returns when it has been closed.
  void ShowModal();
  bool closed() const { return closed_; }
  bool hasLogo() const { return logo_.get() != nullptr; }

  void SetLanguage(int language) { info_.SetLanguage(language); }

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void SetText(int control, const char* text) { SetDlgItemTextA(hwnd(), control, text); }
  bool IsLink(HWND control) const;

  // InfoView
  void ShowTexts(const InfoTexts& texts) override;
  void Close() override;

  HWND main_;
  std::string logoJpeg_;
  GdiObject<HBITMAP> logo_;
  Font nameFont_, linkFont_;
  bool closed_ = false;
  Info info_;
};

}  // namespace zt
