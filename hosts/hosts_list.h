// The blocked-host list (config\zapotrix_hosts.dat) and the logic of the
// hosts list editor THostlistenEditor: loading and saving the list, the
// import of hosts files, the export as hosts lines, adding and removing
// entries, and the list-changed flag that decides what OK does. The editor
// window displays ListViewHosts and calls these operations.
#pragma once
#include <cstddef>
#include <functional>
#include <utility>
#include <string>
#include <vector>

#include "hosts/hosts_file.h"
#include "rules/list_model.h"

namespace zt {

// What the list operations ask of the editor window while they run.
class HostsListView {
 public:
  virtual ~HostsListView() = default;
  // ProgressBar1: range 0..max and position.
  virtual void SetProgressRange(size_t max) = 0;
  virtual void SetProgressPosition(size_t position) = 0;
  // Lets pending window messages run, so the window stays responsive.
  virtual void ProcessPendingMessages() = 0;
};

// A HostsListView for callers without a window.
class NoHostsListView : public HostsListView {
 public:
  void SetProgressRange(size_t) override {}
  void SetProgressPosition(size_t) override {}
  void ProcessPendingMessages() override {}
};

// The non-empty lines of a list file's contents, in file order.
std::vector<std::string> HostListEntries(const std::string& bytes);

// True when the text can be a host name: 1 to 253 letters, digits, '.',
// '-' and '_', nothing else (no blanks, no control characters). Only such
// names go into the list, the hosts file and an export: anything else could
// smuggle a line of its own into them.
bool IsValidHostName(const std::string& text);

// The host names a hosts-format text yields, each once (letter case
// ignored, the first form met wins), in ascending order ignoring case.
// A line counts only when it holds "127.0.0.1" and no "#"; its first nine
// characters are dropped, then leading blanks, tabs and non-breaking
// spaces, and a "\par" that ends it, and trailing blanks and tabs. Lines
// with NUL bytes are binary data and count not; what is left must be a
// valid host name, else the line is skipped (and counted in *skipped).
// onAccepted(n) runs after the n-th accepted line.
std::vector<std::string> ImportHostNames(const std::string& bytes,
                                         const std::function<void(size_t)>& onAccepted = {},
                                         size_t* skipped = nullptr);

// The export file's contents: "127.0.0.1  <name>" CR LF for every valid
// name that does not contain "localhost".
std::string ExportHostLines(const ListModel& list);

// How many lines an import took and how many it skipped.
struct ImportReport {
  size_t taken = 0;
  size_t skipped = 0;
};

class HostsListEditor {
 public:
  HostsListEditor(HostsEnv env, const Settings& settings, HostsListView& view)
      : env_(std::move(env)), settings_(settings), view_(view) {}

  ListModel ListViewHosts{ListViewId::Hosts};
  // Set by every add, delete, clear and import, whatever their outcome.
  bool listChanged = false;

  void FormShow() { listChanged = false; }

  // Loads the list file into the list, sorted in the stored direction.
  // False (and nothing loaded) when the file does not exist.
  bool refresh_hostlist();
  // Counts the non-empty lines of a file and makes that the progress range.
  size_t countimportfile(const std::string& file);
  // Appends the entries of the list file.
  void readhosts_dat();
  // Rewrites the list file with the entries in display order.
  void savehosts_dat();
  // Appends the host names read from a hosts-format file (names already in
  // the list are not looked at). Returns the number of accepted lines.
  size_t importhosts(const std::string& file);
  // What the last import took and skipped.
  ImportReport lastImport;
  // Writes the list as hosts lines; the address is always 127.0.0.1.
  void exporthosts(const std::string& file);

  // BtHostsAddClick: adds the text unless an entry equals it exactly, at
  // the place a sort in the stored direction gives it. A text that is not
  // a host name is refused with a message. Returns whether it was added.
  // The list is sorted (every operation leaves it so): the duplicate test
  // and the place are found by binary search, not by a pass over the list.
  bool AddHost(const std::string& text);
  // BtHostsDelClick: removes the selected entry and selects the one before
  // it (the first when the first was removed). The rest stays sorted.
  void DeleteSelected();
  // Typing in the list: the first row at or after `start` (wrapping round)
  // whose text begins with `prefix` (a-z folded as the list is sorted);
  // -1 when none does. Binary search over the sorted list.
  int FindRow(const std::string& prefix, int start) const;
  // Bt_clearClick: marks the list changed; empties it when confirmed.
  void ClearList(bool confirmed);
  // ImporthostsDateitxtformat1Click after the file dialog.
  void ImportFile(const std::string& file);
  // ListViewHostsColumnClick: reverses the sort direction.
  void ColumnClick();
  // Bt_OKClick: saves when changed, then rewrites the hosts file when the
  // list changed and blocking is on. Errors (HostsFileError) reach the
  // caller; the list file is then already saved.
  void Bt_OKClick();

 private:
  HostsEnv env_;
  const Settings& settings_;
  HostsListView& view_;
};

// Service the window every this many lines of a long file.
constexpr size_t kHostsPumpEvery = 256;

}  // namespace zt
