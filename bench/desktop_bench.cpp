// What the Desktop costs when a game returns to it: DrawDesktop() and
// HighlightLabel(0) on the host's screen, against a headless viewer, beside
//   FlushScreen       one frame shown, the floor of anything that shows one
//   BackgroundPicture the Desktop's background loaded and drawn on a canvas
// The pictures are the built ones, found next to this program as the host
// finds them (..\AppEntry\). The viewer runs in a private instance.

#include <benchmark/benchmark.h>

#include "bench/viewer_session.h"
#include "desktop/desktop.h"
#include "host/device_api.h"

namespace {

void DesktopRedraw(benchmark::State& state) {
  bench::ViewerSession* viewer = bench::HeadlessSession(state);
  if (!viewer) return;
  const int64_t before = viewer->FramesCopied();
  for (auto _ : state) {
    if (DrawDesktop() < 1) {
      state.SkipWithError("the Desktop drew no row");
      return;
    }
    HighlightLabel(0);
  }
  bench::CountFrames(state, *viewer, before);
}
BENCHMARK(DesktopRedraw)->UseRealTime()->Unit(benchmark::kMicrosecond);

BENCHMARK(bench::FlushScreenOnce)->Name("FlushScreenOnce")->UseRealTime()->Unit(benchmark::kMicrosecond);

void BackgroundPicture(benchmark::State& state) {
  if (!bench::HeadlessSession(state)) return;
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
  bench::EndHeadlessSession();
  benchmark::Shutdown();
  return 0;
}
