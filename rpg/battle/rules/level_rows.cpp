#include "rpg/battle/rules/level_rows.h"

#include <cstdint>

#include "rpg/party/party_types.h"

namespace {

template <typename T>
T Combine(T a, T b, char sign) {
  return sign == '+' ? T(a + b) : T(a - b);
}

}  // namespace

void CombineLevelRows(const LevelRow& a, const LevelRow& b, LevelRow* out, char sign) {
  LevelRow r = *out;
  r.maxHp = Combine(a.maxHp, b.maxHp, sign);
  r.maxMp = Combine(a.maxMp, b.maxMp, sign);
  r.attack = Combine(a.attack, b.attack, sign);
  r.defence = Combine(a.defence, b.defence, sign);
  r.agility = Combine(a.agility, b.agility, sign);
  r.spirit = Combine(a.spirit, b.spirit, sign);
  r.luck = Combine(a.luck, b.luck, sign);
  if (sign == '+') {
    r.hp = r.maxHp;
    r.mp = r.maxMp;
  } else {
    r.hp = Combine(a.hp, b.hp, sign);
    r.mp = Combine(a.mp, b.mp, sign);
    r.exp = a.exp;
    r.nextExp = b.nextExp;
  }
  *out = r;
}
