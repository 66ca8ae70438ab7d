// What a falling piece costs: one gravity step of the falling-blocks game
// (one tick in, the piece one row lower in the viewer's frame: the old place
// erased and the new one drawn, two drawing steps through the work canvas),
// beside
//   FlushScreenOnce   one frame shown, the floor of anything that shows one
// Target: the gravity step within 5 x FlushScreenOnce. The game's package is
// the built one, found next to this program as the game finds it
// (..\Games\blocks\E1_els.dat). The viewer runs headless in a private
// instance.

#include <benchmark/benchmark.h>

#include "bench/targets.h"
#include "bench/viewer_session.h"
#include "games/blocks/blocks_view.h"
#include "host/device_api.h"

namespace {

// The lying bar at the top of an empty well, falling one row every tick.
blocks::BlocksState FallingBar() {
  blocks::BlocksState state;
  state.running = true;
  state.shape = 0;
  state.rotation = 1;
  state.cells = blocks::ExpandShape(0, 1);
  state.height = 1;
  state.width = 4;
  state.x = state.acceptedX = state.drawnX = 3;
  state.acceptedRotation = 1;
  for (int c = 3; c < 7; ++c) state.board[c][0] = 1;
  state.fallInterval = 1;
  return state;
}

void BlocksGravityStep(benchmark::State& state) {
  bench::ViewerSession* viewer = bench::HeadlessSession(state);
  if (!viewer) return;
  char path[600];
  ModulePath(path, "..\\Games\\blocks\\E1_els.dat");
  MemVctInit();
  SetScreenMode(240, 320, 32);
  blocks::View view;
  if (!view.Open(path)) {
    state.SkipWithError("the falling-blocks package is missing");
  } else {
    const blocks::RandomSource random = [] { return 0; };
    blocks::BlocksState game = FallingBar();
    view.Background();
    const int64_t before = viewer->FramesCopied();
    for (auto _ : state) {
      const int row = game.y;
      blocks::Tick(game);
      blocks::Step(game, view, random);
      if (game.y != row + 1) {
        state.SkipWithError("the piece did not fall one row");
        break;
      }
      if (game.y == blocks::kRows - 1) {
        state.PauseTiming();
        game = FallingBar();
        state.ResumeTiming();
      }
    }
    bench::CountFrames(state, *viewer, before);
  }
  view.Close();
  ResetScreenMode();
  MemVctRelease();
}
BENCHMARK(BlocksGravityStep)->UseRealTime()->Unit(benchmark::kMicrosecond);

BENCHMARK(bench::FlushScreenOnce)->Name("FlushScreenOnce")->UseRealTime()->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  bench::RunWithTargets({{"BlocksGravityStep", {"FlushScreenOnce"}, 5.0, 0}});
  bench::EndHeadlessSession();
  benchmark::Shutdown();
  return 0;
}
