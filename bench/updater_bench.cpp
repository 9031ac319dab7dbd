// Speed of the updater's merge with real-sized lists: every host name of a
// public hosts list becomes a keyword, an address and a caption of the
// published database, and a size pair; the lists already hold every other
// one. Measures the merge with the sorting that follows it in a run.
#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "bench/support/bench_data.h"
#include "rules/list_ops.h"
#include "rules/updater.h"

namespace {

std::vector<std::string> HostNames(const std::string& file) {
  std::ifstream in(zt::bench::DataPath(file));
  std::vector<std::string> hosts;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    std::string address, host;
    if (fields >> address >> host && host.find("localhost") == std::string::npos) hosts.push_back(host);
  }
  return hosts;
}

std::string Published(const std::vector<std::string>& hosts) {
  std::string ads = "[ADS]\r\n", url = "[URL]\r\n", wcs = "[WCS]\r\n", wds = "[WDS]\r\n";
  for (size_t i = 0; i < hosts.size(); ++i) {
    std::string k = std::to_string(i + 1);
    ads += k + "=" + hosts[i] + "\r\n";
    url += k + "=http://" + hosts[i] + "\r\n";
    wcs += k + "=" + hosts[i] + " - Angebot\r\n";
    wds += std::to_string(2 * i + 1) + "=" + std::to_string(100 + i % 900) + "\r\n" +
           std::to_string(2 * i + 2) + "=" + std::to_string(50 + i / 900) + "\r\n";
  }
  return ads + url + wcs + wds;
}

// What a run does with a download, timed: the merge and (unless mergeOnly)
// the sorting after it.
void MergeAndSort(benchmark::State& state, const std::string& database, const zt::RuleLists& existing,
                  bool keepExisting, bool mergeOnly = false) {
  zt::UpdateChoices choices;
  choices.keepExisting = keepExisting;
  for (auto _ : state) {
    state.PauseTiming();
    zt::RuleLists lists = existing;
    state.ResumeTiming();
    zt::MergeDownload(database, lists, choices);
    if (!mergeOnly)
      for (zt::ListModel* l : {&lists.WCS, &lists.ADS, &lists.URL, &lists.WDS}) zt::ListviewSort(*l, 0, 2);
    benchmark::DoNotOptimize(lists.URL.size());
  }
}

void BM_MergeAndSort(benchmark::State& state, const char* file, bool keepExisting) {
  std::vector<std::string> hosts = HostNames(file);
  if (hosts.empty()) {
    state.SkipWithError(zt::bench::NoData().c_str());
    return;
  }
  const std::string database = Published(hosts);
  zt::RuleLists existing;
  for (size_t i = 0; i < hosts.size(); i += 2) {
    existing.ADS.Add({hosts[i]});
    existing.URL.Add({"http://" + hosts[i]});
  }
  MergeAndSort(state, database, existing, keepExisting);
  state.counters["entries"] = static_cast<double>(hosts.size());
}

// 100,000 entries in each of the four sections, merged into lists that
// already hold every other one: the size a merge must handle quickly.
std::string Synthetic(size_t n) {
  std::string ads = "[ADS]\r\n", url = "[URL]\r\n", wcs = "[WCS]\r\n", wds = "[WDS]\r\n";
  for (size_t i = 0; i < n; ++i) {
    std::string k = std::to_string(i + 1), name = "banner" + std::to_string(i * 7919 % n);
    ads += k + "=" + name + "\r\n";
    url += k + "=http://" + name + ".example.com\r\n";
    wcs += k + "=" + name + " - Angebot\r\n";
    wds += std::to_string(2 * i + 1) + "=" + std::to_string(100 + i % 1000) + "\r\n" +
           std::to_string(2 * i + 2) + "=" + std::to_string(50 + i / 1000) + "\r\n";
  }
  return ads + url + wcs + wds;
}

void BM_Merge100k(benchmark::State& state, bool keepExisting, bool mergeOnly) {
  const size_t n = 100000;
  const std::string database = Synthetic(n);
  zt::RuleLists existing;
  for (size_t i = 0; i < n; i += 2) {
    std::string name = "banner" + std::to_string(i);
    existing.ADS.Add({name});
    existing.URL.Add({"http://" + name + ".example.com"});
    existing.WCS.Add({name + " - Angebot"});
    existing.WDS.Add({std::to_string(100 + i % 1000), std::to_string(50 + i / 1000)});
  }
  for (zt::ListModel* l : {&existing.WCS, &existing.ADS, &existing.URL, &existing.WDS}) zt::ListviewSort(*l, 0, 0);
  MergeAndSort(state, database, existing, keepExisting, mergeOnly);
}

// A hostile file: 200,000 empty sections ahead of an ADS section with
// 200,000 keys. A merge that looked every key up from the top of the file
// took minutes here.
void BM_DummySectionsThenKeys(benchmark::State& state) {
  const size_t n = 200000;
  std::string text;
  for (size_t i = 0; i < n; ++i) text += "[D" + std::to_string(i) + "]\r\n";
  text += "[ADS]\r\n";
  for (size_t i = 0; i < n; ++i) text += std::to_string(i + 1) + "=keyword" + std::to_string(i) + "\r\n";
  for (auto _ : state) {
    zt::RuleLists lists;
    zt::MergeDownload(text, lists, zt::UpdateChoices{});
    benchmark::DoNotOptimize(lists.ADS.size());
  }
}

BENCHMARK_CAPTURE(BM_Merge100k, keep, true, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Merge100k, replace, false, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Merge100k, keep_merge_only, true, true)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DummySectionsThenKeys)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(BM_MergeAndSort, adaway_keep, "hosts-127-adaway.txt", true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_MergeAndSort, adaway_replace, "hosts-127-adaway.txt", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_MergeAndSort, unified_keep, "hosts-000-unified.txt", true)->Unit(benchmark::kMillisecond);

}  // namespace
