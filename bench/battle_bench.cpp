// The cost of the battle scene against a plain memcpy of the 160 x 96
// screen's bytes: DrawBattleScene of a full scene into sceneCanvas (three
// backgrounds covering the screen, three members in their battle pictures,
// three enemies drawn through their masks), and its parts, on a library made
// in memory with a started screen and an in-process stand-in viewer.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "bench/game_screen.h"
#include "bench/targets.h"
#include "rpg/battle/scene.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/library.h"

namespace {

using bench::ScreenMemcpy;
BENCHMARK(ScreenMemcpy);

constexpr uint8_t kEnemySheets = 3;  // enemy pictures are sheets (8, 3, id)
constexpr uint8_t kAll = 7;          // every slot's bit

// `frames` frames of w x h in a pattern of `ink` over `ground`, shifted by
// one column per row so that no row repeats its neighbour.
rpgtest::Bytes Pattern(int w, int h, int depth, int frames, char ink, char ground) {
  std::vector<std::string> rows;
  for (int f = 0; f < frames; ++f) {
    for (int y = 0; y < h; ++y) {
      std::string row(std::size_t(w), ground);
      for (int x = (y + f) % 3; x < w; x += 3) row[std::size_t(x)] = ink;
      rows.push_back(row);
    }
  }
  return rpgtest::PictureBytes(w, h, depth, rows);
}

// Backgrounds that tile the screen from (0, 0), (66, 0) and (0, 61); members
// of 24 x 32 in twelve poses and enemies of 40 x 36, both masked (depth 2,
// '~' transparent).
rpgtest::Bytes Library() {
  std::vector<rpgtest::Resource> res = {
      {{kBattlePictures, kBackgrounds, 1}, Pattern(66, 61, 1, 1, '#', '.')},
      {{kBattlePictures, kBackgrounds, 2}, Pattern(94, 61, 1, 1, '#', '.')},
      {{kBattlePictures, kBackgrounds, 3}, Pattern(160, 35, 1, 1, '#', '.')},
  };
  for (uint8_t id = 1; id <= 3; ++id) {
    res.push_back({{kBattlePictures, kMemberPictures, id}, Pattern(24, 32, 2, 12, '#', '~')});
    res.push_back({{uint8_t(rpgfmt::ResType::kActorSheet), kEnemySheets, id},
                   Pattern(40, 36, 2, 1, '#', '~')});
  }
  return rpgtest::PackLibrary(res);
}

// Three members in pose 0 and three enemies, their pictures located.
struct Scene {
  Scene() : screen(Library()) {
    for (int k = 0; k < 3; ++k) {
      game.encounterParams[k] = uint8_t(k + 1);
      game.party[k].header.id = uint8_t(k + 1);
      game.party[k].stats.hp = game.party[k].stats.maxHp = 40;
      ResKey key{uint8_t(rpgfmt::ResType::kActorSheet), kEnemySheets, uint8_t(k + 1), 0, 0};
      LibLookup(&key);
      game.enemies[k].record.enemyId = uint8_t(k + 1);
      game.enemies[k].picBlock = key.block;
      game.enemies[k].picOffset = uint16_t(key.offset);
    }
    started = screen.Started() && game.runStatus == 0;
  }
  bench::GameScreen screen;
  bool started = false;
};

// Draws the scene with the members and enemies of the hide masks left out
// until the run ends.
void SceneLoop(benchmark::State& state, uint8_t hideMembers, uint8_t hideEnemies) {
  Scene scene;
  if (!scene.started) return state.SkipWithError("the battle scene did not start");
  for (auto _ : state) {
    DrawBattleScene(hideMembers, hideEnemies);
    benchmark::ClobberMemory();
  }
  if (game.runStatus) state.SkipWithError("drawing the scene stopped with a run error");
}

void BattleScene(benchmark::State& state) { SceneLoop(state, 0, 0); }
BENCHMARK(BattleScene);

// Its parts: the backgrounds alone, then with the members or the enemies.
void BattleBackgrounds(benchmark::State& state) { SceneLoop(state, kAll, kAll); }
BENCHMARK(BattleBackgrounds);
void BattleMembers(benchmark::State& state) { SceneLoop(state, 0, kAll); }
BENCHMARK(BattleMembers);
void BattleEnemies(benchmark::State& state) { SceneLoop(state, kAll, 0); }
BENCHMARK(BattleEnemies);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  bench::RunWithTargets({{"BattleScene", {"ScreenMemcpy"}, 30.0, 0}});
  return 0;
}
