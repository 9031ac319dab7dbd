// Benchmarks of the rule database: load and save of large lists, the sort,
// and the exact lookup the caption and URL scanners make every cycle.
#include <benchmark/benchmark.h>

#include <algorithm>

#include "platform/sim/sim_system.h"
#include "rules/list_ops.h"
#include "rules/main_db.h"

namespace zt {
namespace {

const char* const kDb = "C:\\Zapotrix\\config\\zapotrix_mainDB.ini";

// A database as the program saves it: each text list sorted, plus sizes.
std::string Database(int entries, int sizes) {
  std::vector<std::string> words;
  for (int i = 0; i < entries; ++i) words.push_back("entry " + std::to_string(100000000 + (i * 7919) % 1000003));
  std::sort(words.begin(), words.end());
  std::string text;
  for (const char* section : {"ADS", "URL", "WCS"}) {
    text += std::string("[") + section + "]\r\n";
    for (int i = 0; i < entries; ++i) text += std::to_string(i + 1) + "=" + words[i] + "\r\n";
  }
  text += "[WDS]\r\n";
  for (int i = 1; i <= sizes; ++i)
    text += std::to_string(2 * i - 1) + "=" + std::to_string(100 + i) + "\r\n" + std::to_string(2 * i) + "=250\r\n";
  return text;
}

// Load and save together, as one program run does (100,000 rules per text
// list and 1,000 sizes is the target case).
void BM_LoadAndSave(benchmark::State& state) {
  SimSystem sys;
  sys.PutFile(kDb, Database(static_cast<int>(state.range(0)), 1000));
  for (auto _ : state) {
    RuleLists lists;
    LoadMainDB(sys, kDb, lists);
    SaveMainDB(sys, kDb, lists, TextsFor(false));
  }
}
BENCHMARK(BM_LoadAndSave)->Arg(3000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_LoadMainDB(benchmark::State& state) {
  SimSystem sys;
  sys.PutFile(kDb, Database(static_cast<int>(state.range(0)), static_cast<int>(state.range(0))));
  for (auto _ : state) {
    RuleLists lists;
    LoadMainDB(sys, kDb, lists);
    benchmark::DoNotOptimize(lists.ADS.size());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0) * 4);
}
BENCHMARK(BM_LoadMainDB)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_SaveMainDB(benchmark::State& state) {
  SimSystem sys;
  sys.PutFile(kDb, Database(static_cast<int>(state.range(0)), static_cast<int>(state.range(0))));
  RuleLists lists;
  LoadMainDB(sys, kDb, lists);
  for (auto _ : state) SaveMainDB(sys, kDb, lists, TextsFor(false));
  state.SetItemsProcessed(state.iterations() * state.range(0) * 4);
}
BENCHMARK(BM_SaveMainDB)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_SortAndLookup(benchmark::State& state) {
  ListModel list(ListViewId::URL);
  for (int i = 0; i < state.range(0); ++i) list.Add({"http://host" + std::to_string((i * 7919) % 1000003) + ".example"});
  ListviewSort(list, 0, 0);
  int i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        FindStrInListview("http://HOST" + std::to_string((i++ * 7919) % 1000003) + ".example", list, ""));
  }
}
BENCHMARK(BM_SortAndLookup)->Arg(100)->Arg(10000)->Arg(100000);

}  // namespace
}  // namespace zt
