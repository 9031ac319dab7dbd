// The hosts list editor's flow, free of windows. HostsListEditor
// (hosts/hosts_list.h) keeps the list, its import and export; this adds
// what the editor does around them: one action at a time (an action that
// lets messages run keeps the others out, and a close asked for meanwhile
// comes after it), the buttons that change or save the list only once the
// list is loaded, the selection kept after an add and a sort, the count
// and the closing. The window (ui/hosts_editor.h) implements the view.
#pragma once
#include <string>

#include "app/app_state.h"
#include "hosts/hosts_list.h"

namespace zt {

class HostsEditorView : public HostsListView {
 public:
  // The add box (EdAddHosts).
  virtual std::string AddText() = 0;
  virtual void SetAddText(const std::string& text) = 0;
  // Shows the list's rows, its selection and sort image.
  virtual void ShowList() = 0;
  virtual void ScrollTo(int row) = 0;
  virtual void FocusList() = 0;
  // Stops painting the list during a long change, and paints it whole after.
  virtual void SetListRedraw(bool on) = 0;
  virtual void ShowCount(const std::string& text) = 0;
  virtual void EnableCancel() = 0;
  // The buttons that change or save the list.
  virtual void EnableListButtons() = 0;
  // The file dialogs (empty when cancelled) and the clear question.
  virtual std::string OpenFile(const std::string& filter) = 0;
  virtual std::string SaveFile(const std::string& title, const std::string& filter,
                               const std::string& defaultExtension) = 0;
  virtual bool Ask(const std::string& title, const std::string& text, const std::string& yes,
                   const std::string& no) = 0;
  // FormClose: hides the window, brings the main window to the front and
  // destroys the window.
  virtual void Close() = 0;
};

class HostsEditing {
 public:
  HostsEditing(AppState& app, HostsEditorView& view);

  HostsListEditor& editor() { return editor_; }
  // Timer1 has loaded the list.
  bool loaded() const { return loaded_; }
  bool busy() const { return busy_; }
  // The count label once the list is loaded ("Database entries: 12").
  std::string CountText() const;

  void FormShow() { editor_.FormShow(); }
  // Loads the list shortly after the window shows; then the buttons work.
  void Timer1Timer();
  void BtHostsAddClick();
  void BtHostsDelClick();
  void Bt_clearClick();
  void Bt_OKClick();
  void Button_helpClick();
  void ListViewHostsClick();
  // A double-click deletes the row, as the delete button does.
  void ListViewHostsDblClick();
  void ListViewHostsColumnClick();
  void ImporthostsDateitxtformat1Click();
  void ExportListtxt1Click();
  // Cancel and Escape (once Cancel works), the menu's close and Alt+F4:
  // close without saving, after the action that runs.
  void BT_CancelClick();
  void Fensterschliessen1Click();

 private:
  template <class Action>
  void Run(Action action);
  // Runs now, or after the running action.
  void CloseAfterAction();
  void CloseEditor();
  void ShowCount();
  // Empties the list and gives its memory back.
  void EmptyList();
  const HostsEditorTexts& texts() const { return app_.texts().hostsEditor; }

  AppState& app_;
  HostsEditorView& view_;
  HostsListEditor editor_;
  bool loaded_ = false;
  bool cancelEnabled_ = false;
  bool busy_ = false;
  bool closeWhenIdle_ = false;
};

}  // namespace zt
