#include "rpg/battle/encounter.h"

#include "host/msg.h"
#include "rpg/engine/game_state.h"

namespace {

constexpr uint8_t kEmptyEncounterList = 13;
constexpr int kMaxEncounterEntries = 8;
constexpr int kMostEnemies = 3;

int EncounterEntries() {
  int n = 0;
  while (n < kMaxEncounterEntries && game.encounterEnemies[n] != 0) ++n;
  return n;
}

}  // namespace

void RollEncounterEnemies() {
  if (game.runStatus) return;
  const int n = EncounterEntries();
  if (n == 0) {
    game.runStatus = kEmptyEncounterList;
    return;
  }
  const int count = Random() % kMostEnemies + 1;
  for (int slot = 0; slot < kEnemySlots; ++slot) {
    game.enemies[slot] = EnemySlot{};
    if (slot < count) game.enemies[slot].record.enemyId = game.encounterEnemies[Random() % n];
  }
  game.roundLimit = 0;
}

bool FleeSucceeds(uint8_t memberLuck, uint8_t memberAgility, uint8_t enemyLuck,
                  uint8_t enemyAgility, int r) {
  const int a = r % (int(memberLuck) + 1);
  const int b = r % (int(memberAgility) + 1);
  const int c = r % (int(enemyLuck) + 1);
  const int d = r % (int(enemyAgility) + 1);
  return a + b > c + d;
}

void RollFlee(int member) {
  if (!game.randomBattle) {
    game.fled[member] = 0;
    return;
  }
  const CharStats& m = game.party[member].stats;
  const EnemyRecord& e = game.enemies[0].record;
  game.fled[member] = FleeSucceeds(m.luck, m.agility, e.luck, e.agility, Random());
}
