#include "rpg/party/stat_codes.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>

#include "rpg/party/party_types.h"

namespace {

struct Code {
  bool inEquipment;
  std::size_t offset;
  bool wide;
};

constexpr Code S8(std::size_t offset) { return {false, offset, false}; }
constexpr Code S16(std::size_t offset) { return {false, offset, true}; }
constexpr Code E(std::size_t place) { return {true, place, false}; }

// Codes 0 ... 9 name the same field for every use.
constexpr std::array kCommon{S8(offsetof(CharStats, level)),   S16(offsetof(CharStats, attack)),
                             S16(offsetof(CharStats, defence)), S8(offsetof(CharStats, agility)),
                             S16(offsetof(CharStats, hp)),      S16(offsetof(CharStats, mp)),
                             S16(offsetof(CharStats, exp)),     S8(offsetof(CharStats, spirit)),
                             S8(offsetof(CharStats, luck)),     S8(offsetof(CharStats, weaponPower))};
constexpr std::array kTraits{S8(offsetof(CharStats, immunity)), S8(offsetof(CharStats, weaponFlags)),
                             S8(offsetof(CharStats, attackMagic)), S8(offsetof(CharStats, hpRegen)),
                             S8(offsetof(CharStats, mpRegen))};
constexpr std::array kWorn{E(0), E(1), E(2), E(3), E(4), E(5), E(6), E(7)};
constexpr std::array kLimits{S16(offsetof(CharStats, maxHp)), S16(offsetof(CharStats, maxMp))};

template <std::size_t... N>
constexpr auto Join(const std::array<Code, N>&... parts) {
  std::array<Code, (N + ...)> out{};
  std::size_t i = 0;
  ((std::copy(parts.begin(), parts.end(), out.begin() + i), i += N), ...);
  return out;
}

// Compare: 0 ... 14, the eight worn places, maxHp, maxMp. Set: 0 ... 14,
// maxHp, maxMp. Add: 0 ... 9, maxHp, maxMp.
constexpr auto kCompare = Join(kCommon, kTraits, kWorn, kLimits);
constexpr auto kSet = Join(kCommon, kTraits, kLimits);
constexpr auto kAdd = Join(kCommon, kLimits);
static_assert(kCompare.size() == 25 && kSet.size() == 17 && kAdd.size() == 12);

template <std::size_t N>
const Code* Lookup(const std::array<Code, N>& table, uint8_t code) {
  return code < N ? &table[code] : nullptr;
}

}  // namespace

uint16_t StatField::Get() const {
  if (!wide_) return *at_;
  uint16_t value;
  std::memcpy(&value, at_, sizeof value);
  return value;
}

void StatField::Set(uint32_t value) const {
  const uint16_t cut = Cut(value);
  if (wide_) {
    std::memcpy(at_, &cut, sizeof cut);
  } else {
    *at_ = uint8_t(cut);
  }
}

bool FindStatField(PartySlot& member, StatUse use, uint8_t code, StatField* out) {
  const Code* c = use == StatUse::kCompare ? Lookup(kCompare, code)
                  : use == StatUse::kSet   ? Lookup(kSet, code)
                                           : Lookup(kAdd, code);
  if (!c) return false;
  uint8_t* base = c->inEquipment ? member.equipment.place : reinterpret_cast<uint8_t*>(&member.stats);
  *out = StatField(base + c->offset, c->wide);
  return true;
}
