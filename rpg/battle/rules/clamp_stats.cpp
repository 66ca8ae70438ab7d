#include "rpg/battle/rules/clamp_stats.h"

#include <algorithm>

#include "rpg/party/party_types.h"

namespace {

constexpr uint16_t kMaxPoints = 999;
constexpr uint8_t kMaxTrait = 99;

void Cap(uint16_t& value, uint16_t limit) { value = std::min(value, limit); }
void Cap(uint8_t& value, uint8_t limit) { value = std::min(value, limit); }

}  // namespace

void ClampStats(CharStats* stats, int isMember) {
  CharStats& s = *stats;
  if (isMember) {
    Cap(s.maxHp, kMaxPoints);
    Cap(s.hp, kMaxPoints);
    Cap(s.maxMp, kMaxPoints);
    Cap(s.mp, kMaxPoints);
    Cap(s.agility, kMaxTrait);
    Cap(s.spirit, kMaxTrait);
    Cap(s.luck, kMaxTrait);
  } else {
    // Bytes 1 ... 4 of an enemy's block: agility, spirit, magicRate, luck.
    for (uint8_t* trait : {&s.immunity, &s.weaponFlags, &s.attackMagic, &s.hpRegen}) {
      Cap(*trait, kMaxTrait);
    }
  }
  Cap(s.hp, s.maxHp);
  Cap(s.mp, s.maxMp);
  Cap(s.attack, kMaxPoints);
  Cap(s.defence, kMaxPoints);
}
