#include "bench/game_screen.h"

#include <cstring>
#include <utility>
#include <vector>

#include "host/canvas.h"
#include "host/lcd.h"
#include "rpg/engine/game_state.h"

namespace bench {

void ScreenMemcpy(benchmark::State& state) {
  std::vector<uint8_t> from(kScreenBytes, 1), to(kScreenBytes);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), kScreenBytes);
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kScreenBytes));
}

GameScreen::GameScreen(rpgtest::Bytes library) : library_(std::move(library)) {
  started_ = LcdVctInit() == 1 && SetScreenMode(160, 96, 32) == 1;
  game.scratchCanvas = CanvasCreate();
  game.sceneCanvas = CanvasCreate();
  game.mapCanvas = CanvasCreate();
  started_ = started_ && game.mapCanvas;
}

GameScreen::~GameScreen() {
  CanvasFree(game.scratchCanvas);
  CanvasFree(game.sceneCanvas);
  CanvasFree(game.mapCanvas);
  ResetGameState();
}

}  // namespace bench
