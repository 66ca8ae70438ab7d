#pragma once
// What each operand of a script command refers to: one table, by operand
// role (script_command_types.h), read by the data compiler's reference check
// and by the game when it runs or loads a script.
//
//   resource        a resource key; two operands give id1 and id2 of one key
//                   (map, script, magic, animation, item), or one gives id2
//                   and the role fixes the type and id1 (actors, pictures)
//   map character   number 1 ... 40 (slot = number - 1); "who" 0 is the hero
//   flag, variable  event flag 0 ... 2399, script variable 0 ... 255, with how
//                   the command uses it
//   event           a handler of the current script's event table
//   code address    a jump target in the current script
//
// ReferencesOf() turns a decoded instruction into the list of what it names.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "rpg/format/library.h"
#include "rpg/format/script_decode.h"

namespace rpgfmt {

enum class RefKind : std::uint8_t {
  kNone,                // a plain number
  kResource,            // a resource key or one of its ids
  kMapCharacter,        // map character number 1 ... 40
  kHeroOrMapCharacter,  // 0 = the hero, else a map character number
  kFlag,
  kVariable,
  kEvent,
  kCodeAddress,
  kGoods,  // a shop list: every pair names item (6, kind, id)
};

// Which part of a resource key an operand gives.
enum class KeyPart : std::uint8_t {
  kId2,  // the role fixes the type and id1
  kPairId1,
  kPairId2,     // another operand of the command gives the other id
  kBackground,  // id2, one of three taken together (BattleBackgrounds)
};

enum class RefAccess : std::uint8_t { kNone, kTest, kSet, kClear, kWrite, kUpdate, kRead };

struct OperandRef {
  OperandRole role;
  RefKind kind = RefKind::kNone;
  ResType type{};  // resources
  KeyPart part = KeyPart::kId2;
  std::uint8_t id1 = 0;     // KeyPart::kId2 and kBackground: the key's id1
  bool zeroIsNone = false;  // a value of 0 names nothing
  bool optional = false;    // the game carries on when the resource is missing
  RefAccess access = RefAccess::kNone;
  std::uint8_t param = 0;  // battle backgrounds: the encounterParams index
};

namespace refs_detail {

using R = OperandRole;

constexpr OperandRef Key(R role, ResType type, KeyPart part) {
  return {role, RefKind::kResource, type, part};
}
constexpr OperandRef Id2(R role, ResType type, std::uint8_t id1, bool zeroIsNone = false,
                         bool optional = false) {
  return {role, RefKind::kResource, type, KeyPart::kId2, id1, zeroIsNone, optional};
}
constexpr OperandRef Background(R role, std::uint8_t param) {
  return {role,
          RefKind::kResource,
          ResType::kPicture,
          KeyPart::kBackground,
          4,
          false,
          true,
          RefAccess::kNone,
          param};
}
constexpr OperandRef Use(R role, RefKind kind, RefAccess access) {
  return {role, kind, {}, KeyPart::kId2, 0, false, false, access};
}

}  // namespace refs_detail

// One entry per role, in the order of OperandRole.
inline constexpr std::array<OperandRef, kOperandRoleCount> kOperandRefs = [] {
  using namespace refs_detail;
  using T = ResType;
  using P = KeyPart;
  using A = RefAccess;
  return std::array<OperandRef, kOperandRoleCount>{{
      {R::kPlain},
      Key(R::kMapGroup, T::kMap, P::kPairId1),
      Key(R::kMapNo, T::kMap, P::kPairId2),
      Key(R::kScriptBank, T::kScript, P::kPairId1),
      Key(R::kScriptNo, T::kScript, P::kPairId2),
      Id2(R::kMember, T::kActorRecord, 1),
      Id2(R::kNpcActor, T::kActorRecord, 2),
      Id2(R::kSmallNpcActor, T::kActorRecord, 4),
      Id2(R::kEnemy, T::kActorRecord, 3, true),
      Key(R::kMagicClass, T::kMagicRecord, P::kPairId1),
      Key(R::kMagicId, T::kMagicRecord, P::kPairId2),
      Key(R::kAnimGroup, T::kAnimation, P::kPairId1),
      Key(R::kAnimNo, T::kAnimation, P::kPairId2),
      Key(R::kItemKind, T::kItemRecord, P::kPairId1),
      Key(R::kItemId, T::kItemRecord, P::kPairId2),
      // The game draws these pictures only when they exist.
      Id2(R::kPortrait, T::kPicture, 1, true, true),
      Background(R::kBackground0, 0),
      Background(R::kBackground1, 1),
      Background(R::kBackground2, 2),
      Id2(R::kBand, T::kPicture, 5, false, true),
      {R::kEvent, RefKind::kEvent, {}, P::kId2, 0, true},
      {R::kNpcSlot, RefKind::kMapCharacter},
      {R::kWho, RefKind::kHeroOrMapCharacter},
      {R::kGoods, RefKind::kGoods, T::kItemRecord},
      Use(R::kFlagTest, RefKind::kFlag, A::kTest),
      Use(R::kFlagSet, RefKind::kFlag, A::kSet),
      Use(R::kFlagClear, RefKind::kFlag, A::kClear),
      Use(R::kVarTest, RefKind::kVariable, A::kTest),
      Use(R::kVarWrite, RefKind::kVariable, A::kWrite),
      Use(R::kVarUpdate, RefKind::kVariable, A::kUpdate),
      Use(R::kVarRead, RefKind::kVariable, A::kRead),
      {R::kCodeAddress, RefKind::kCodeAddress},
  }};
}();

constexpr const OperandRef& RefOf(OperandRole role) {
  return kOperandRefs[static_cast<std::size_t>(role)];
}

// The battle draws its three backgrounds (11, 4, p) from encounterParams; a
// second or third equal to the first is moved on by 30 or 110 so that the
// three differ.
constexpr std::array<std::uint8_t, 3> BattleBackgrounds(std::array<std::uint8_t, 3> params) {
  if (params[1] == params[0]) params[1] = static_cast<std::uint8_t>(params[0] + 30);
  if (params[2] == params[0]) params[2] = static_cast<std::uint8_t>(params[0] + 110);
  return params;
}

// One thing an instruction names.
struct Reference {
  RefKind kind = RefKind::kNone;  // never kGoods: each pair is a kResource
  RefAccess access = RefAccess::kNone;
  bool optional = false;
  std::uint8_t operand = 0;  // the operand naming it (of a key in two parts, the second)
  ResKey key;                // resources
  std::uint32_t value = 0;   // flag, variable, event, map character number, address
};

// The most references one instruction makes: a full shop list.
inline constexpr std::size_t kMaxReferences = kMaxGoods;

struct InstructionRefs {
  std::array<Reference, kMaxReferences> items{};
  std::size_t count = 0;

  std::span<const Reference> All() const { return {items.data(), count}; }
};

// What a decoded instruction names, operand by operand; operands that name
// nothing (0 where it means none, plain numbers) are left out.
InstructionRefs ReferencesOf(const Instruction& inst);

}  // namespace rpgfmt
