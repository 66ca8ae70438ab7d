#include "rpg/format/operand_refs.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

namespace rpgfmt {
namespace {

// An instruction of `op` with the given operand values, in operand order.
Instruction Make(Op op, std::initializer_list<std::uint32_t> values) {
  Instruction inst;
  inst.command = FindCommand(static_cast<std::uint8_t>(op));
  std::size_t i = 0;
  for (std::uint32_t v : values) {
    inst.operands[i].kind = inst.command->operands[i].kind;
    inst.operands[i++].value = v;
  }
  return inst;
}

std::vector<ResKey> Keys(const InstructionRefs& refs) {
  std::vector<ResKey> keys;
  for (const Reference& r : refs.All()) {
    if (r.kind == RefKind::kResource) keys.push_back(r.key);
  }
  return keys;
}

TEST(OperandRefs, EveryRoleOfTheCommandTableHasItsEntry) {
  for (const CommandInfo& c : AllCommands()) {
    for (const OperandDef& def : c.Operands()) {
      const OperandRef& ref = RefOf(def.role);
      EXPECT_EQ(ref.role, def.role);
      // Addresses are the one thing an Address operand names, and only it.
      EXPECT_EQ(ref.kind == RefKind::kCodeAddress, def.kind == OperandKind::kAddress)
          << c.mnemonic << " " << def.name;
    }
  }
}

// What datlib's reference listing (tests/tools/datlib) does not reach: a
// Word's low byte as the id, map characters and the hero, event 0, the
// battle's code addresses and its third background past 255.
TEST(OperandRefs, IdsCharactersEventsAndBattleAddresses) {
  EXPECT_EQ(Keys(ReferencesOf(Make(Op::kRaiseLevel, {0x0103, 5}))), (std::vector<ResKey>{{3, 1, 3}}));
  struct Case {
    Instruction inst;
    RefKind kind;
    std::uint32_t value;
  };
  const Case cases[] = {
      {Make(Op::kDropNpc, {41}), RefKind::kMapCharacter, 41},
      {Make(Op::kTurn, {0, 1, 1}), RefKind::kHeroOrMapCharacter, 0},
      {Make(Op::kCountdown, {3, 10}), RefKind::kEvent, 3},
  };
  for (const Case& c : cases) {
    const InstructionRefs refs = ReferencesOf(c.inst);
    ASSERT_GE(refs.count, 1u) << c.inst.command->mnemonic;
    EXPECT_EQ(refs.items[0].kind, c.kind) << c.inst.command->mnemonic;
    EXPECT_EQ(refs.items[0].value, c.value) << c.inst.command->mnemonic;
  }
  EXPECT_EQ(ReferencesOf(Make(Op::kCountdown, {0, 10})).count, 0u);  // event 0: none
  const InstructionRefs battle =
      ReferencesOf(Make(Op::kBattle, {9, 8, 0, 0, 4, 4, 5, 1, 0, 0, 2, 0, 0, 0x30, 0x40}));
  std::vector<std::uint32_t> addresses;
  for (const Reference& r : battle.All()) {
    if (r.kind == RefKind::kCodeAddress) addresses.push_back(r.value);
  }
  EXPECT_EQ(addresses, (std::vector<std::uint32_t>{0x30, 0x40}));
  static_assert(BattleBackgrounds({4, 4, 4}) == std::array<std::uint8_t, 3>{4, 34, 114});
  static_assert(BattleBackgrounds({200, 1, 200}) == std::array<std::uint8_t, 3>{200, 1, 54});
}

TEST(OperandRefs, AFullShopListNamesEveryItem) {
  std::vector<std::uint8_t> goods;
  for (int i = 1; i <= static_cast<int>(kMaxGoods); ++i) {
    goods.push_back(static_cast<std::uint8_t>(i));  // id
    goods.push_back(9);                             // kind
  }
  Instruction shop = Make(Op::kShop, {});
  shop.operands[0].kind = OperandKind::kGoods;
  shop.operands[0].bytes = goods;
  const InstructionRefs refs = ReferencesOf(shop);
  ASSERT_EQ(refs.count, kMaxGoods);
  EXPECT_EQ(refs.items[29].key, (ResKey{6, 9, 30}));
}

}  // namespace
}  // namespace rpgfmt
