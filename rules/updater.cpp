// Download, check and merge of the published rule database.
#include "rules/updater.h"

#include <exception>
#include <map>
#include <set>
#include <utility>
#include <vector>

#include "rules/ini_file.h"
#include "rules/list_ops.h"

namespace zt {
namespace {

const char* const kDbSections[] = {"ADS", "URL", "WCS", "WDS"};

// Sorted, case-insensitive set of texts in which the entry added first wins.
class FoldedSet {
 public:
  void Add(const std::string& text) { entries_.emplace(UpperAnsi(text), text); }
  std::vector<ListRow> Rows() const {
    std::vector<ListRow> rows;
    rows.reserve(entries_.size());
    for (const auto& e : entries_) rows.push_back(ListRow{{e.second}, kRuleImage});
    return rows;
  }

 private:
  std::map<std::string, std::string> entries_;  // by upper-cased text
};

void MergeTextSection(const IniFile& ini, const char* section, ListModel& list, bool keepExisting) {
  FoldedSet set;
  size_t count = ini.KeyCount(section);
  if (keepExisting)
    for (size_t i = 0; i < list.size(); ++i) set.Add(list.text(i));
  for (size_t n = 1; n <= count; ++n) {
    std::string value = ini.Read(section, std::to_string(n));
    if (!value.empty()) set.Add(value);
  }
  list.Replace(set.Rows());
}

void MergeSizes(const IniFile& ini, ListModel& list, bool keepExisting) {
  // Pairs in insertion order, and the same pairs as a set for the lookup.
  std::vector<std::pair<std::string, std::string>> pairs;
  std::set<std::pair<std::string, std::string>> known;
  size_t count = ini.KeyCount("WDS");
  if (keepExisting)
    for (size_t i = 0; i < list.size(); ++i) {
      pairs.emplace_back(list.text(i, 0), list.text(i, 1));
      known.insert(pairs.back());
    }
  size_t n = 1;
  do {
    std::pair<std::string, std::string> size{ini.Read("WDS", std::to_string(n)),
                                             ini.Read("WDS", std::to_string(n + 1))};
    if (!size.first.empty() && !size.second.empty() && known.insert(size).second)
      pairs.push_back(std::move(size));
    n += 2;
  } while (n < count);

  std::vector<ListRow> rows;
  rows.reserve(pairs.size());
  for (auto& p : pairs) rows.push_back(ListRow{{std::move(p.first), std::move(p.second)}, kRuleImage});
  list.Replace(std::move(rows));
}

}  // namespace

std::string UpdateURL(Downloader& downloader) {
  std::string base = downloader.UpdateBaseOverride().value_or(kUpdateServer);
  while (!base.empty() && base.back() == '/') base.pop_back();
  return base + kUpdatePath;
}

bool DownloadFile(Downloader& downloader, const std::string& url, const std::string& file) {
  try {
    return downloader.DownloadToFile(url, file) == kSOk;
  } catch (const std::exception&) {
    return false;
  }
}

bool IsRuleDatabase(System& sys, const std::string& file) {
  std::optional<std::string> bytes = sys.ReadFile(file);
  if (!bytes) return true;
  IniFile ini = IniFile::Parse(*bytes);
  for (const char* section : kDbSections)
    if (ini.HasSection(section)) return true;
  return false;
}

void ReadDBParts(System& sys, const std::string& file, RuleLists& lists,
                 const UpdateChoices& choices, const Texts& texts) {
  std::optional<uint32_t> attrs = sys.FileAttributes(file);
  std::optional<std::string> bytes;
  if (attrs && !(*attrs & kAttrReadOnly)) bytes = sys.ReadFile(file);
  if (!bytes) {
    sys.MessageBox(texts.updater.writeProtected, kAppCaption, kMbIconError);
    return;
  }
  IniFile ini = IniFile::Parse(*bytes);
  if (choices.ADS) MergeTextSection(ini, "ADS", lists.ADS, choices.keepExisting);
  if (choices.URL) MergeTextSection(ini, "URL", lists.URL, choices.keepExisting);
  if (choices.WCS) MergeTextSection(ini, "WCS", lists.WCS, choices.keepExisting);
  if (choices.WDS) MergeSizes(ini, lists.WDS, choices.keepExisting);
}

}  // namespace zt
