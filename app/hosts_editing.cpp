// The hosts list editor's handlers and its one-action-at-a-time rule.
#include "app/hosts_editing.h"

#include <exception>

#include "app/help_actions.h"
#include "lang/texts.h"

namespace zt {
namespace {

// The list is not painted while this lives; afterwards it is painted whole.
class Quiet {
 public:
  explicit Quiet(HostsEditorView& view) : view_(view) { view_.SetListRedraw(false); }
  ~Quiet() { view_.SetListRedraw(true); }
  Quiet(const Quiet&) = delete;
  Quiet& operator=(const Quiet&) = delete;

 private:
  HostsEditorView& view_;
};

}  // namespace

HostsEditing::HostsEditing(AppState& app, HostsEditorView& view)
    : app_(app), view_(view), editor_(app.Hosts(), app.settings, view) {}

std::string HostsEditing::CountText() const {
  return texts().countPrefix + std::to_string(editor_.ListViewHosts.size());
}

template <class Action>
void HostsEditing::Run(Action action) {
  if (busy_) return;
  busy_ = true;
  try {
    action();
  } catch (const std::exception& e) {
    app_.os.system.MessageBox(e.what(), kAppCaption, kMbOk | kMbIconError);
  } catch (...) {
    app_.os.system.MessageBox(kUnknownError, kAppCaption, kMbOk | kMbIconError);
  }
  busy_ = false;
  if (closeWhenIdle_) {
    closeWhenIdle_ = false;
    CloseEditor();
  }
}

void HostsEditing::CloseAfterAction() {
  if (busy_) closeWhenIdle_ = true;
  else Run([this] { CloseEditor(); });
}

void HostsEditing::CloseEditor() {
  EmptyList();
  view_.Close();
}

void HostsEditing::ShowCount() { view_.ShowCount(CountText()); }

void HostsEditing::EmptyList() {
  Quiet quiet(view_);
  editor_.ListViewHosts.Replace({});
  editor_.ListViewHosts.selected = -1;
  view_.ShowList();
}

void HostsEditing::Timer1Timer() {
  // Cancel comes even when the list cannot be read; the buttons that
  // change or save the list only with the list loaded, so that a file that
  // could not be read is never saved over with less.
  cancelEnabled_ = true;
  view_.EnableCancel();
  Run([this] {
    bool read = false;
    {
      Quiet quiet(view_);
      read = editor_.refresh_hostlist();
      view_.ShowList();
    }
    if (read) ShowCount();
    loaded_ = true;
    view_.EnableListButtons();
  });
}

void HostsEditing::BtHostsAddClick() {
  if (!loaded_) return;
  Run([this] {
    ListModel& model = editor_.ListViewHosts;
    int remembered = model.selected;
    std::string text = view_.AddText();
    bool refused = !text.empty() && !IsValidHostName(text);
    bool added = editor_.AddHost(text);
    // A refused text stays in the box to be mended.
    if (!refused) view_.SetAddText("");
    model.selected = remembered < static_cast<int>(model.size()) ? remembered : -1;
    view_.ShowList();
    if (added) view_.ScrollTo(editor_.FindRow(text, 0));
    ShowCount();
    view_.FocusList();
  });
}

void HostsEditing::BtHostsDelClick() {
  if (!loaded_) return;
  Run([this] {
    editor_.DeleteSelected();
    view_.ShowList();
    ShowCount();
    view_.SetAddText("");
    view_.FocusList();
  });
}

void HostsEditing::ListViewHostsDblClick() { BtHostsDelClick(); }

void HostsEditing::Bt_clearClick() {
  if (!loaded_) return;
  Run([this] {
    bool yes = view_.Ask(kHostsConfirmTitle, texts().clearQuestion, kHostsConfirmYes, kHostsConfirmNo);
    editor_.ClearList(yes);
    view_.ShowList();
    ShowCount();
  });
}

void HostsEditing::ListViewHostsClick() {
  const ListModel& model = editor_.ListViewHosts;
  if (model.selected >= 0 && static_cast<size_t>(model.selected) < model.size())
    view_.SetAddText(model.text(static_cast<size_t>(model.selected)));
}

void HostsEditing::ListViewHostsColumnClick() {
  Run([this] {
    ListModel& model = editor_.ListViewHosts;
    // The selected name stays selected in the other order.
    std::string selected;
    if (model.selected >= 0 && static_cast<size_t>(model.selected) < model.size())
      selected = model.text(static_cast<size_t>(model.selected));
    editor_.ColumnClick();
    if (!selected.empty()) {
      int row = editor_.FindRow(selected, 0);
      while (row >= 0 && static_cast<size_t>(row) < model.size() && model.text(static_cast<size_t>(row)) != selected)
        ++row;
      model.selected = row >= 0 && static_cast<size_t>(row) < model.size() ? row : -1;
    }
    view_.ShowList();
  });
}

void HostsEditing::ImporthostsDateitxtformat1Click() {
  Run([this] {
    editor_.listChanged = true;
    std::string file = view_.OpenFile(texts().fileFilter);
    if (!file.empty()) {
      {
        Quiet quiet(view_);
        editor_.ImportFile(file);
        view_.ShowList();
      }
      ShowCount();
      // How many lines the file gave and how many it had that were no host name.
      app_.os.system.MessageBox(Format(app_.texts().msg.importReport, {std::to_string(editor_.lastImport.taken),
                                                                         std::to_string(editor_.lastImport.skipped)}),
                                kAppCaption, kMbOk | kMbIconInformation);
    }
    ShowCount();
  });
}

void HostsEditing::ExportListtxt1Click() {
  Run([this] {
    std::string file = view_.SaveFile(kHostsExportTitle, texts().fileFilter, "txt");
    if (!file.empty()) editor_.exporthosts(file);
  });
}

void HostsEditing::Bt_OKClick() {
  if (!loaded_) return;
  Run([this] {
    // A failed save or hosts rewrite throws: the window stays open with the list.
    editor_.Bt_OKClick();
    CloseEditor();
  });
}

void HostsEditing::Button_helpClick() {
  Run([this] {
    // The program has no help file for topics: the manual is the help.
    view_.ProcessPendingMessages();
    OpenHandbook(app_.os.system, app_.os.shell, app_.paths.HandbookFile, app_.texts());
  });
}

void HostsEditing::BT_CancelClick() {
  if (cancelEnabled_) CloseAfterAction();
}

void HostsEditing::Fensterschliessen1Click() { CloseAfterAction(); }

}  // namespace zt
