#pragma once
// Speed targets checked at the end of a benchmark run: a benchmark's real
// time per iteration against a multiple of the summed times of baselines
// measured in the same run, or against a fixed time.

#include <string>
#include <vector>

namespace bench {

struct Target {
  std::string benchmark;               // a benchmark's function name
  std::vector<std::string> baselines;  // summed; empty for a fixed limit
  double factor = 0;                   // the bound: factor x the baselines' sum
  double limitNs = 0;                  // the bound when there are no baselines
};

// Runs the benchmarks chosen on the command line with the usual console
// table, then prints one line per target whose benchmark and baselines ran:
// the times, the bound and whether it was met. A missed target is reported,
// never turned into a failure.
void RunWithTargets(const std::vector<Target>& targets);

}  // namespace bench
