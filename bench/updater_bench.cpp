// Speed of the updater's merge with real-sized lists: every host name of a
// public hosts list becomes a keyword, an address and a caption of the
// published database, and a size pair; the lists already hold every other
// one. Measures ReadDBParts with the sorting that follows it in a run.
#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "bench/support/bench_data.h"
#include "platform/sim/sim_system.h"
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

void BM_MergeAndSort(benchmark::State& state, const char* file, bool keepExisting) {
  std::vector<std::string> hosts = HostNames(file);
  if (hosts.empty()) {
    state.SkipWithError(zt::bench::NoData().c_str());
    return;
  }
  zt::SimSystem sys;
  const std::string path = "C:\\Zapotrix\\config\\zapotrix_mainDB_new.ini";
  sys.PutFile(path, Published(hosts));
  zt::RuleLists existing;
  for (size_t i = 0; i < hosts.size(); i += 2) {
    existing.ADS.Add({hosts[i]});
    existing.URL.Add({"http://" + hosts[i]});
  }
  zt::UpdateChoices choices;
  choices.keepExisting = keepExisting;

  for (auto _ : state) {
    state.PauseTiming();
    zt::RuleLists lists = existing;
    state.ResumeTiming();
    zt::ReadDBParts(sys, path, lists, choices, zt::TextsFor(false));
    for (zt::ListModel* l : {&lists.WCS, &lists.ADS, &lists.URL, &lists.WDS}) zt::ListviewSort(*l, 0, 2);
    benchmark::DoNotOptimize(lists.URL.size());
  }
  state.counters["entries"] = static_cast<double>(hosts.size());
}

BENCHMARK_CAPTURE(BM_MergeAndSort, adaway_keep, "hosts-127-adaway.txt", true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_MergeAndSort, adaway_replace, "hosts-127-adaway.txt", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_MergeAndSort, unified_keep, "hosts-000-unified.txt", true)->Unit(benchmark::kMillisecond);

}  // namespace
