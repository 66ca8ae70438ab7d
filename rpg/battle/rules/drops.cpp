#include "rpg/battle/rules/drops.h"

#include "host/msg.h"
#include "rpg/battle/rules/combatant.h"

namespace {

constexpr int kLastLootEntry = kLootEntries - 1;  // never filled

uint32_t Remainder(int r, uint8_t divisor) { return divisor ? uint32_t(r) % divisor : 0; }

}  // namespace

bool DropFalls(uint8_t leaderLuck, uint8_t enemyLuck, int r) {
  const uint8_t a = uint8_t(Remainder(r, leaderLuck) + 1);
  const uint8_t b = uint8_t(Remainder(r, enemyLuck));
  return a > b && r % 4 != 0;
}

bool AddLoot(uint8_t kind, uint8_t id) {
  for (int i = 0; i < kLastLootEntry; ++i) {
    LootEntry& entry = game.battleLoot[i];
    if (entry.kind != 0 && (entry.kind != kind || entry.id != id)) continue;
    entry.kind = kind;
    entry.id = id;
    ++entry.count;
    return true;
  }
  return false;
}

bool RollDrop(int enemy) {
  const Combatant c{kEnemySide, enemy};
  if (game.runStatus || !Occupied(c)) return false;
  const EnemyRecord& e = game.enemies[enemy].record;
  if (e.hp != 0) return false;
  game.battleExp = AddCapped(game.battleExp, e.exp);
  game.battleMoney = AddCapped(game.battleMoney, e.money);
  bool fell = false;
  if (e.dropOn) {
    const uint8_t leaderLuck = game.party[game.partyLeader % kPartySlots].stats.luck;
    fell = DropFalls(leaderLuck, e.luck, Random()) && AddLoot(e.dropKind, e.dropId);
  }
  FreeEnemy(enemy);
  return fell;
}

void FreeEnemy(int enemy) { game.enemies[enemy] = EnemySlot{}; }
