#include "rpg/party/level_up.h"

#include "rpg/battle/rules/clamp_stats.h"
#include "rpg/battle/rules/combatant.h"
#include "rpg/battle/rules/level_rows.h"
#include "rpg/engine/game_state.h"
#include "rpg/party/party_slots.h"

namespace {

constexpr uint8_t kMemberError = 7;
constexpr uint16_t kRaiseExtra = 5;

LevelRow Snapshot(const PartySlot& member) {
  const CharStats& s = member.stats;
  return {s.maxHp, s.hp, s.maxMp, s.mp, s.attack, s.defence, s.exp, s.nextExp,
          s.agility, s.spirit, s.luck, member.header.chainCount};
}

void Store(const LevelRow& row, CharStats& s) {
  s.maxHp = row.maxHp, s.hp = row.hp, s.maxMp = row.maxMp, s.mp = row.mp;
  s.attack = row.attack, s.defence = row.defence;
  s.agility = row.agility, s.spirit = row.spirit, s.luck = row.luck;
}

}  // namespace

LevelsClimbed LevelsGained(uint16_t exp, uint8_t level, const LevelTable& table) {
  LevelsClimbed climb{0, exp};
  for (int l = level; l >= 1 && l < table.last; ++l) {
    const uint16_t needed = table.Row(l).nextExp;
    if (climb.expLeft <= needed) break;
    climb.expLeft = uint16_t(climb.expLeft - needed);
    ++climb.gained;
  }
  return climb;
}

uint8_t LevelBonus(uint16_t rise, int r) {
  // A rise of 0 or a fall (a huge unsigned rise) gives nothing.
  if (rise == 0 || rise >= 0x8000) return 0;
  return uint8_t((uint32_t(r) % rise) / 8);
}

uint8_t LevelUpWith(int slot, const LevelTable& table, int r, LevelRow* before) {
  PartySlot& member = game.party[slot];
  CharStats& s = member.stats;
  *before = Snapshot(member);
  const uint8_t level = s.level;
  if (level == 0 || level > table.last) return member.header.chainCount;

  LevelRow base{};
  CombineLevelRows(*before, table.Row(level), &base, '-');
  const LevelsClimbed climb = LevelsGained(s.exp, level, table);
  const LevelRow reached = table.Row(level + climb.gained);
  LevelRow now = base;
  CombineLevelRows(base, reached, &now, '+');
  Store(now, s);
  s.exp = climb.expLeft;
  s.level = uint8_t(level + climb.gained);
  s.nextExp = reached.nextExp;
  s.maxHp = uint16_t(s.maxHp + LevelBonus(uint16_t(now.maxHp - before->maxHp), r));
  s.maxMp = uint16_t(s.maxMp + LevelBonus(uint16_t(now.maxMp - before->maxMp), r));
  s.hp = s.maxHp;
  s.mp = s.maxMp;
  ClampStats(&s, 1);
  if (level >= table.last) {
    s.level = kLevelMaxMark;
    s.nextExp = 0;
  }
  return reached.chainCount;
}

int RaiseToLevel(uint8_t id, uint16_t level) {
  if (game.runStatus) return -1;
  const uint8_t slot = MemberSlot(id);
  if (slot >= kPartySlots) {
    game.runStatus = kMemberError;
    return -1;
  }
  LevelTable table;
  if (!FindLevelTable(id, &table)) return -1;
  if (level > table.last) level = table.last;
  if (level < 2) return -1;
  game.party[slot].stats.exp = AddCapped(table.Row(level - 1).nextExp, kRaiseExtra);
  return slot;
}
