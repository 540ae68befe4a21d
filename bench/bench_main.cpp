// Runs the benchmarks and then prints each operation's time as a multiple of
// the memcpy of the same surface size measured in the same run.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace showsaver {
void register_blit_benchmarks();
}

namespace {

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Iteration || run.error_occurred) continue;
      times_[run.benchmark_name()] = run.GetAdjustedRealTime();
    }
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    std::printf("\n%-34s %12s %12s %8s\n", "operation", "time (us)", "memcpy (us)", "ratio");
    for (const auto& [name, time] : times_) {
      const auto slash = name.find('/');
      if (slash == std::string::npos || name.rfind("memcpy", 0) == 0) continue;
      // The same surface size and suffixes: "memcpy" + "/1920x1080/real_time".
      const auto base = times_.find(std::string("memcpy").append(name, slash));
      if (base == times_.end()) continue;
      std::printf("%-34s %12.1f %12.1f %8.2f\n", name.c_str(), time, base->second,
                  time / base->second);
    }
  }

 private:
  std::map<std::string, double> times_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  showsaver::register_blit_benchmarks();
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
