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

TEST(OperandRefs, KeysInTwoPartsOneKeyWithItsFixedIdAndNothingForNone) {
  struct Case {
    Instruction inst;
    std::vector<ResKey> keys;
  };
  const Case cases[] = {
      {Make(Op::kGoMap, {3, 7, 1, 1}), {{2, 3, 7}}},
      {Make(Op::kLearn, {2, 1, 9}), {{3, 1, 2}, {4, 1, 9}}},
      {Make(Op::kAnimate, {2, 5, 0, 0, 0}), {{5, 2, 5}}},
      {Make(Op::kPlaceSmallNpc, {1, 6, 0, 0}), {{3, 4, 6}}},
      {Make(Op::kSay, {0}), {}},  // no portrait
      {Make(Op::kSay, {4}), {{11, 1, 4}}},
      {Make(Op::kCrawl, {1, 2}), {{11, 5, 1}, {11, 5, 2}}},
      {Make(Op::kRaiseLevel, {0x0103, 5}), {{3, 1, 3}}},  // a Word's low byte is the id
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Keys(ReferencesOf(c.inst)), c.keys) << c.inst.command->mnemonic;
  }
  EXPECT_TRUE(ReferencesOf(Make(Op::kSay, {4})).All()[0].optional);
  EXPECT_FALSE(ReferencesOf(Make(Op::kGoMap, {3, 7, 1, 1})).All()[0].optional);
}

TEST(OperandRefs, BattleNamesEnemiesBackgroundsEventsAndAddresses) {
  // roundLimit, enemies 8 0 0, stored p0 p2 p1 = 4 4 5, rounds, events 2 0 0, lose, win.
  const InstructionRefs refs =
      ReferencesOf(Make(Op::kBattle, {9, 8, 0, 0, 4, 4, 5, 1, 0, 0, 2, 0, 0, 0x30, 0x40}));
  // The third background equals the first: the battle draws 4 + 110.
  EXPECT_EQ(Keys(refs), (std::vector<ResKey>{{3, 3, 8}, {11, 4, 4}, {11, 4, 5}, {11, 4, 114}}));
  std::vector<std::uint32_t> events, addresses;
  for (const Reference& r : refs.All()) {
    if (r.kind == RefKind::kEvent) events.push_back(r.value);
    if (r.kind == RefKind::kCodeAddress) addresses.push_back(r.value);
  }
  EXPECT_EQ(events, std::vector<std::uint32_t>{2});
  EXPECT_EQ(addresses, (std::vector<std::uint32_t>{0x30, 0x40}));
  static_assert(BattleBackgrounds({4, 4, 4}) == std::array<std::uint8_t, 3>{4, 34, 114});
  static_assert(BattleBackgrounds({200, 1, 200}) == std::array<std::uint8_t, 3>{200, 1, 54});
}

TEST(OperandRefs, FlagsVariablesAndCharactersCarryHowTheyAreUsed) {
  struct Case {
    Instruction inst;
    RefKind kind;
    RefAccess access;
    std::uint32_t value;
  };
  const Case cases[] = {
      {Make(Op::kIfFlag, {2399, 0}), RefKind::kFlag, RefAccess::kTest, 2399},
      {Make(Op::kClearFlag, {12}), RefKind::kFlag, RefAccess::kClear, 12},
      {Make(Op::kSubVar, {200, 1}), RefKind::kVariable, RefAccess::kUpdate, 200},
      {Make(Op::kCopyVar, {3, 4}), RefKind::kVariable, RefAccess::kRead, 3},
      {Make(Op::kMenu, {7}), RefKind::kVariable, RefAccess::kWrite, 7},
      {Make(Op::kDropNpc, {41}), RefKind::kMapCharacter, RefAccess::kNone, 41},
      {Make(Op::kTurn, {0, 1, 1}), RefKind::kHeroOrMapCharacter, RefAccess::kNone, 0},
      {Make(Op::kCountdown, {3, 10}), RefKind::kEvent, RefAccess::kNone, 3},
  };
  for (const Case& c : cases) {
    const InstructionRefs refs = ReferencesOf(c.inst);
    ASSERT_GE(refs.count, 1u) << c.inst.command->mnemonic;
    EXPECT_EQ(refs.items[0].kind, c.kind) << c.inst.command->mnemonic;
    EXPECT_EQ(refs.items[0].access, c.access) << c.inst.command->mnemonic;
    EXPECT_EQ(refs.items[0].value, c.value) << c.inst.command->mnemonic;
    EXPECT_EQ(refs.items[0].operand, 0) << c.inst.command->mnemonic;
  }
  EXPECT_EQ(ReferencesOf(Make(Op::kCountdown, {0, 10})).count, 0u);  // event 0: none
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
