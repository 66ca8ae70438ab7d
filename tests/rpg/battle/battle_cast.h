#pragma once
// Helpers of the battle's and the party's tests: the game's state reset
// around a test, seeds chosen for the draws a rule makes, members seated,
// solid pictures, magic records, and enemies standing on a picture of the
// installed library.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "host/msg.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/library.h"
#include "tests/rpg/support/memory_library.h"

namespace battletest {

// The game's state reset before and after each test.
class StateTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetGameState(); }
  void TearDown() override { ResetGameState(); }
};

// Seeds Random() with the first seed from 1 whose draws pass `pass` (which
// draws them), seeded again; the seed.
inline uint32_t SeedWhere(const std::function<bool()>& pass) {
  uint32_t seed = 1;
  for (SeedRandom(seed); !pass(); SeedRandom(++seed)) {
  }
  SeedRandom(seed);
  return seed;
}

// The first number Random() gives after SeedRandom(seed), which is seeded again.
inline int FirstDraw(uint32_t seed) {
  SeedRandom(seed);
  const int r = Random();
  SeedRandom(seed);
  return r;
}

// Character slot + 1 in party slot `slot`, with `hp` of `maxHp`; its stats.
inline CharStats& SeatMember(int slot, uint16_t hp, uint16_t maxHp) {
  game.party[slot].header.id = uint8_t(slot + 1);
  CharStats& s = game.party[slot].stats;
  s.hp = hp, s.maxHp = maxHp;
  return s;
}

// A picture of w x h black pixels (depth 1), `frames` frames of it.
inline rpgtest::Bytes Solid(int w, int h, int frames = 1) {
  return rpgtest::PictureBytes(w, h, 1, std::vector<std::string>(h * frames, std::string(w, '#')));
}

// A magic record named "MAGIC" (animation 7): class, id, target byte and
// mp cost; the effect block and description zero.
inline rpgtest::Bytes MagicRecord(uint8_t magicClass, uint8_t id, uint8_t target = 0, uint8_t cost = 0) {
  rpgtest::Bytes b(27, 0);
  b[0] = magicClass, b[1] = id, b[3] = target, b[4] = cost, b[5] = 7;
  std::memcpy(b.data() + 6, "MAGIC", 5);
  return b;
}

// Enemy 1 in each of `slots`, standing on the picture (8, 3, picture).
inline void StandEnemies(std::initializer_list<int> slots, uint8_t picture) {
  ResKey key{8, 3, picture, 0, 0};
  LibLookup(&key);
  for (int k : slots) {
    game.enemies[k].record.enemyId = 1;
    game.enemies[k].picBlock = key.block;
    game.enemies[k].picOffset = key.offset;
  }
}

}  // namespace battletest
