// What a replay costs: Velmor's opening (tests/e2e/replay_scripts/
// velmor_opening.replay, from the Desktop to the chapter's end and back)
// run by the host program headless on the virtual clock, start to exit,
// frames written. Target: the wall time at most 1/10 of the virtual time
// the script covers (its last line's time). Counters: `virtual_ms`, and
// `ratio`, wall time over virtual time.

#include <benchmark/benchmark.h>
#include <time.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "bench/targets.h"
#include "host/replay/replay_script.h"
#include "tests/support/child_process.h"

namespace {

namespace fs = std::filesystem;

// Milliseconds of the monotonic clock (<chrono> does not build with the
// project's GB2312 execution character set).
double NowMs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// The virtual time the opening's script covers, in milliseconds; 0 when it
// cannot be read.
int64_t OpeningVirtualMs() {
  std::vector<replay::Step> steps;
  codec::Diagnostics diag;
  if (!replay::LoadScript(OPENING_REPLAY, &steps, &diag) || steps.empty()) return 0;
  return steps.back().atMs;
}

void VelmorOpeningReplay(benchmark::State& state) {
  const int64_t virtualMs = OpeningVirtualMs();
  if (virtualMs == 0) {
    state.SkipWithError("the opening's replay script cannot be read");
    return;
  }
  const fs::path frames = fs::temp_directory_path() / ("replay-bench-" + std::to_string(getpid()));
  // A private instance, so a simulator running beside the bench is not disturbed.
  testsupport::ProcessOptions options;
  options.env = {"TOVSIM_INSTANCE=bench-replay-" + std::to_string(getpid())};
  double wallMs = 0;
  for (auto _ : state) {
    const double start = NowMs();
    const testsupport::RunResult run = testsupport::RunToEnd(
        {TOVSIM_PROGRAM, "--replay", OPENING_REPLAY, "--frames", frames.string()}, options);
    if (run.exitCode != 0) {
      state.SkipWithError(("the replay failed: " + run.err).c_str());
      break;
    }
    wallMs += NowMs() - start;
  }
  std::error_code ignored;
  fs::remove_all(frames, ignored);
  state.counters["virtual_ms"] = double(virtualMs);
  if (state.iterations() > 0) {
    state.counters["ratio"] = wallMs / double(state.iterations()) / double(virtualMs);
  }
}
BENCHMARK(VelmorOpeningReplay)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  const double limitNs = double(OpeningVirtualMs()) * 1e6 / 10;
  bench::RunWithTargets({{"VelmorOpeningReplay", {}, 0, limitNs}});
  return 0;
}
