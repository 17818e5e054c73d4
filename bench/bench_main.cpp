// Runs every benchmark, then prints one line for each of our operations against its SDL peer:
// "vs-sdl <operation> ratio=<our time / SDL time>".
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

#include "ratio_pairs.h"

namespace {

class TRatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.iterations > 0) times_[run.benchmark_name()] = run.GetAdjustedRealTime();
    }
  }

  void PrintRatios() const {
    for (const bench::TRatioPair& pair : bench::RatioPairs()) {
      const auto ours = times_.find(pair.ours);
      const auto peer = times_.find(pair.peer);
      if (ours == times_.end() || peer == times_.end() || peer->second <= 0) continue;
      std::printf("vs-sdl %s ratio=%.2f\n", pair.operation, ours->second / peer->second);
    }
  }

 private:
  std::map<std::string, double> times_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  TRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatios();
  benchmark::Shutdown();
  return 0;
}
