// Benchmarks of the history behind the statistics window: one new entry in
// a full history with its counters kept up to date, against counting the
// whole history again, which a refresh that recounts would do per entry.
#include <benchmark/benchmark.h>

#include "engine/history.h"

namespace zt {
namespace {

const char* const kKeys[] = {"WDS", "URL", "ADS", "WCS", "FlashAX", "NTP", "SmallWDS"};

History FullHistory(const Texts& texts, HistoryCounts& counts) {
  History h;
  for (size_t i = 0; i < kMaxHistory; ++i)
    AppendHistory(h, counts, texts,
                  HistoryEntry{"Popup " + std::to_string(i), "http://ads.example.com/" + std::to_string(i), "468",
                               "60", ScannerDisplayName(kKeys[i % 7], texts), "14:10:00", {}});
  return h;
}

void BM_AppendToFullHistoryKeepingCounts(benchmark::State& state) {
  const Texts& texts = TextsFor(true);
  HistoryCounts counts;
  History h = FullHistory(texts, counts);
  size_t i = 0;
  for (auto _ : state) {
    AppendHistory(h, counts, texts,
                  HistoryEntry{"Popup", "", "", "", ScannerDisplayName(kKeys[i++ % 7], texts), "14:10:01", {}});
    benchmark::DoNotOptimize(counts.total);
  }
}
BENCHMARK(BM_AppendToFullHistoryKeepingCounts);

void BM_CountWholeFullHistory(benchmark::State& state) {
  const Texts& texts = TextsFor(true);
  HistoryCounts counts;
  History h = FullHistory(texts, counts);
  for (auto _ : state) benchmark::DoNotOptimize(CountHistory(h, texts).total);
}
BENCHMARK(BM_CountWholeFullHistory)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace zt
