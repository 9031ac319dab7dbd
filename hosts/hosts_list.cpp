// The blocked-host list file, the import and export, and the editor logic.
#include "hosts/hosts_list.h"

#include <algorithm>
#include <utility>

#include "hosts/hosts_file.h"
#include "hosts/hosts_io.h"
#include "rules/list_ops.h"

namespace zt {
namespace {

constexpr char kLoopback[] = "127.0.0.1";
constexpr size_t kLoopbackLength = sizeof(kLoopback) - 1;  // nine characters
constexpr char kExportPrefix[] = "127.0.0.1  ";

bool IsLeadingBlank(char c) { return c == ' ' || c == '\t' || c == '\xA0'; }

// The host name an import line yields; empty when the line is rejected.
std::string ImportLine(const std::string& line) {
  if (line.find('#') != std::string::npos) return "";
  if (line.find(kLoopback) == std::string::npos) return "";
  if (line.find('\0') != std::string::npos) return "";
  // The address is expected at the very start: its nine characters go,
  // wherever it really stood.
  size_t begin = kLoopbackLength;
  while (begin < line.size() && IsLeadingBlank(line[begin])) ++begin;
  std::string rest = line.substr(begin);
  // The line end of a hosts list saved as rich text.
  size_t par = rest.find("\\par");
  if (par != std::string::npos && par + 4 == rest.size()) rest.erase(par);
  while (!rest.empty() && (rest.back() == ' ' || rest.back() == '\t')) rest.pop_back();
  return rest;
}

}  // namespace

std::vector<std::string> HostListEntries(const std::string& bytes) {
  std::vector<std::string> lines = SplitLines(bytes);
  lines.erase(std::remove_if(lines.begin(), lines.end(), [](const std::string& l) { return l.empty(); }),
              lines.end());
  return lines;
}

bool IsValidHostName(const std::string& text) {
  constexpr size_t kMaxHostName = 253;
  if (text.empty() || text.size() > kMaxHostName) return false;
  for (unsigned char c : text) {
    bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
              c == '-' || c == '_';
    if (!ok) return false;
  }
  return true;
}

std::vector<std::string> ImportHostNames(const std::string& bytes,
                                         const std::function<void(size_t)>& onAccepted, size_t* skipped) {
  // Names in file order with their case-folded keys; a stable sort of the
  // positions by key then keeps the first form of names that differ only
  // in letter case.
  std::vector<std::string> found, keys;
  for (std::string& line : SplitLines(bytes)) {
    std::string name = ImportLine(line);
    if (name.empty()) continue;
    if (!IsValidHostName(name)) {
      if (skipped) ++*skipped;
      continue;
    }
    keys.push_back(UpperAnsi(name));
    found.push_back(std::move(name));
    if (onAccepted) onAccepted(found.size());
  }
  std::vector<size_t> order(found.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(), [&keys](size_t a, size_t b) { return keys[a] < keys[b]; });
  std::vector<std::string> names;
  names.reserve(found.size());
  for (size_t i = 0; i < order.size(); ++i)
    if (i == 0 || keys[order[i]] != keys[order[i - 1]]) names.push_back(std::move(found[order[i]]));
  return names;
}

std::string ExportHostLines(const ListModel& list) {
  std::string out;
  for (size_t i = 0; i < list.size(); ++i) {
    const std::string& name = list.text(i);
    if (name.find("localhost") != std::string::npos || !IsValidHostName(name)) continue;
    out += kExportPrefix;
    out += name;
    out += "\r\n";
  }
  return out;
}

bool HostsListEditor::refresh_hostlist() {
  if (!FileExists(env_.system, env_.listFile)) return false;
  countimportfile(env_.listFile);
  view_.ProcessPendingMessages();
  readhosts_dat();
  view_.ProcessPendingMessages();
  ListviewSort(ListViewHosts, 0, 2);
  view_.ProcessPendingMessages();
  return true;
}

size_t HostsListEditor::countimportfile(const std::string& file) {
  size_t count = CountNonEmptyLines(ReadTextFile(env_.system, file, env_.texts));
  view_.SetProgressRange(count);
  view_.SetProgressPosition(0);
  return count;
}

void HostsListEditor::readhosts_dat() {
  const std::string& file = env_.listFile;
  if (!FileExists(env_.system, file)) return;
  std::vector<std::string> entries = HostListEntries(ReadTextFile(env_.system, file, env_.texts));
  view_.ProcessPendingMessages();
  view_.SetProgressRange(entries.size());
  for (size_t i = 0; i < entries.size(); ++i) {
    ListViewHosts.Add({std::move(entries[i])}, kRuleImage);
    if (i % kHostsPumpEvery == 0) {
      view_.SetProgressPosition(i);
      view_.ProcessPendingMessages();
    }
  }
  view_.SetProgressPosition(0);
}

void HostsListEditor::savehosts_dat() {
  std::string out;
  for (size_t i = 0; i < ListViewHosts.size(); ++i) {
    out += ListViewHosts.text(i);
    out += "\r\n";
  }
  WriteTextFile(env_.system, env_.listFile, out, env_.texts);
}

size_t HostsListEditor::importhosts(const std::string& file) {
  std::string bytes = ReadTextFile(env_.system, file, env_.texts);
  view_.SetProgressPosition(0);
  size_t accepted = 0, skipped = 0;
  std::vector<std::string> names = ImportHostNames(
      bytes,
      [this, &accepted](size_t n) {
        accepted = n;
        if (n % kHostsPumpEvery == 0) {
          view_.SetProgressPosition(n);
          view_.ProcessPendingMessages();
        }
      },
      &skipped);
  lastImport = ImportReport{accepted, skipped};
  for (std::string& name : names) ListViewHosts.Add({std::move(name)}, kRuleImage);
  view_.SetProgressPosition(0);
  return accepted;
}

void HostsListEditor::exporthosts(const std::string& file) {
  WriteTextFile(env_.system, file, ExportHostLines(ListViewHosts), env_.texts);
}

namespace {

// Orders rows as ListviewSort leaves them in the given direction.
struct SortOrder {
  bool descending;
  // <0 when a text comes before b, 0 when a sort keeps them as they are.
  int Compare(const std::string& a, const std::string& b) const {
    int c = CompareFolded(a, b);
    return descending ? -c : c;
  }
};

const std::string& FirstColumn(const ListRow& r) {
  static const std::string none;
  return r.cols.empty() ? none : r.cols[0];
}

// The rows whose first column sorts equal to the text: [first, last).
std::pair<size_t, size_t> EqualRows(const ListModel& list, const std::string& text, SortOrder order) {
  const auto& rows = list.rows();
  auto before = [&](const ListRow& r, const std::string& t) { return order.Compare(FirstColumn(r), t) < 0; };
  auto after = [&](const std::string& t, const ListRow& r) { return order.Compare(t, FirstColumn(r)) < 0; };
  size_t first = static_cast<size_t>(std::lower_bound(rows.begin(), rows.end(), text, before) - rows.begin());
  size_t last = static_cast<size_t>(std::upper_bound(rows.begin() + static_cast<std::ptrdiff_t>(first), rows.end(),
                                                     text, after) - rows.begin());
  return {first, last};
}

}  // namespace

bool HostsListEditor::AddHost(const std::string& text) {
  listChanged = true;
  if (text.empty()) return false;
  if (!IsValidHostName(text)) {
    env_.system.MessageBox(Format(env_.texts.msg.invalidHostName, {text}), kAppCaption, kMbOk | kMbIconWarning);
    return false;
  }
  // Entries equal but for the case of a-z sort side by side; an exact
  // duplicate is one of them. A new entry goes after them, where appending
  // and a stable sort would put it.
  auto [first, last] = EqualRows(ListViewHosts, text, SortOrder{ListViewHosts.sortDirection == 1});
  for (size_t i = first; i < last; ++i)
    if (ListViewHosts.text(i) == text) return false;
  ListViewHosts.Insert(last, ListRow{{text}, kRuleImage});
  return true;
}

void HostsListEditor::DeleteSelected() {
  listChanged = true;
  int sel = ListViewHosts.selected;
  if (sel < 0 || static_cast<size_t>(sel) >= ListViewHosts.size()) return;
  if (ListViewHosts.size() == 1) {
    ListViewHosts.Clear();
    ListViewHosts.selected = -1;
  } else {
    ListViewHosts.Erase(static_cast<size_t>(sel));
    ListViewHosts.selected = sel > 0 ? sel - 1 : 0;
  }
}

int HostsListEditor::FindRow(const std::string& prefix, int start) const {
  return FindTypedRow(ListViewHosts, prefix, start, true);
}

void HostsListEditor::ClearList(bool confirmed) {
  listChanged = true;
  if (confirmed) {
    ListViewHosts.Clear();
    ListViewHosts.selected = -1;
  }
}

void HostsListEditor::ImportFile(const std::string& file) {
  listChanged = true;
  if (file.empty()) return;
  countimportfile(file);
  importhosts(file);
  ListviewSort(ListViewHosts, 0, 2);
}

void HostsListEditor::ColumnClick() {
  if (ListViewHosts.sortDirection == 0)
    ListviewSort(ListViewHosts, 0, 1);
  else if (ListViewHosts.sortDirection == 1)
    ListviewSort(ListViewHosts, 0, 0);
}

void HostsListEditor::Bt_OKClick() {
  if (listChanged) savehosts_dat();
  if (settings_.hosts && listChanged) hosts_dat_to_winhost(env_, settings_.host_ip);
}

}  // namespace zt
