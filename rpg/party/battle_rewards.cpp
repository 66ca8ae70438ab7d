// A won battle's pay and the level-up it may bring.

#include <string>

#include "host/msg.h"
#include "rpg/battle/rules/clamp_stats.h"
#include "rpg/battle/rules/combatant.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/message_strip.h"
#include "rpg/engine/pictures.h"
#include "rpg/engine/ui_text.h"
#include "rpg/party/level_up.h"
#include "rpg/party/magic_learning.h"
#include "rpg/party/record_text.h"
#include "rpg/party/rewards.h"

namespace {

constexpr int kRecoveryBase = 15, kRecoverySpread = 10;
constexpr uint32_t kFullPercent = 100;

// `cur` + pct % of what it lacks up to `max`.
uint16_t Recover(uint16_t cur, uint16_t max, uint32_t pct) {
  if (cur >= max) return cur;
  return uint16_t(cur + uint32_t(max - cur) * pct / kFullPercent);
}

void PayMember(int slot, uint32_t pct) {
  CharStats& s = game.party[slot].stats;
  if (s.hp == 0) {
    s.hp = 1;
    return;
  }
  s.hp = Recover(s.hp, s.maxHp, pct);
  s.mp = Recover(s.mp, s.maxMp, pct);
  ClampStats(&s, 1);
  s.exp = AddCapped(s.exp, game.battleExp);
  if (s.nextExp < s.exp) LevelUp(slot);
}

void AnnounceRise(int slot) {
  const std::string text =
      std::string(FieldText(game.party[slot].name, kMemberNameSize)) + "修行提升";
  const StripTextAt at = MessageStrip(2, int(text.size()));
  DrawString(at.x, at.y, text.c_str());
}

}  // namespace

void BattleRewards(SceneDrawer drawScene) {
  if (game.runStatus) return;
  if (drawScene) drawScene();
  PresentScene();
  const uint32_t pct = uint32_t(Random() % kRecoverySpread + kRecoveryBase);
  ShowBattleGains();
  ShowDrops();
  if (game.runStatus) return;
  game.money += game.battleMoney;  // no upper limit here
  for (int slot = 0; slot < kPartySlots && !game.runStatus; ++slot) {
    if (game.party[slot].header.id != 0) PayMember(slot, pct);
  }
}

void LevelUp(int slot) {
  if (game.runStatus) return;
  PartySlot& member = game.party[slot];
  LevelTable table;
  if (!FindLevelTable(member.header.id, &table)) return;
  const uint8_t level = member.stats.level;
  if (member.stats.nextExp == 0 || level == 0 || level > table.last) return;
  AnnounceRise(slot);
  LevelRow before;
  const uint8_t newChain = LevelUpCompute(slot, table, &before);
  ShowLevelUpPanel(slot, before);
  if (before.chainCount < newChain) LearnChain(slot, before.chainCount, newChain, ShowLearnedMagic);
}
