// The party's records: slots and character sheets, the shared inventory, the
// event flags and the attribute limits. Leading is caught by the Lead
// command's rows of CommandsStateTest; merging, the cap of 99 and the gap a
// removal leaves by the shop, menu and rewards tests; the flags an item sets
// and clears by the equip and use menus' tests.

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>

#include "codec/bytes.h"
#include "rpg/party/inventory.h"
#include "rpg/party/party_slots.h"
#include "rpg/battle/rules/clamp_stats.h"
#include "tests/rpg/battle/battle_cast.h"

namespace {

using rpgtest::Bytes;
using rpgtest::InstalledLibrary;
using rpgtest::PackLibrary;

using PartyTest = battletest::StateTest;

// A character sheet: header (facing 3, window cell (4, 3)), a name, the
// walking sheet, the chain and how much of it is learned, equipment 1 ... 8
// and a few attributes.
Bytes Sheet(uint8_t id, uint8_t sprite, uint8_t chain, uint8_t learned) {
  Bytes b(58, 0);
  const Bytes header = {1, id, 3, 1, 0, 4, 3, 255, 255, learned};
  std::copy(header.begin(), header.end(), b.begin());
  std::memcpy(b.data() + 10, "ABCDEFGHIJK", 11);
  b[22] = sprite;
  b[23] = chain;
  for (int i = 0; i < 8; ++i) b[24 + i] = uint8_t(i + 1);
  b[32] = 5;                                       // level
  codec::StoreLe<uint16_t>(b.data() + 38, 300);    // maxHp
  codec::StoreLe<uint16_t>(b.data() + 40, 280);    // hp
  b[57] = 9;                                       // weaponPower
  return b;
}

// A magic chain of `count` entries (c, c + 1).
Bytes Chain(uint8_t id, int count) {
  Bytes b = {1, id, uint8_t(count)};
  for (int c = 0; c < count; ++c) b.insert(b.end(), {uint8_t(c), uint8_t(c + 1)});
  return b;
}

Bytes Library(std::vector<rpgtest::Resource> extra = {}) {
  std::vector<rpgtest::Resource> res = {{{3, 1, 1}, Sheet(1, 1, 1, 2)},
                                        {{3, 1, 2}, Sheet(2, 2, 2, 255)},
                                        {{3, 1, 3}, Sheet(3, 1, 0, 7)},
                                        {{8, 1, 1}, {1, 1, 16, 16, 12, 2}},
                                        {{8, 1, 2}, {1, 2, 16, 16, 12, 2}},
                                        {{12, 1, 1}, Chain(1, 5)},
                                        {{12, 1, 2}, Chain(2, 80)}};
  res.insert(res.end(), extra.begin(), extra.end());
  return PackLibrary(res);
}

TEST_F(PartyTest, MembersJoinTheFirstFreeSlotUntilAllThreeAreTaken) {
  InstalledLibrary lib(Library());
  for (uint8_t id : {1, 2, 3}) {
    const uint8_t slot = FindFreeMemberSlot();
    EXPECT_EQ(slot, id - 1);
    LoadPartyMember(slot, std::span(lib.image()).subspan(0, 0));
    EXPECT_EQ(game.runStatus, 2) << "a sheet shorter than 58 bytes";
    game.runStatus = 0;
    game.party[slot].header.id = id;
  }
  EXPECT_EQ(FindFreeMemberSlot(), 255);
  EXPECT_EQ(game.runStatus, 7);
}

TEST_F(PartyTest, ASheetFillsTheSlot) {
  InstalledLibrary lib(Library());
  const Bytes sheet = Sheet(1, 2, 1, 2);
  LoadPartyMember(1, sheet);
  ASSERT_EQ(game.runStatus, 0);
  const PartySlot& m = game.party[1];
  EXPECT_EQ(std::tie(m.header.id, m.header.viewCol, m.header.viewRow), std::make_tuple(1, 4, 3));
  EXPECT_EQ(std::string(m.name), "ABCDEFGHIJK");
  EXPECT_EQ(m.equipment.place[7], 8);
  EXPECT_EQ(std::tie(m.stats.level, m.stats.maxHp, m.stats.hp, m.stats.weaponPower), std::make_tuple(5, 300, 280, 9));
  EXPECT_EQ(game.memberPicNo[1], 2);
  // The walking sheet (8, 1, 2) is the second resource of block 2.
  EXPECT_EQ(std::tie(m.spriteBlock, m.spriteOffset, m.chainId), std::make_tuple(2, 3 + 6, 1));
}

TEST_F(PartyTest, TheMagicListTakesNoMoreThanTheChainHoldsOrTheListKeeps) {
  struct Case {
    uint8_t chain, learned;
    int count;
  };
  // Chain 1 holds 5, chain 2 holds 80.
  for (const Case& c : {Case{1, 2, 2}, Case{1, 255, 5}, Case{2, 255, 50}, Case{2, 49, 49},
                        Case{0, 7, 0}}) {
    InstalledLibrary lib(Library());
    game.party[0].magicCount = 9;
    LoadPartyMember(0, Sheet(1, 1, c.chain, c.learned));
    EXPECT_EQ(game.runStatus, 0);
    EXPECT_EQ(game.party[0].magicCount, c.count) << int(c.chain) << " " << int(c.learned);
    EXPECT_EQ(game.party[0].magic[50].magicClass, 0);
  }
}

TEST_F(PartyTest, MissingOrCutOffSheetsAndChainsAreRunErrors) {
  struct Case {
    const char* what;
    Bytes sheet;
    uint8_t status;
  };
  // Chain 3 says 10 entries but the library ends after 2.
  Bytes image = Library({{{12, 1, 3}, Chain(3, 10)}});
  const std::size_t chain3 = rpgtest::LocationOf(image, 7);
  image.resize(chain3 + 3 + 4);
  for (const Case& c : {Case{"no walking sheet", Sheet(1, 9, 0, 0), 3},
                        Case{"no chain", Sheet(1, 1, 9, 2), 3},
                        Case{"chain past the file", Sheet(1, 1, 3, 5), 2},
                        Case{"two entries of it are there", Sheet(1, 1, 3, 2), 0}}) {
    InstalledLibrary lib(image);
    LoadPartyMember(0, c.sheet);
    EXPECT_EQ(game.runStatus, c.status) << c.what;
  }
}

TEST_F(PartyTest, LeavingNamesACharacterInTheParty) {
  game.party[2].header.id = 6;
  game.party[2].stats.hp = 50;
  RemoveMember(6);
  EXPECT_EQ(game.party[2].header.id, 0);
  EXPECT_EQ(game.party[2].stats.hp, 0);
  RemoveMember(6);
  EXPECT_EQ(game.runStatus, 7);
}

TEST_F(PartyTest, AFullInventoryTakesNoNewKindAndNothingIsRemovedThatIsNotCarried) {
  EXPECT_EQ(InvRemove({13, 1, 1}), 0);
  for (int i = 0; i < 200; ++i) EXPECT_EQ(InvAdd({13, uint8_t(i), 1}), 1);
  EXPECT_EQ(InvAdd({14, 1, 1}), 0);
  EXPECT_EQ(game.invCount, 200);
  EXPECT_EQ(InvAdd({13, 199, 5}), 2);
  EXPECT_EQ(game.inventory[199].count, 6);
}

TEST_F(PartyTest, AnItemMissingFromTheLibraryIsARunError) {
  InstalledLibrary lib(Library());
  SetItemFlag(2, 3, 1);
  EXPECT_EQ(game.runStatus, 3);
}

TEST_F(PartyTest, AttributesAreKeptInsideTheirLimits) {
  // A member: points held at 999, traits at 99, hp and mp at their maxima.
  CharStats member{};
  member.maxHp = 1000, member.hp = 1200, member.maxMp = 20, member.mp = 30, member.attack = 1000;
  member.defence = 65535, member.agility = 120, member.spirit = 100, member.luck = 99, member.immunity = 200;
  CharStats held = member;
  held.maxHp = held.hp = held.attack = held.defence = 999, held.mp = 20, held.agility = held.spirit = 99;
  ClampStats(&member, 1);
  EXPECT_EQ(std::memcmp(&member, &held, sizeof held), 0);
  // An enemy's block: agility, spirit, magicRate and luck at bytes 1 ... 4.
  CharStats enemy{};
  enemy.immunity = 150, enemy.hpRegen = 100, enemy.maxHp = 5000, enemy.hp = 6000, enemy.agility = 200;
  held = enemy;
  held.immunity = held.hpRegen = 99, held.hp = 5000;
  ClampStats(&enemy, 0);
  EXPECT_EQ(std::memcmp(&enemy, &held, sizeof held), 0);
}

}  // namespace
