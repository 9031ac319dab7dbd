// Load and save of the rule database.
#include "rules/main_db.h"

#include <algorithm>
#include <unordered_set>
#include <utility>
#include <vector>

#include "rules/ini_file.h"
#include "rules/list_ops.h"

namespace zt {
namespace {

const char* const kTextSections[] = {"ADS", "URL", "WCS"};

template <class Lists>
auto& ListOf(Lists& l, const std::string& section) {
  if (section == "ADS") return l.ADS;
  if (section == "URL") return l.URL;
  return l.WCS;
}

void AppendLine(std::string& out, size_t key, const std::string& value) {
  out += std::to_string(key);
  out += '=';
  out += value;
  out += "\r\n";
}

}  // namespace

void LoadMainDB(System& sys, const std::string& path, RuleLists& lists) {
  IniFile ini = IniFile::Parse(sys.ReadFile(path).value_or(""));

  for (const char* section : kTextSections) {
    size_t count = ini.KeyCount(section);
    // The working set: sorted, case-insensitive, the entry read first wins.
    std::vector<std::string> values;
    for (std::string& value : ini.ReadNumbered(section, count)) {
      // A gap in the numbering or an empty value is skipped: a blank keyword
      // would match every caption that has a space.
      if (!value.empty()) values.push_back(std::move(value));
    }
    ListModel& list = ListOf(lists, section);
    std::vector<ListRow> rows = list.rows();
    for (ListRow& row : DistinctFoldedRows(std::move(values))) rows.push_back(std::move(row));
    list.Replace(std::move(rows));
  }

  size_t count = ini.KeyCount("WDS");
  std::unordered_set<std::string> seen;  // width and height, exact text
  seen.reserve(count / 2 + 1);
  // Pairs (1, 2), (3, 4), ... are read at least once, then while n < count.
  std::vector<std::string> wds = ini.ReadNumbered("WDS", count < 2 ? 2 : count + 1);
  size_t n = 1;
  do {
    const std::string& width = wds[n - 1];
    const std::string& height = wds[n];
    if (!width.empty() && !height.empty() && seen.insert(width + '\n' + height).second)
      lists.WDS.Add({width, height});
    n += 2;
  } while (n < count);
}

DbSave SaveMainDB(System& sys, const std::string& path, const RuleLists& lists, const Texts& texts, bool quiet) {
  std::optional<uint32_t> attrs = sys.FileAttributes(path);
  std::optional<std::string> bytes;
  if (attrs && !(*attrs & kAttrReadOnly)) bytes = sys.ReadFile(path);
  if (!bytes) {
    if (!quiet) sys.MessageBox(texts.msg.dbWriteProtected, kAppCaption, kMbIconError);
    return DbSave::WriteProtected;
  }

  // Every line outside our four sections stays; the sections follow at the
  // end in the order ADS, URL, WCS, WDS. An empty list leaves no section.
  std::string out = IniFile::Parse(std::move(*bytes)).TextWithout({"ADS", "URL", "WCS", "WDS"});
  for (const char* section : kTextSections) {
    const ListModel& list = ListOf(lists, section);
    if (list.empty()) continue;
    out += std::string("[") + section + "]\r\n";
    for (size_t i = 0; i < list.size(); ++i) AppendLine(out, i + 1, list.text(i));
  }
  if (!lists.WDS.empty()) {
    out += "[WDS]\r\n";
    for (size_t i = 0; i < lists.WDS.size(); ++i) {
      AppendLine(out, 2 * i + 1, lists.WDS.text(i, 0));
      AppendLine(out, 2 * i + 2, lists.WDS.text(i, 1));
    }
  }
  return sys.WriteFileAtomic(path, out) ? DbSave::Saved : DbSave::Failed;
}

}  // namespace zt
