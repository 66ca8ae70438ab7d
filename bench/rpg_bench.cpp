// The cost of the game's map window against a plain memcpy of the 160 x 96
// screen (61 440 bytes): a whole frame (54 tiles, the hero and five map
// characters drawn into sceneCanvas) and a one-cell scroll (the picture
// shifted, nine new tiles, the sprites), on the exploration test library
// with a started screen and an in-process stand-in viewer.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "bench/game_screen.h"
#include "bench/targets.h"
#include "rpg/engine/actors.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/map_draw.h"
#include "rpg/engine/tile_cache.h"

namespace {

using bench::ScreenMemcpy;
BENCHMARK(ScreenMemcpy);

// The field with the hero in the middle of the view and five characters in
// it; everything goes when it does.
struct Field {
  Field() : screen(rpgtest::TestLibrary("explore")) {
    PlaceActor(0, 1, 1, 4, 3);
    ChangeMap(1, 1, 5, 5);
    const uint8_t people[][5] = {{0, 2, 1, 6, 6}, {1, 2, 2, 8, 7}, {2, 4, 1, 10, 6},
                                 {3, 2, 2, 12, 9}, {4, 2, 1, 7, 10}};
    for (const auto& p : people) PlaceActor(p[0], p[1], p[2], p[3], p[4]);
    started = screen.Started() && game.runStatus == 0;
  }
  ~Field() { ReleaseTileCache(); }
  bench::GameScreen screen;
  bool started = false;
};

// Redraws with `flags` until the run ends; with `scroll`, each a one-cell
// scroll, alternately left and right so the view's cells stay the same.
void RedrawLoop(benchmark::State& state, uint8_t flags, bool scroll) {
  Field field;
  if (!field.started) return state.SkipWithError("the field did not start");
  uint8_t dir = 1;
  for (auto _ : state) {
    if (scroll) game.scrollDir = dir;
    game.redrawFlags = flags;
    Redraw();
    dir = dir == 1 ? 2 : 1;
    benchmark::ClobberMemory();
  }
}

constexpr uint8_t kWholeFrame = kRedrawMap | kRedrawHero | kRedrawNpcs;

void MapFrame(benchmark::State& state) { RedrawLoop(state, kWholeFrame, false); }
BENCHMARK(MapFrame);
void ScrollStep(benchmark::State& state) { RedrawLoop(state, kWholeFrame, true); }
BENCHMARK(ScrollStep);

// Their parts: the tiles of a whole window, the shift and new column of a
// scroll, and the hero with the five characters.
void MapTiles(benchmark::State& state) { RedrawLoop(state, kRedrawMap, false); }
BENCHMARK(MapTiles);
void ScrollTiles(benchmark::State& state) { RedrawLoop(state, kRedrawMap, true); }
BENCHMARK(ScrollTiles);
void Sprites(benchmark::State& state) { RedrawLoop(state, kRedrawHero | kRedrawNpcs, false); }
BENCHMARK(Sprites);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  bench::RunWithTargets({{"MapFrame", {"ScreenMemcpy"}, 30.0, 0},
                         {"ScrollStep", {"MapFrame"}, 1.0 / 3, 0}});
  return 0;
}
