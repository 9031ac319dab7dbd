// One full scan cycle on the stand-in desktop: 1, 10 and 50 Internet
// Explorer windows (with address bars) against rule lists of 100 to 100,000
// entries each. Nothing matches, so every cycle does the same work: the
// snapshot, the four scanner passes, the Flash and Notepad killers.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include <fstream>
#include <random>
#include <sstream>

#include "../tests/engine_world.h"
#include "../tests/scanner_reference.h"
#include "bench/support/bench_data.h"

namespace zt::test {
namespace {

// Host names of a real blocking list, or made-up ones when it is missing.
const std::vector<std::string>& HostNames() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> v;
    std::ifstream in(zt::bench::DataPath("hosts-000-unified.txt"));
    std::string line;
    while (std::getline(in, line)) {
      std::istringstream fields(line);
      std::string ip, host;
      if (fields >> ip >> host && ip == "0.0.0.0" && host != "0.0.0.0") v.push_back(host);
    }
    for (size_t i = v.size(); i < 100000; ++i) v.push_back("host" + std::to_string(i) + ".example.net");
    return v;
  }();
  return names;
}

void BM_ScanCycle(benchmark::State& state) {
  const int windows = static_cast<int>(state.range(0));
  const size_t entries = static_cast<size_t>(state.range(1));
  EngineWorld w;
  Settings& s = w.app.settings;
  s.Small_Windows = true;
  s.FlashAX = true;
  s.Notepad = true;
  const std::vector<std::string>& hosts = HostNames();
  std::mt19937 rng(42);
  for (size_t i = 0; i < entries; ++i) {
    const std::string& h = hosts[(i * 7919) % hosts.size()];
    w.app.rules.WCS.Add({h});
    w.app.rules.URL.Add({"http://" + h});
    w.app.rules.ADS.Add({h});
    w.app.rules.WDS.Add({std::to_string(100 + rng() % 700), std::to_string(50 + rng() % 500)});
  }
  for (ListModel* l : {&w.app.rules.WCS, &w.app.rules.URL, &w.app.rules.ADS, &w.app.rules.WDS}) ListviewSort(*l, 0, 0);
  for (int i = 0; i < windows; ++i) {
    WindowHandle ie = w.Browser(kInternetExplorer, "Nachrichten und Wetter aus aller Welt, Seite " + std::to_string(i),
                                1024, 740);
    w.AddressBar(ie, "http://www.news-portal" + std::to_string(i) + ".example/artikel/" + std::to_string(i));
  }
  w.Cycle();  // builds the caches
  for (auto _ : state) w.Cycle();
  if (!w.app.engine.history.empty()) state.SkipWithError("a window was closed");
}

BENCHMARK(BM_ScanCycle)
    ->ArgsProduct({{1, 10, 50}, {100, 1000, 10000, 100000}})
    ->Unit(benchmark::kMicrosecond);

// A scan cycle that closes windows: 50 Internet Explorer windows that
// ignore WM_CLOSE, so every cycle closes and records all of them again,
// against 10,000 entries per list. Each pass closes a quarter of them (size,
// address, keyword, caption), so the cost of recording a closing shows.
void BM_ScanCycleClosing(benchmark::State& state) {
  const size_t entries = static_cast<size_t>(state.range(0));
  EngineWorld w;
  const std::vector<std::string>& hosts = HostNames();
  for (size_t i = 0; i < entries; ++i) {
    const std::string& h = hosts[(i * 7919) % hosts.size()];
    w.app.rules.WCS.Add({"Titel " + h});
    w.app.rules.URL.Add({"http://" + h});
    w.app.rules.ADS.Add({"kw-" + h});
    w.app.rules.WDS.Add({std::to_string(100 + i % 700), std::to_string(50 + i / 700)});
  }
  for (int i = 0; i < 50; ++i) {
    std::string n = std::to_string(i);
    const std::string& h = hosts[(static_cast<size_t>(i) * 7919) % hosts.size()];
    switch (i % 4) {
      case 0: w.Browser(kInternetExplorer, "Seite " + n, 100 + i, 50); break;  // a size entry
      case 1: w.AddressBar(w.Browser(kInternetExplorer, "Seite " + n, 1024, 740), "http://" + h); break;
      case 2: w.Browser(kInternetExplorer, "Seite " + n + " bei kw-" + h, 1024, 740); break;  // a keyword
      default: w.Browser(kInternetExplorer, "Titel " + h, 1024, 740); break;                         // a caption
    }
  }
  for (ListModel* l : {&w.app.rules.WCS, &w.app.rules.URL, &w.app.rules.ADS, &w.app.rules.WDS}) ListviewSort(*l, 0, 0);
  w.Cycle();
  size_t before = w.app.engine.history.size();
  for (auto _ : state) w.Cycle();
  if (before != 50) state.SkipWithError("not every window was closed");
}

// ZT_BENCH_ITERATIONS=N runs exactly N iterations: instruction counts of N
// and of 1 iteration, under callgrind, give the cost of one cycle.
benchmark::internal::Benchmark* const kScanCycleClosing = [] {
  benchmark::internal::Benchmark* b =
      benchmark::RegisterBenchmark("BM_ScanCycleClosing", BM_ScanCycleClosing)->Arg(10000)->Unit(benchmark::kMicrosecond);
  if (const char* n = std::getenv("ZT_BENCH_ITERATIONS")) b->Iterations(std::atoi(n));
  return b;
}();

// The keyword and size passes alone over 50 windows: the automaton and the
// size table (fast = 1) against the entry-by-entry passes (fast = 0).
void BM_KeywordAndSizePasses(benchmark::State& state) {
  const bool fast = state.range(0) == 1;
  const size_t entries = static_cast<size_t>(state.range(1));
  EngineWorld w;
  const std::vector<std::string>& hosts = HostNames();
  for (size_t i = 0; i < entries; ++i) {
    w.app.rules.ADS.Add({hosts[(i * 7919) % hosts.size()]});
    w.app.rules.WDS.Add({std::to_string(100 + i % 700), std::to_string(50 + i / 700)});
  }
  for (int i = 0; i < 50; ++i)
    w.Browser(kInternetExplorer, "Nachrichten und Wetter aus aller Welt, Seite " + std::to_string(i), 1024, 740);
  w.Snapshot();
  for (auto _ : state) {
    if (fast) {
      KillwindowWDS(w.app.Scan());
      killwindowADS(w.app.Scan());
    } else {
      ReferenceKillwindowWDS(w.app);
      ReferenceKillwindowADS(w.app);
    }
  }
  if (!w.app.engine.history.empty()) state.SkipWithError("a window was closed");
}

BENCHMARK(BM_KeywordAndSizePasses)->ArgsProduct({{0, 1}, {1000, 10000}})->Unit(benchmark::kMicrosecond);

// What one change of a rule list costs the next cycle: rebuilding the
// keyword automaton and the size table.
void BM_RebuildAfterEdit(benchmark::State& state) {
  const size_t entries = static_cast<size_t>(state.range(0));
  const std::vector<std::string>& hosts = HostNames();
  ListModel ads(ListViewId::ADS), wds(ListViewId::WDS);
  for (size_t i = 0; i < entries; ++i) {
    ads.Add({hosts[(i * 7919) % hosts.size()]});
    wds.Add({std::to_string(100 + i % 700), std::to_string(50 + i / 700)});
  }
  KeywordMatcher matcher;
  SizeTable sizes;
  for (auto _ : state) {
    matcher.Build(ads);
    sizes.Build(wds);
  }
}

BENCHMARK(BM_RebuildAfterEdit)->Arg(100)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zt::test
