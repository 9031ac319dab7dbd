// The settings dialog TKonfiguration: created from its template, centred
// on the main window, shown modally; its six pages are child dialogs of the
// tab control Pagecontrol1. The window only unpacks messages and passes the
// clicks to the logic in Konfiguration (app/konfiguration.h).
#pragma once
#include <array>
#include <memory>

#include "app/konfiguration.h"
#include "lang/texts.h"
#include "ui/controls.h"
#include "ui/secondary_window.h"

namespace zt {

// The client area of the settings dialog in pixels.
constexpr int kKonfigClientWidth = 428;
constexpr int kKonfigClientHeight = 412;

class KonfigurationWindow : public SecondaryWindow, public KonfigurationView {
 public:
  KonfigurationWindow(ZapotrixMain& main, HWND mainWindow);
  ~KonfigurationWindow() override;

  // FormCreate: the hidden dialog with its pages, opened on the last page.
  bool Create() override;
  void Present() override { ShowModal(); }
  bool IsOpen() const override { return hwnd() && !closed_; }
  // Shows the dialog modally and returns when it has closed.
  void ShowModal();
  // The two halves of ShowModal, for tests that drive the open dialog:
  // Open disables the main window and shows the dialog filled (FormShow);
  // RunModal runs the messages until it closes.
  void Open();
  void RunModal();
  bool Closed() const { return closed_; }

  // A control on any page (0 when there is none), the page shown.
  HWND Item(int control) const;
  int PageIndex() const;
  int HelpContext() const { return helpContext_; }
  Konfiguration& logic() { return *logic_; }

  // KonfigurationView
  bool Checked(KonfigControl c) override;
  void SetChecked(KonfigControl c, bool checked) override;
  void SetEnabled(KonfigControl c, bool enabled) override;
  void SetVisible(KonfigControl c, bool visible) override;
  void SetTitle(const std::string& title) override;
  void SetLanguage(int language) override;
  void SetHintsActive(bool active) override;
  void SetHelpContext(int context) override;
  void Show() override;
  void Hide() override;
  void ProcessPendingMessages() override;
  void Close() override;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  static INT_PTR CALLBACK PageProc(HWND page, UINT msg, WPARAM wp, LPARAM lp);
  void FormCreateControls();
  void ApplyTexts(const SettingsTexts& t);
  void ShowPage(int index);
  void OnCommand(int id, int code);
  HWND ControlOf(KonfigControl c) const;
  void EnableMainWindow();

  ZapotrixMain& main_;
  HWND mainWindow_;
  std::unique_ptr<Konfiguration> logic_;
  WindowLanguage<SettingsTexts> language_;
  std::array<HWND, kKonfigPageCount> pages_{};
  Tooltips hints_;
  int helpContext_ = 0;
  bool closed_ = false;
  bool mainDisabled_ = false;
};

}  // namespace zt
