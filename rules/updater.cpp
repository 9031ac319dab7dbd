// Download, checks and merge of the published rule database.
#include "rules/updater.h"

#include <cstring>
#include <unordered_set>
#include <utility>

#include "rules/ini_file.h"
#include "rules/list_ops.h"

namespace zt {
namespace {

const char* const kDbSections[] = {"ADS", "URL", "WCS", "WDS"};

// Keywords and captions shorter than this (after trimming) match too much.
constexpr size_t kMinTextLength = 3;
// The largest window size taken from a download, in either direction.
constexpr unsigned long kMaxSize = 99999;

// What the keyword scanner sees of every browser window besides its page
// title: a keyword found in one of these closes every such window.
// The longest first.
const char* const kBrowserCaptionSuffixes[] = {" - Microsoft Internet Explorer", " - Mozilla Firefox",
                                               " - Mozilla"};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The length TrimControl would leave.
size_t TrimmedLength(const std::string& s) {
  size_t b = 0, e = s.size();
  while (b < e && static_cast<unsigned char>(s[b]) <= 32) ++b;
  while (e > b && static_cast<unsigned char>(s[e - 1]) <= 32) --e;
  return e - b;
}

// TrimControl without a copy: the values read are nearly always trimmed.
void TrimInPlace(std::string& s) {
  size_t e = s.size();
  while (e > 0 && static_cast<unsigned char>(s[e - 1]) <= 32) --e;
  size_t b = 0;
  while (b < e && static_cast<unsigned char>(s[b]) <= 32) ++b;
  if (e < s.size()) s.erase(e);
  if (b > 0) s.erase(0, b);
}

bool IsHostChar(char c) {
  return IsDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '.' || c == '-' || c == '_';
}

// A decimal number from 1 to kMaxSize, digits only.
bool IsSize(const std::string& s) {
  if (s.empty()) return false;
  unsigned long value = 0;
  for (char c : s) {
    if (!IsDigit(c)) return false;
    value = value * 10 + static_cast<unsigned long>(c - '0');
    if (value > kMaxSize) return false;
  }
  return value >= 1;
}

// One chosen text list: its new rows, or nothing when it stays as it is.
std::optional<std::vector<ListRow>> MergedTexts(const IniFile& ini, const char* section, const ListModel& list,
                                                bool keepExisting, bool (*acceptable)(const std::string&),
                                                MergeReport& report) {
  if (!ini.HasSection(section)) return std::nullopt;
  size_t count = ini.KeyCount(section);
  std::vector<std::string> values;
  values.reserve((keepExisting ? list.size() : 0) + count);
  if (keepExisting)
    for (const ListRow& row : list.rows()) values.push_back(row.cols.empty() ? std::string() : row.cols[0]);
  size_t existing = values.size();
  for (std::string& value : ini.ReadNumbered(section, count)) {
    if (value.empty()) continue;  // a gap in the numbering, or no value
    TrimInPlace(value);
    if (acceptable(value)) values.push_back(std::move(value));
    else ++report.refused;
  }
  if (values.size() == existing) return std::nullopt;
  return DistinctFoldedRows(std::move(values));
}

std::optional<std::vector<ListRow>> MergedSizes(const IniFile& ini, const ListModel& list, bool keepExisting,
                                                MergeReport& report) {
  if (!ini.HasSection("WDS")) return std::nullopt;
  size_t count = ini.KeyCount("WDS");
  std::vector<ListRow> rows;
  std::unordered_set<std::string> known;  // width and height, exact text
  rows.reserve((keepExisting ? list.size() : 0) + count / 2 + 1);
  known.reserve(rows.capacity());
  auto add = [&](std::string width, std::string height) {
    if (known.insert(width + '\n' + height).second)
      rows.push_back(ListRow{{std::move(width), std::move(height)}, kRuleImage});
  };
  if (keepExisting)
    for (size_t i = 0; i < list.size(); ++i) add(list.text(i, 0), list.text(i, 1));
  bool taken = false;
  // Pairs (1, 2), (3, 4), ... are read at least once, then while n < count.
  std::vector<std::string> wds = ini.ReadNumbered("WDS", count < 2 ? 2 : count + 1);
  size_t n = 1;
  do {
    std::string& width = wds[n - 1];
    std::string& height = wds[n];
    TrimInPlace(width);
    TrimInPlace(height);
    n += 2;
    if (width.empty() && height.empty()) continue;
    if (!AcceptableSize(width, height)) {
      ++report.refused;
      continue;
    }
    taken = true;
    add(std::move(width), std::move(height));
  } while (n < count);
  if (!taken) return std::nullopt;
  return rows;
}

bool HasRuleSections(const IniFile& ini) {
  for (const char* section : kDbSections)
    if (ini.HasSection(section)) return true;
  return false;
}

}  // namespace

bool IsHttpBase(const std::string& base) {
  static const std::string kScheme = "http://";
  if (base.size() <= kScheme.size() || UpperAnsi(base.substr(0, kScheme.size())) != "HTTP://") return false;
  size_t p = kScheme.size(), hostStart = p;
  while (p < base.size() && IsHostChar(base[p])) ++p;
  if (p == hostStart) return false;
  if (p < base.size() && base[p] == ':') {
    size_t portStart = ++p;
    unsigned long port = 0;
    while (p < base.size() && IsDigit(base[p]) && p - portStart < 5) port = port * 10 + (base[p++] - '0');
    if (p == portStart || port < 1 || port > 65535) return false;
  }
  if (p == base.size()) return true;
  if (base[p] != '/') return false;
  // The path: visible characters, no query, fragment or backslash.
  for (; p < base.size(); ++p) {
    unsigned char c = static_cast<unsigned char>(base[p]);
    if (c <= 32 || c >= 127 || c == '?' || c == '#' || c == '\\') return false;
  }
  return true;
}

std::string UpdateURL(Downloader& downloader) {
  std::optional<std::string> configured = downloader.UpdateBaseOverride();
  std::string base = configured && IsHttpBase(*configured) ? *configured : kUpdateServer;
  while (!base.empty() && base.back() == '/') base.pop_back();
  return base + kUpdatePath;
}

void DownloadDatabase(Downloader& downloader, const std::string& url, TransferControl& control,
                      DownloadedDB& out) {
  out.database = downloader.Fetch(url, kMaxDatabaseBytes, control, out.bytes);
  if (out.database != kSOk) return;
  out.signature = downloader.Fetch(url + kSignatureSuffix, kMaxSignatureBytes, control, out.signatureText);
}

std::vector<PublicKey> TrustedKeys(Registry& registry) {
  std::vector<PublicKey> keys(1);
  ParsePublicKey(kReleaseKey, keys[0]);
  for (const std::string& name : registry.ValueNames(HKey::LocalMachine, kUpdateKeysKey)) {
    std::optional<RegValue> v = registry.QueryValue(HKey::LocalMachine, kUpdateKeysKey, name);
    PublicKey key;
    if (v && v->type == RegType::Sz && ParsePublicKey(v->data, key)) keys.push_back(key);
  }
  return keys;
}

std::optional<uint64_t> TakenTimestamp(Registry& registry) {
  std::optional<RegValue> v = registry.QueryValue(HKey::CurrentUser, kUpdaterStateKey, kTakenTimestampValue);
  if (!v || v->type != RegType::Sz || v->data.empty() || v->data.size() > 19) return std::nullopt;
  uint64_t value = 0;
  for (char c : v->data) {
    if (!IsDigit(c)) return std::nullopt;
    value = value * 10 + static_cast<uint64_t>(c - '0');
  }
  return value;
}

void RememberTakenTimestamp(Registry& registry, uint64_t timestamp) {
  if (registry.CreateKey(HKey::CurrentUser, kUpdaterStateKey))
    registry.SetString(HKey::CurrentUser, kUpdaterStateKey, kTakenTimestampValue, std::to_string(timestamp));
}

DownloadVerdict CheckDownload(const DownloadedDB& download, const std::vector<PublicKey>& trusted,
                              std::optional<uint64_t> newestTaken, uint64_t& timestamp) {
  if (download.signature != kSOk) return DownloadVerdict::NoSignature;
  SignatureCheck check = VerifyDatabaseSignature(download.bytes, download.signatureText, trusted);
  switch (check.status) {
    case SignatureStatus::Valid: break;
    case SignatureStatus::Missing: return DownloadVerdict::NoSignature;
    case SignatureStatus::UnknownKey: return DownloadVerdict::UntrustedKey;
    case SignatureStatus::NoTimestamp: return DownloadVerdict::Undated;
    case SignatureStatus::Malformed:
    case SignatureStatus::Invalid: return DownloadVerdict::BadSignature;
  }
  if (newestTaken && check.timestamp < *newestTaken) return DownloadVerdict::RolledBack;
  if (!HasRuleSections(IniFile::Parse(download.bytes))) return DownloadVerdict::NoRuleLists;
  timestamp = check.timestamp;
  return DownloadVerdict::Taken;
}

bool AcceptableKeyword(const std::string& value) {
  size_t length = TrimmedLength(value);
  if (length < kMinTextLength) return false;
  if (length > std::strlen(kBrowserCaptionSuffixes[0])) return true;  // longer than any ending
  std::string folded = UpperAnsi(TrimControl(value));
  for (const char* suffix : kBrowserCaptionSuffixes)
    if (UpperAnsi(suffix).find(folded) != std::string::npos) return false;
  return true;
}

bool AcceptableCaption(const std::string& value) { return TrimmedLength(value) >= kMinTextLength; }

bool AcceptableURL(const std::string& value) {
  std::string t = TrimControl(value);
  size_t sep = t.find("://");
  if (sep == std::string::npos || sep == 0 || sep + 3 >= t.size()) return false;
  for (char c : t)
    if (static_cast<unsigned char>(c) <= 32) return false;
  return t[sep + 3] != '/';
}

bool AcceptableSize(const std::string& width, const std::string& height) {
  return IsSize(TrimControl(width)) && IsSize(TrimControl(height));
}

MergeReport MergeDownload(const std::string& database, RuleLists& lists, const UpdateChoices& choices) {
  MergeReport report;
  IniFile ini = IniFile::Parse(database);
  bool keep = choices.keepExisting;
  std::optional<std::vector<ListRow>> ads, url, wcs, wds;
  if (choices.ADS) ads = MergedTexts(ini, "ADS", lists.ADS, keep, AcceptableKeyword, report);
  if (choices.URL) url = MergedTexts(ini, "URL", lists.URL, keep, AcceptableURL, report);
  if (choices.WCS) wcs = MergedTexts(ini, "WCS", lists.WCS, keep, AcceptableCaption, report);
  if (choices.WDS) wds = MergedSizes(ini, lists.WDS, keep, report);
  // Only now, with every list computed, is any list replaced.
  if (ads) lists.ADS.Replace(std::move(*ads));
  if (url) lists.URL.Replace(std::move(*url));
  if (wcs) lists.WCS.Replace(std::move(*wcs));
  if (wds) lists.WDS.Replace(std::move(*wds));
  return report;
}

}  // namespace zt
