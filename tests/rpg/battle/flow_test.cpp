// The battle driven by keys on the virtual clock: the command phase (going
// back, flight from the second member, siege mode and its re-arming, the
// joint attack), and whole battles won, lost, fled, stopped by the round
// limit, and a lost random encounter ending at the title.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <tuple>

#include "host/msg.h"
#include "rpg/battle/command_phase.h"
#include "rpg/battle/round.h"
#include "rpg/battle/run_battle.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/hero_move.h"
#include "tests/rpg/battle/battle_cast.h"
#include "tests/rpg/support/game_run.h"
#include "tests/rpg/support/game_screen.h"
#include "tests/rpg/support/memory_library.h"
#include "tests/rpg/support/script_library.h"

namespace {

using rpgtest::GameRun;

// Three members standing, orders given by keys, and an enemy in slot 1.
void CastForOrders() {
  for (int k = 0; k < 3; ++k) battletest::SeatMember(k, 10, 0);
  game.livingMembers = 3;
  game.manualCommands = 1;
  game.enemies[1].record.enemyId = 1;
}

// The kinds of the three orders and the manual-commands flag after a
// command phase driven by keys, each pressed once the game waits for it.
TEST(BattleCommands, OrdersGivenByKeys) {
  constexpr uint32_t d = kKeyDown, r = kKeyRight, e = kKeyEnter;
  struct Case {
    const char* what;
    std::initializer_list<uint32_t> keys;
    void (*before)();
    std::array<uint8_t, 3> kinds;
    uint8_t manual;
  };
  const Case cases[] = {
      {"Esc on the first stays; flight from the second takes the rest",
       {kKeyEscape, e, d, e, d, d, d, e}, nullptr, {1, 7, 7}, 1},
      {"siege", {d, e, e}, nullptr, {6, 6, 6}, 0},
      {"siege skips the phase until orders are given again: no key needed", {},
       [] { game.battleActions[0].kind = 6, game.manualCommands = 0; }, {6, 0, 0}, 0},
      {"R re-arms siege", {'R'}, [] { game.battleActions[0].kind = 6; }, {6, 0, 0}, 0},
      {"a joint attack takes up every other member, an order given before too", {e, r, e}, nullptr,
       {170, 3, 170}, 1},
      {"Right does nothing with one member standing", {r, e, e, e}, [] { game.livingMembers = 1; },
       {1, 1, 1}, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::array<uint8_t, 3> kinds{};
    uint8_t manual = 0;
    GameRun run([&] {
      CastForOrders();
      if (c.before) c.before();
      CommandPhase();
      for (int k = 0; k < 3; ++k) kinds[k] = game.battleActions[k].kind;
      manual = game.manualCommands;
    }, rpgtest::PackLibrary({{{8, 3, 1}, battletest::Solid(1, 1)}}));
    EXPECT_TRUE(run.Play(c.keys, 2000));
    EXPECT_EQ(kinds, c.kinds);
    EXPECT_EQ(manual, c.manual);
  }
}

// The battle library's enemies: the scarecrow (agility 1, attack 0, hp 40,
// exp 7, money 9) and the ogre (agility 99, attack 400).
constexpr uint8_t kScarecrow = 5, kOgre = 4;

struct Party {
  uint16_t memberHp = 100, memberAttack = 500;
  uint8_t memberAgility = 50, luck = 0;
  uint8_t enemy = kScarecrow;
};

void Seat(const Party& s) {
  CharStats& m = battletest::SeatMember(0, s.memberHp, 100);
  m.attack = s.memberAttack, m.agility = s.memberAgility;
  m.luck = s.luck;
  game.enemies[0].record.enemyId = s.enemy;
}

// The result of a battle (a random one when `random`) of `party`, set up
// further by `more`, fought with `keys` pressed `pause` ms apart.
uint8_t Fight(const Party& party, std::initializer_list<uint32_t> keys, const std::function<void()>& more,
              bool random = false, int64_t pause = 3000) {
  uint8_t result = 0;
  GameRun run([&] {
    Seat(party);
    more();
    result = RunBattle(random);
  }, rpgtest::TestLibrary("battle"));
  run.Play(keys, pause);
  return result;
}

TEST(BattleFlow, AFlightFromARandomBattleEndsItAndDownedMembersGetOneHp) {
  // The battle menu, down to its fourth entry, chosen.
  EXPECT_EQ(Fight(Party{.memberAgility = 99, .luck = 99}, {kKeyDown, kKeyEnter, kKeyDown, kKeyDown, kKeyDown, kKeyEnter},
                  [] {
                    game.party[1].header.id = 2;  // down, and slower
                    game.encounterEnemies[0] = kScarecrow;
                    SeedRandom(3);
                  }, true),
            kBattleFled);
  EXPECT_EQ(game.fled[0], 1);
  EXPECT_EQ(game.party[1].stats.hp, 1);
}

// On the battle library, against its ogre: the defeat picture and effect
// stay until a key, then the title; every member, the one down from the
// start too, gets 1 hp.
TEST(BattleFlow, ALostEncounterShowsTheDefeatUntilAKeyAndGoesToTheTitle) {
  GameRun run([&] {
    Seat(Party{.memberHp = 5, .memberAgility = 1});
    game.party[1].header.id = 2;
    game.encounterOn = 1;
    battletest::SeedWhere([] { return Random() % 100 == 4; });
    EncounterCheck();
    EXPECT_EQ(game.runStatus, 0) << "a roll of 4 starts no battle (the list is still empty)";
    game.encounterEnemies[0] = kOgre;
    std::fill_n(game.encounterParams, 3, 1);  // backgrounds 1, 31, 111
    battletest::SeedWhere([] { return Random() % 100 < 4; });  // an encounter
    EncounterCheck();
  }, rpgtest::TestLibrary("battle"));
  run.Advance(3000);
  run.Key(kKeyEnter);
  run.Advance(20000);
  ASSERT_FALSE(run.Finished()) << "the defeat waits for a key";
  rpgtest::ShowsGolden("battle_defeat")();
  run.Play({kKeyEnter});
  EXPECT_EQ(game.runStatus, kBackToTitle);
  EXPECT_EQ(game.party[0].stats.hp, 1);
  EXPECT_EQ(game.party[1].stats.hp, 1);
}

// A scripted battle won by a strike (the scarecrow's experience and money
// paid), lost to the faster ogre (the last member down) or stopped after
// round limit + 1: the script goes on by the result, the slots freed.
TEST(BattleFlow, TheBattleCommandGoesOnByTheResult) {
  struct Case {
    const char* what;
    Party party;
    uint8_t roundLimit;
    uint8_t var;
    uint32_t money;
    uint16_t exp, hp;
  };
  for (const Case& c : {Case{"won: the win address", Party{}, 0, 1, 9, 7, 100},
                        Case{"lost: the lose address", Party{.memberHp = 5, .memberAgility = 1, .enemy = kOgre}, 0, 2, 0, 0, 0},
                        Case{"round limit: after the command", Party{.memberAttack = 0}, 1, 3, 0, 0, 100}}) {
    const std::string source = "Battle " + std::to_string(c.roundLimit) + ", " + std::to_string(c.party.enemy) +
                               ", 0, 0, 5, 5, 5, 9, 9, 9, 0, 0, 0, lose, win\n"
                               "SetVar 1, 3\nEnd\nlose: SetVar 1, 2\nEnd\nwin: SetVar 1, 1\nEnd\n";
    GameRun run([&] {
      Seat(c.party);
      game.enemies[0].record.enemyId = 0;
      rpgtest::RunFromBody(1, 2);
    }, rpgtest::WithScripts(rpgtest::TestLibrary("battle"), {{1, 2, source}}));
    run.Play({kKeyEnter, 'R'});
    EXPECT_EQ(game.scriptVars[1], c.var) << c.what;
    EXPECT_EQ(game.encounterParams[1], 35) << c.what;
    EXPECT_EQ(std::tie(game.money, game.party[0].stats.exp, game.party[0].stats.hp), std::tie(c.money, c.exp, c.hp))
        << c.what;
    EXPECT_EQ(game.battleActions[0].pose == 11, c.hp == 0) << c.what;
    if (c.roundLimit) { EXPECT_EQ(game.roundNo, c.roundLimit) << c.what; }
    EXPECT_EQ(game.enemies[0].record.enemyId + game.randomBattle, 0) << c.what;
  }
}

// Two rounds (the second repeats the first's orders) against the scarecrow,
// which any strike of the member would down, with the library's heal (3, 1)
// of 40 hp for 4 mp, a herb (9, 1) of 40 hp and a bomb (8, 1) to throw.
TEST(BattleFlow, MagicAndItemOrdersCostWhatTheyUseAndEscGivesNone) {
  constexpr uint32_t d = kKeyDown, l = kKeyLeft, e = kKeyEnter, x = kKeyEscape;
  struct Case {
    const char* what;
    uint16_t mp;
    InvEntry item;
    std::initializer_list<uint32_t> keys;
    uint16_t hp, mpAfter;
    uint8_t itemsLeft, kind, exp;
  };
  for (const Case& c : {
           Case{"a heal cast twice", 20, {}, {l, e, e, 'R'}, 90, 12, 0, 2, 0},
           Case{"short mp: the message, no order", 3, {}, {l, e, e, x, d, e, d, d, e, 'R'}, 10, 3, 0, 5, 0},
           Case{"a herb used twice", 0, {9, 1, 3}, {d, e, d, e, d, d, e, e, 'R'}, 90, 0, 1, 8, 0},
           Case{"a bomb thrown twice downs it", 0, {8, 1, 2}, {d, e, d, e, d, e, e, 'R'}, 10, 0, 0, 9, 7},
           Case{"Esc in the list: no order", 0, {8, 1, 2},
                {d, e, d, e, d, e, x, d, d, e, 'R'}, 10, 0, 2, 5, 0},
       }) {
    Fight(Party{.memberHp = 10}, c.keys, [&] {
      CharStats& m = game.party[0].stats;
      m.mp = c.mp, m.maxMp = 40;
      game.party[0].magic[0] = {3, 1};
      game.party[0].magicCount = 1;
      if (c.item.count) game.inventory[game.invCount++] = c.item;
      game.roundLimit = 1;
      SeedRandom(5);
    }, false, 6000);  // time for the effects before the next key
    EXPECT_EQ(game.party[0].stats.hp, c.hp) << c.what;
    EXPECT_EQ(game.party[0].stats.mp, c.mpAfter) << c.what;
    EXPECT_EQ(game.invCount ? game.inventory[0].count : 0, c.itemsLeft) << c.what;
    EXPECT_EQ(game.battleActions[0].kind, c.kind) << c.what;
    EXPECT_EQ(game.battleExp, c.exp) << c.what << ": no strike, though one would win";
  }
}

// "装备" in the battle item menu runs EquipFromItems: the sword is worn (its
// attack and power on the member, out of the inventory) and the member is
// asked again, so its strike wins.
TEST(BattleFlow, EquipFromTheItemMenuWearsTheItemAndAsksAgain) {
  constexpr uint32_t d = kKeyDown, e = kKeyEnter, x = kKeyEscape;
  // The wooden sword (attack + 5, power 3); the menu, "道具", "装备", the
  // sword, accepted; Esc leaves the list; a strike.
  EXPECT_EQ(Fight(Party{}, {d, e, d, e, e, e, e, x, e},
                  [] { game.inventory[game.invCount++] = {7, 1, 1}; }),
            kBattleWon);
  const PartySlot& m = game.party[0];
  EXPECT_EQ(m.equipment.place[4], 1) << "hand-held";
  EXPECT_EQ(m.stats.attack, 505);
  EXPECT_EQ(m.stats.weaponPower, 3);
  EXPECT_EQ(game.invCount, 0);
}

}  // namespace
