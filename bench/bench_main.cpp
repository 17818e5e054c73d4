// Runs every benchmark, then prints one line for each of our operations against its SDL peer,
// "vs-sdl <operation> ratio=<our time / SDL time>", and one for each sprite-engine case,
// "engine <case> us=<median microseconds>"; then the replay checker's speed on a crowded game.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

#include "ratio_pairs.h"
#include "replay_bench.h"

namespace {

class TRatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Aggregate) {
        if (run.aggregate_name == "median") medians_[run.run_name.function_name] = run;
      } else if (run.iterations > 0) {
        times_[run.benchmark_name()] = run.GetAdjustedRealTime();
      }
    }
  }

  void PrintRatios() const {
    for (const bench::TRatioPair& pair : bench::RatioPairs()) {
      const auto ours = times_.find(pair.ours);
      const auto peer = times_.find(pair.peer);
      if (ours == times_.end() || peer == times_.end() || peer->second <= 0) continue;
      std::printf("vs-sdl %s ratio=%.2f\n", pair.operation, ours->second / peer->second);
    }
    const std::pair<const char*, const char*> kEngineCases[] = {
        {"BM_EngineDrawPass", "draw-120"}, {"BM_EngineCollisions", "collide-51x80"}};
    for (const auto& [name, label] : kEngineCases) {
      const auto median = medians_.find(name);
      if (median == medians_.end()) continue;
      // Real time in the benchmark's unit (microseconds for these).
      std::printf("engine %s us=%.1f\n", label, median->second.GetAdjustedRealTime());
    }
  }

 private:
  std::map<std::string, double> times_;
  std::map<std::string, Run> medians_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  TRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatios();
  PrintReplayCheck();
  benchmark::Shutdown();
  return 0;
}
