// The cost of a frame on the Device API against a plain memcpy of the same
// 320 x 240 x 4 bytes: composing on a canvas (CanvasCopy between canvases),
// showing it (CanvasCopy to the screen: blit, flush into the shared block and
// a synchronous repaint message to an in-process stand-in viewer that reads
// the block), and MemFree's linear search with many live blocks.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <vector>

#include "host/canvas.h"
#include "host/lcd.h"
#include "host/mem.h"
#include "tests/support/host_env.h"
#include "tests/support/standin_companion.h"

namespace {

constexpr std::size_t kFrameBytes = 320 * 240 * 4;

void BM_MemcpyFrame(benchmark::State& state) {
  std::vector<uint8_t> from(kFrameBytes, 1), to(kFrameBytes);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), kFrameBytes);
    benchmark::DoNotOptimize(to.data());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kFrameBytes));
}
BENCHMARK(BM_MemcpyFrame);

// A started screen with a stand-in viewer and two canvases; the host is
// reset when it goes.
struct Host {
  Host() {
    started = LcdVctInit() == 1;
    a = CanvasCreate();
    b = CanvasCreate();
  }
  ~Host() {
    CanvasFree(a);
    CanvasFree(b);
  }
  testsupport::HostEnv env;
  std::unique_ptr<testsupport::StandinCompanion> viewer = testsupport::StandinCompanion::Viewer();
  bool started = false;
  Canvas* a = nullptr;
  Canvas* b = nullptr;
};

void BM_CanvasCopyBetweenCanvases(benchmark::State& state) {
  Host host;
  if (!host.started) return state.SkipWithError("screen did not start");
  for (auto _ : state) benchmark::DoNotOptimize(CanvasCopy(host.b, host.a));
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kFrameBytes));
}
BENCHMARK(BM_CanvasCopyBetweenCanvases);

void BM_CanvasCopyToScreenWithFlush(benchmark::State& state) {
  Host host;
  if (!host.started) return state.SkipWithError("screen did not start");
  for (auto _ : state) benchmark::DoNotOptimize(CanvasCopy(nullptr, host.a));
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kFrameBytes));
}
BENCHMARK(BM_CanvasCopyToScreenWithFlush);

// Allocating and freeing one block while range(0) others are live: the free
// searches the table from its start, where the new block is last.
void BM_MemAllocFreeWithLiveBlocks(benchmark::State& state) {
  testsupport::HostEnv env;
  if (MemVctInit() != 1) return state.SkipWithError("pool did not start");
  for (int64_t i = 0; i < state.range(0); ++i) MemAlloc(16);
  for (auto _ : state) MemFree(MemAlloc(16));
}
BENCHMARK(BM_MemAllocFreeWithLiveBlocks)->Arg(0)->Arg(1000)->Arg(30000);

}  // namespace

BENCHMARK_MAIN();
