// Load and save of the rule database.
#include "rules/main_db.h"

#include <map>
#include <set>
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

}  // namespace

void LoadMainDB(System& sys, const std::string& path, RuleLists& lists) {
  IniFile ini = IniFile::Parse(sys.ReadFile(path).value_or(""));

  for (const char* section : kTextSections) {
    size_t count = ini.Keys(section).size();
    // Sorted, case-insensitive, first wins: keyed by the upper-cased text.
    std::map<std::string, std::string> set;
    for (size_t n = 1; n <= count; ++n) {
      std::string value = ini.Read(section, std::to_string(n));
      // A gap in the numbering or an empty value is skipped: a blank keyword
      // would match every caption that has a space.
      if (value.empty()) continue;
      set.emplace(UpperAnsi(value), value);
    }
    ListModel& list = ListOf(lists, section);
    for (auto& entry : set) list.Add({entry.second});
  }

  size_t count = ini.Keys("WDS").size();
  std::set<std::pair<std::string, std::string>> seen;
  size_t n = 1;
  do {
    std::string width = ini.Read("WDS", std::to_string(n));
    std::string height = ini.Read("WDS", std::to_string(n + 1));
    if (!width.empty() && !height.empty() && seen.insert({width, height}).second)
      lists.WDS.Add({width, height});
    n += 2;
  } while (n < count);
}

void SaveMainDB(System& sys, const std::string& path, const RuleLists& lists, bool german) {
  std::optional<uint32_t> attrs = sys.FileAttributes(path);
  std::optional<std::string> bytes;
  if (attrs && !(*attrs & kAttrReadOnly)) bytes = sys.ReadFile(path);
  if (!bytes) {
    sys.MessageBox(german ? "Datenbank konnte nicht gespeichert werden. Datei ist schreibgeschützt!"
                          : "Could not save database. File is write protected.",
                   "Zapotrix", kMbIconError);
    return;
  }

  IniFile ini = IniFile::Parse(*bytes);
  for (const char* section : kTextSections) {
    ini.EraseSection(section);
    const ListModel& list = ListOf(lists, section);
    std::vector<std::pair<std::string, std::string>> entries;
    entries.reserve(list.size());
    for (size_t i = 0; i < list.size(); ++i) entries.emplace_back(std::to_string(i + 1), list.text(i));
    if (!entries.empty()) ini.AppendSection(section, entries);
  }
  ini.EraseSection("WDS");
  std::vector<std::pair<std::string, std::string>> wds;
  for (size_t i = 0; i < lists.WDS.size(); ++i) {
    wds.emplace_back(std::to_string(2 * i + 1), lists.WDS.text(i, 0));
    wds.emplace_back(std::to_string(2 * i + 2), lists.WDS.text(i, 1));
  }
  if (!wds.empty()) ini.AppendSection("WDS", wds);
  // A failed write leaves the old file standing; like the section writes of
  // the profile functions it is not reported.
  sys.WriteFileAtomic(path, ini.Text());
}

}  // namespace zt
