#include "bench/targets.h"

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <map>

namespace bench {
namespace {

struct Total {
  double seconds = 0;
  double iterations = 0;
};

// The console table, keeping the real time of every successful run.
class TargetReporter : public benchmark::ConsoleReporter {
 public:
  TargetReporter() : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.error_occurred || run.iterations == 0) continue;
      const std::string& name = run.run_name.function_name;
      if (run.run_type == Run::RT_Iteration) {
        totals_[name].seconds += run.real_accumulated_time;
        totals_[name].iterations += double(run.iterations);
      } else if (run.aggregate_name == "median") {
        medians_[name] = run.real_accumulated_time * 1e9 / double(run.iterations);
      }
    }
  }

  // Nanoseconds per iteration: the median of repetitions when there were
  // any, else the mean of all runs; negative when the benchmark did not run.
  double PerIterationNs(const std::string& name) const {
    if (auto median = medians_.find(name); median != medians_.end()) return median->second;
    auto it = totals_.find(name);
    if (it == totals_.end()) return -1;
    return it->second.seconds * 1e9 / it->second.iterations;
  }

 private:
  std::map<std::string, Total> totals_;
  std::map<std::string, double> medians_;
};

void PrintTarget(const Target& target, const TargetReporter& reporter) {
  const double measured = reporter.PerIterationNs(target.benchmark);
  if (measured < 0) return;
  double bound = target.limitNs;
  std::string rule = "a fixed limit";
  if (!target.baselines.empty()) {
    double sum = 0;
    rule.clear();
    for (const std::string& baseline : target.baselines) {
      const double time = reporter.PerIterationNs(baseline);
      if (time < 0) return;
      sum += time;
      rule += (rule.empty() ? "" : " + ") + baseline;
    }
    bound = target.factor * sum;
    char factor[32];
    std::snprintf(factor, sizeof factor, "%g x (", target.factor);
    rule = factor + rule + ")";
  }
  std::printf("%-28s %10.1f us   target %10.1f us = %s   %s\n", target.benchmark.c_str(),
              measured / 1000, bound / 1000, rule.c_str(), measured <= bound ? "met" : "MISSED");
}

}  // namespace

void RunWithTargets(const std::vector<Target>& targets) {
  TargetReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::printf("\n");
  for (const Target& target : targets) PrintTarget(target, reporter);
  std::fflush(stdout);
}

}  // namespace bench
