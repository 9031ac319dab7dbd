// Fuzz target: the checks and the merge of a downloaded rule database on
// any bytes. Checks invariants: every entry a list gains meets the rules for
// downloaded entries, the lists stay sorted and distinct, a list is never
// emptied, and the report counts no more entries than the file holds.
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "rules/list_ops.h"
#include "rules/updater.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

zt::RuleLists Seeded() {
  zt::RuleLists lists;
  for (const char* t : {"Casino", "Gewinn"}) lists.WCS.Add({t});
  for (const char* t : {"ab", "Gewinnspiel"}) lists.ADS.Add({t});  // what a user typed stays
  lists.URL.Add({"http://old.example.com"});
  lists.WDS.Add({"120", "600"});
  return lists;
}

std::set<std::string> Texts(const zt::ListModel& list) {
  std::set<std::string> texts;
  for (size_t i = 0; i < list.size(); ++i) texts.insert(list.text(i) + "\n" + (list.row(i).cols.size() > 1 ? list.text(i, 1) : ""));
  return texts;
}

}  // namespace

extern const std::vector<std::string> kFuzzDictionary = {
    "[ADS]", "[URL]", "[WCS]", "[WDS]", "[ads]", "[Other]", "1=", "2=", "3=", "4=", "=", "\"", " ", "\t",
    "\r\n", "\n", "http://", "://", "Microsoft", " - Mozilla", "0", "99999", "100000", "300", std::string(1, '\0')};

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  zt::UpdateChoices choices;
  choices.WCS = data[0] & 1;
  choices.ADS = data[0] & 2;
  choices.URL = data[0] & 4;
  choices.WDS = data[0] & 8;
  choices.keepExisting = data[0] & 16;

  zt::RuleLists before = Seeded(), lists = Seeded();
  zt::MergeReport report = zt::MergeDownload(bytes, lists, choices);
  size_t lines = 1;
  for (char c : bytes) lines += c == '\n' || c == '\r';
  Check(report.refused <= lines);

  struct Pair {
    const zt::ListModel& was;
    const zt::ListModel& now;
    bool (*acceptable)(const std::string&);
  };
  for (const Pair& p : {Pair{before.ADS, lists.ADS, zt::AcceptableKeyword},
                        Pair{before.URL, lists.URL, zt::AcceptableURL},
                        Pair{before.WCS, lists.WCS, zt::AcceptableCaption}}) {
    Check(!p.now.empty());
    std::set<std::string> old = Texts(p.was);
    for (size_t i = 0; i < p.now.size(); ++i) {
      if (!old.count(p.now.text(i) + "\n")) Check(p.acceptable(p.now.text(i)));
      if (i > 0) Check(zt::UpperAnsi(p.now.text(i - 1)) < zt::UpperAnsi(p.now.text(i)));
    }
  }
  Check(!lists.WDS.empty());
  std::set<std::string> old = Texts(before.WDS), seen;
  for (size_t i = 0; i < lists.WDS.size(); ++i) {
    std::string pair = lists.WDS.text(i, 0) + "\n" + lists.WDS.text(i, 1);
    Check(seen.insert(pair).second);
    if (!old.count(pair)) Check(zt::AcceptableSize(lists.WDS.text(i, 0), lists.WDS.text(i, 1)));
  }

  // Unsigned, whatever it holds, it is never taken.
  zt::DownloadedDB download;
  download.database = zt::kSOk;
  download.signature = zt::kEHttpStatus;
  download.bytes = bytes;
  uint64_t timestamp = 0;
  Check(zt::CheckDownload(download, {}, std::nullopt, timestamp) == zt::DownloadVerdict::NoSignature);
  // Any base address either is a plain HTTP one or leaves the server's.
  zt::IsHttpBase(bytes);
  return 0;
}
