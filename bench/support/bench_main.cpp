// The main of every benchmark program: runs the benchmarks as Google
// Benchmark's own main does, and exits 1 when one of them could not
// measure (it stopped with an error, such as missing data), so that
// `make bench` does not pass over a figure it never took.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <vector>

namespace {

class ErrorCountingReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) errors += run.error_occurred;
    ConsoleReporter::ReportRuns(runs);
  }
  int errors = 0;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  ErrorCountingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  if (reporter.errors) {
    std::fprintf(stderr, "%s: %d benchmark(s) could not measure (see above)\n", argv[0], reporter.errors);
    return 1;
  }
  return 0;
}
