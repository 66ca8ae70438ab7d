// What the Desktop costs when a game returns to it: DrawDesktop() and
// HighlightLabel(0) on the host's screen, against a headless viewer, beside
//   FlushScreen       one frame shown, the floor of anything that shows one
//   BackgroundPicture the Desktop's background loaded and drawn on a canvas
// The pictures are the built ones, found next to this program as the host
// finds them (..\AppEntry\). The viewer runs in a private instance.

#include <benchmark/benchmark.h>

#include <memory>

#include "bench/viewer_session.h"
#include "desktop/desktop.h"
#include "host/device_api.h"

namespace {

std::unique_ptr<bench::ViewerSession> session;

bench::ViewerSession* Session(benchmark::State& state) {
  if (!session) session = std::make_unique<bench::ViewerSession>(bench::ViewerMode::kHeadless);
  if (!session->error().empty()) {
    state.SkipWithError(session->error().c_str());
    return nullptr;
  }
  return session.get();
}

// Counts the frames the viewer copied per iteration.
void CountFrames(benchmark::State& state, const bench::ViewerSession& viewer, int64_t before) {
  state.counters["frames"] = benchmark::Counter(double(viewer.FramesCopied() - before),
                                                benchmark::Counter::kAvgIterations);
}

void DesktopRedraw(benchmark::State& state) {
  bench::ViewerSession* viewer = Session(state);
  if (!viewer) return;
  const int64_t before = viewer->FramesCopied();
  for (auto _ : state) {
    if (DrawDesktop() < 1) {
      state.SkipWithError("the Desktop drew no row");
      return;
    }
    HighlightLabel(0);
  }
  CountFrames(state, *viewer, before);
}
BENCHMARK(DesktopRedraw)->UseRealTime()->Unit(benchmark::kMicrosecond);

void FlushScreenOnce(benchmark::State& state) {
  bench::ViewerSession* viewer = Session(state);
  if (!viewer) return;
  const int64_t before = viewer->FramesCopied();
  if (bench::FlushEveryIteration(state)) CountFrames(state, *viewer, before);
}
BENCHMARK(FlushScreenOnce)->UseRealTime()->Unit(benchmark::kMicrosecond);

void BackgroundPicture(benchmark::State& state) {
  if (!Session(state)) return;
  char path[600];
  ModulePath(path, "..\\AppEntry\\desktop.bmp");
  Canvas* canvas = CanvasCreate();
  for (auto _ : state) {
    ImageRef picture{};
    if (LoadBmpFile(&picture, path, 0) != 1) {
      state.SkipWithError("the background picture is missing");
      break;
    }
    DrawImage(0, 0, 320, 240, 0, 0, picture, canvas, 0);
    ImageFree(&picture);
  }
  CanvasFree(canvas);
}
BENCHMARK(BackgroundPicture)->UseRealTime()->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  session.reset();
  benchmark::Shutdown();
  return 0;
}
