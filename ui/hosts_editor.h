// The hosts list editor THostlistenEditor: a window of its own beside the
// main window, not modal, made on demand and destroyed when it closes. Its
// flow is HostsEditing (app/hosts_editing.h); this class creates the
// controls, passes the events on and implements the view. Its
// list view ListViewHosts is virtual: it shows the rows of the editor
// logic's model (hosts/hosts_list.h), so lists of 150,000 names load, sort
// and scroll without a pause. The open and save dialogs and the clear
// question go through HostsEditorDialogs, so that tests can answer them.
#pragma once
#include <memory>
#include <string>

#include "app/app_state.h"
#include "app/hosts_editing.h"
#include "hosts/hosts_list.h"
#include "platform/win32/win.h"
#include "ui/controls.h"
#include "ui/gdi.h"
#include "ui/secondary_window.h"
#include <commctrl.h>

namespace zt {

// The editor's modal dialogs. Filters are in the framework's form
// "Text (*.txt)|*.txt|...".
class HostsEditorDialogs {
 public:
  virtual ~HostsEditorDialogs() = default;
  // OpenDialog1: the file chosen (it exists), empty when cancelled.
  virtual std::string OpenFile(HWND owner, const std::string& filter) = 0;
  // SaveDialog1: the file name chosen, empty when cancelled.
  virtual std::string SaveFile(HWND owner, const std::string& title, const std::string& filter,
                               const std::string& defaultExtension) = 0;
  // A question with the question icon and two buttons; true for the first.
  virtual bool Ask(HWND owner, const std::string& title, const std::string& text, const std::string& yes,
                   const std::string& no) = 0;
};

// The system's common dialogs and a message box whose buttons carry the
// given texts.
HostsEditorDialogs& SystemHostsEditorDialogs();

// Timer1: loads the list this long after the window is made.
constexpr UINT_PTR kHostsTimer1Id = 1;
constexpr UINT kHostsTimer1Interval = 200;
// The client area in pixels.
constexpr int kHostsClientWidth = 456;
constexpr int kHostsClientHeight = 534;

class THostlistenEditor : public SecondaryWindow, private HostsEditorView {
 public:
  // The editor works on the program's state (settings, language, paths,
  // the hosts environment); mainWindow centres it and is brought to the
  // front when it closes.
  THostlistenEditor(AppState& app, HWND mainWindow, HostsEditorDialogs& dialogs = SystemHostsEditorDialogs());
  ~THostlistenEditor() override;

  // Creates the window hidden, Timer1 running.
  bool Create() override;
  void Present() override { Show(); }
  // Shows it and brings it to the front (FormShow runs when it is shown).
  void Show();

  // For tests and timings: the logic and what the window shows.
  HostsListEditor& editor() { return editing_.editor(); }

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  // HostsEditorView
  void SetProgressRange(size_t max) override;
  void SetProgressPosition(size_t position) override;
  void ProcessPendingMessages() override;
  std::string AddText() override;
  void SetAddText(const std::string& text) override;
  // The list view shows the model again: count, selection, sort image,
  // column width.
  void ShowList() override;
  void ScrollTo(int row) override;
  void FocusList() override;
  void SetListRedraw(bool on) override;
  void ShowCount(const std::string& text) override;
  void EnableCancel() override;
  void EnableListButtons() override;
  std::string OpenFile(const std::string& filter) override { return dialogs_.OpenFile(hwnd(), filter); }
  std::string SaveFile(const std::string& title, const std::string& filter,
                       const std::string& defaultExtension) override {
    return dialogs_.SaveFile(hwnd(), title, filter, defaultExtension);
  }
  bool Ask(const std::string& title, const std::string& text, const std::string& yes,
           const std::string& no) override {
    return dialogs_.Ask(hwnd(), title, text, yes, no);
  }
  // FormClose: hides the window, brings the application to the front when
  // the main window is visible, and destroys the window.
  void Close() override;

  void FormCreateControls();
  void SetLanguage(int language);
  void ApplyLanguage(const HostsEditorTexts& t);
  void FormShow();
  void OnCommand(int id, int code);
  LRESULT OnNotify(NMHDR& n);

  AppState& app_;
  HWND mainWindow_;
  HostsEditorDialogs& dialogs_;
  HostsEditing editing_;
  WindowLanguage<HostsEditorTexts> language_;
  ImageList images_;  // ImageList1's images: the rule icon, the sort arrows
  Tooltips hints_;
  bool syncingSelection_ = false;
  int shownSelection_ = -1;  // the row the list view shows selected
  DWORD lastPump_ = 0;       // when ProcessPendingMessages last looked at the queue
  int redrawOff_ = 0;        // SetListRedraw(false) calls not yet ended
};

}  // namespace zt
