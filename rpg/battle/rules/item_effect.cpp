#include "rpg/battle/rules/item_effect.h"

#include <initializer_list>

#include "codec/bytes.h"
#include "rpg/battle/rules/clamp_stats.h"
#include "rpg/battle/rules/combatant.h"
#include "rpg/engine/game_state.h"

namespace {

constexpr uint8_t kMinus = 128;
constexpr uint8_t kRunErrorItemKind = 14;
constexpr uint8_t kZeroBlock[8] = {};

// The block byte each attribute's amount sits in.
int ByteOf(StatAttr attr) {
  static constexpr int kBytes[] = {1, 0, 3, 2, 5, 4, 7};
  return kBytes[int(attr)];
}

using enum StatAttr;
constexpr std::initializer_list<StatAttr> kModeRows[] = {
    {kMaxHp, kMaxMp, kDefence, kAgility, kSpirit, kLuck},
    {kMaxHp, kMaxMp, kAttack, kAgility, kSpirit, kLuck},
    {kAttack, kDefence, kAgility, kSpirit, kLuck},
    {kMaxHp, kMaxMp, kAttack, kDefence, kAgility, kSpirit, kLuck},
};

template <typename T>
void Change(T* field, uint8_t magnitude, bool putOn) {
  if (putOn) {
    *field = T(*field + magnitude);
  } else {
    *field = *field > magnitude ? T(*field - magnitude) : T(0);
  }
}

void ChangeAttr(StatAttr attr, CharStats& s, uint8_t magnitude, bool putOn) {
  switch (attr) {
    case kMaxHp: return Change(&s.maxHp, magnitude, putOn);
    case kMaxMp: return Change(&s.maxMp, magnitude, putOn);
    case kAttack: return Change(&s.attack, magnitude, putOn);
    case kDefence: return Change(&s.defence, magnitude, putOn);
    case kAgility: return Change(&s.agility, magnitude, putOn);
    case kSpirit: return Change(&s.spirit, magnitude, putOn);
    case kLuck: return Change(&s.luck, magnitude, putOn);
  }
}

// A plain unsigned amount swapped: the old one off, the new one on. Taking
// off more than the attribute holds leaves 0, not a wrapped huge value.
void SwapPlain(uint16_t* field, uint8_t oldAmount, uint8_t newAmount) {
  Change(field, oldAmount, false);
  Change(field, newAmount, true);
}

void UseItem(uint8_t kind, const uint8_t* block, CharStats& s) {
  if (kind == 9) {
    s.hp = AddCapped(s.hp, codec::LoadLe<uint16_t>(block));
    s.mp = AddCapped(s.mp, codec::LoadLe<uint16_t>(block + 2));
  } else if (kind == 10) {
    s.hp = AddCapped(uint32_t(s.maxHp) * block[1] / 100, 0);
  }
}

}  // namespace

void ApplyItemEffect(uint8_t kind, const uint8_t* oldBlock, const uint8_t* newBlock,
                     CharStats* stats) {
  if (game.runStatus) return;
  const uint8_t* old = oldBlock ? oldBlock : kZeroBlock;
  const uint8_t* now = newBlock ? newBlock : kZeroBlock;
  CharStats& s = *stats;
  if (kind >= 1 && kind <= 5) {
    SwapPlain(&s.defence, old[2], now[2]);
    ApplyStatDeltas(1, old, now, stats);
  } else if (kind == 6) {
    ApplyRegenDelta(&s.hpRegen, old[1], false);
    ApplyRegenDelta(&s.hpRegen, now[1], true);
    ApplyRegenDelta(&s.mpRegen, old[0], false);
    ApplyRegenDelta(&s.mpRegen, now[0], true);
    s.attackMagic = now[6];
    ApplyStatDeltas(2, old, now, stats);
  } else if (kind == 7) {
    SwapPlain(&s.attack, old[3], now[3]);
    s.weaponFlags = now[6];
    ApplyStatDeltas(0, old, now, stats);
  } else if (kind == 9 || kind == 10) {
    UseItem(kind, now, s);
  } else if (kind == 11) {
    ApplyStatDeltas(3, old, now, stats);
  } else if (kind != 8 && kind != 12) {
    game.runStatus = kRunErrorItemKind;
    return;
  }
  ClampStats(stats, 1);
}

void ApplyStatDeltas(uint8_t mode, const uint8_t* oldBlock, const uint8_t* newBlock,
                     CharStats* stats) {
  if (mode >= std::size(kModeRows)) return;
  const uint8_t* old = oldBlock ? oldBlock : kZeroBlock;
  const uint8_t* now = newBlock ? newBlock : kZeroBlock;
  for (StatAttr attr : kModeRows[mode]) {
    ApplyStatDelta(attr, old[ByteOf(attr)], stats, false);
    ApplyStatDelta(attr, now[ByteOf(attr)], stats, true);
  }
}

void ApplyStatDelta(StatAttr attr, uint8_t amount, CharStats* stats, bool putOn) {
  if (amount >= kMinus) ChangeAttr(attr, *stats, uint8_t(amount - kMinus), !putOn);
  else ChangeAttr(attr, *stats, amount, putOn);
}

void ApplyRegenDelta(uint8_t* field, uint8_t amount, bool putOn) {
  const bool on = amount >= kMinus ? !putOn : putOn;
  const uint8_t magnitude = amount >= kMinus ? uint8_t(amount - kMinus) : amount;
  *field = on ? uint8_t(*field + magnitude) : uint8_t(*field - magnitude);
}
