#pragma once
// A console reporter that also keeps each benchmark's CPU time (in its time
// unit), so a bench program can print ratios between runs at the end: CPU
// time, as the machine may be shared.
#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace mivo::bench {

class TRatioReporter : public benchmark::ConsoleReporter {
 public:
  std::map<std::string, double> Times;
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& r : runs)
      if (r.run_type == Run::RT_Iteration) Times[r.benchmark_name()] = r.GetAdjustedCPUTime();
    ConsoleReporter::ReportRuns(runs);
  }
  // Time of `a` over time of `b`; false when either did not run.
  bool Ratio(const std::string& a, const std::string& b, double& ratio) const {
    const auto ia = Times.find(a), ib = Times.find(b);
    if (ia == Times.end() || ib == Times.end() || !(ib->second > 0)) return false;
    ratio = ia->second / ib->second;
    return true;
  }
};

// Runs the benchmarks the command line selects through `reporter`; false when
// the command line holds an argument the benchmark library does not know.
inline bool RunBenchmarks(int& argc, char** argv, TRatioReporter& reporter) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return false;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return true;
}

}  // namespace mivo::bench
