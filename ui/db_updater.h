// The database updater TDBUpdater: the wizard window over the run of
// app/update_run.h. The choices, then Panel1 with the progress lines and
// bar; the download runs on the worker thread while a timer of the window
// asks the run whether it has ended. Created on demand, shown modally over
// the main window and destroyed when it closes.
#pragma once
#include "app/app_state.h"
#include "app/update_run.h"
#include "lang/texts.h"
#include "ui/secondary_window.h"

namespace zt {

// The timer that takes the run on once the download has ended.
constexpr UINT_PTR kUpdatePollTimerId = 1;
constexpr UINT kUpdatePollMs = 50;

class DBUpdater : public SecondaryWindow, public UpdaterView {
 public:
  DBUpdater(AppState& app, HWND mainWindow);
  ~DBUpdater() override;

  // Creates the window hidden, centred on the main window.
  bool Create() override;
  void Present() override { ShowModal(); }
  bool IsOpen() const override { return hwnd() && !closed_; }
  // Shows the window (FormShow) without waiting for it to close.
  void Show();
  // Shows the window modally: returns when it has been closed.
  void ShowModal();
  bool closed() const { return closed_; }
  const UpdateRun& run() const { return run_; }

  void FormShow();
  void SetLanguage(int language);
  void BTUpdateClick();
  void BTCloseClick() { run_.BTCloseClick(); }
  void FormClose();

  // UpdaterView
  void ShowProgressPanel(bool visible) override;
  void ClearLines() override;
  void AddLine(const std::string& line) override;
  void SetProgress(int position) override;
  void SetUpdateButton(const std::string& caption, bool enabled) override;
  void SetCloseButton(const std::string& caption, bool enabled) override;
  void CloseWindow() override { FormClose(); }
  void ProcessPendingMessages() override;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  bool Checked(int control) const { return IsDlgButtonChecked(hwnd(), control) == BST_CHECKED; }
  void PollTimer();

  AppState& app_;
  HWND main_;
  UpdateRun run_;
  WindowLanguage<UpdaterTexts> language_;
  bool closed_ = false;
};

}  // namespace zt
