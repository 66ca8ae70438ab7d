#include "rpg/battle/command_phase.h"

#include <cstring>
#include <span>

#include "host/msg.h"
#include "host/types.h"
#include "rpg/battle/battle_menu.h"
#include "rpg/battle/battle_orders.h"
#include "rpg/battle/command_panel.h"
#include "rpg/battle/rules/combatant.h"
#include "rpg/battle/rules/magic_effect.h"
#include "rpg/battle/scene.h"
#include "rpg/battle/target_select.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/input.h"
#include "rpg/engine/library.h"
#include "rpg/engine/pictures.h"
#include "rpg/format/item_records.h"
#include "rpg/format/library.h"

namespace {

constexpr uint8_t kAttack = 1, kJointAttack = 3, kJointMagic = 4, kSiege = 6, kFlee = 7;
constexpr uint8_t kJoined = 170;
constexpr uint8_t kNoTarget = 255;
constexpr uint32_t kKeyRepeat = 82, kKeyRepeatLower = 114;

bool CannotAct(int i) {
  const StatusCounters& s = StatusesOf({kPartySide, i});
  return !Occupied({kPartySide, i}) || game.party[i].stats.hp == 0 || s.On(kConfusion) ||
         s.On(kSleep);
}

bool ChooseAttack(int i) {
  const uint8_t target = StrikesAll(i) ? kWholeSide : SelectTarget(kEnemySide, i, kPurposeAttack);
  if (target == kNoTarget) return false;
  game.battleActions[i].kind = kAttack;
  game.battleActions[i].target = target;
  return true;
}

bool ChooseJoint(int i) {
  BattleAction& action = game.battleActions[i];
  const uint8_t attackMagic = game.party[i].stats.attackMagic;
  uint8_t target;
  if (attackMagic != 0) {
    const std::span<const uint8_t> rec = LibRecord(uint8_t(rpgfmt::ResType::kMagicRecord), kHarm,
                                                   attackMagic, sizeof action.magic);
    if (game.runStatus) return false;
    std::memcpy(action.magic, rec.data(), sizeof action.magic);
    target = MagicTarget(i, action.magic, kPurposeJoint);
  } else {
    target = StrikesAll(i) ? kWholeSide : SelectTarget(kEnemySide, i, kPurposeJoint);
  }
  if (target == kNoTarget) return false;
  action.kind = attackMagic != 0 ? kJointMagic : kJointAttack;
  action.target = target;
  for (int k = 0; k < kPartySlots; ++k) {
    if (k != i) game.battleActions[k].kind = kJoined;
  }
  return true;
}

// The selection a key moves to, or -1 when the key does not move it.
int MovedSelection(int i, uint32_t key) {
  switch (key) {
    case kKeyUp: return kChoseAttack;
    case kKeyLeft: return StatusesOf({kPartySide, i}).On(kSeal) ? -1 : kChoseMagic;
    case kKeyDown: return kChoseMenu;
    case kKeyRight: return game.livingMembers > 1 ? kChoseJoint : -1;
    default: return -1;
  }
}

}  // namespace

int PreviousCommander(int i) {
  if (i == 0) return 0;
  --i;
  if (i != 0 && StatusesOf({kPartySide, i}).On(kSleep)) --i;
  return i;
}

int CommandIconSelector(int i) {
  if (CannotAct(i)) return kChoseSkip;
  int selection = kChoseAttack, phase = 0;
  DrawBattleScene(0, 0);
  DrawCommandPanel(i, selection);
  DrawCursor(kMemberCursor, MemberCursorAt(i), phase);
  Message m;
  while (!game.runStatus && NextMessage(&m)) {
    if (m.type == MsgTimer) {
      phase ^= 1;
      PresentScene();
      DrawCursor(kMemberCursor, MemberCursorAt(i), phase);
      continue;
    }
    if (m.type != MsgKeyDown) continue;
    if (m.wParam == kKeyEnter) return selection;
    if (m.wParam == kKeyEscape) return kChoseBack;
    if (m.wParam == kKeyRepeat || m.wParam == kKeyRepeatLower) {
      if (game.battleActions[0].kind == kSiege) game.manualCommands = 0;
      return kChoseRepeat;
    }
    const int moved = MovedSelection(i, m.wParam);
    if (moved < 0) continue;
    selection = moved;
    DrawCommandPanel(i, selection);
    DrawCursor(kMemberCursor, MemberCursorAt(i), phase);
  }
  return kChoseSkip;
}

void CommandPhase() {
  if (game.runStatus || (game.manualCommands == 0 && game.battleActions[0].kind == kSiege)) return;
  int i = 0;
  while (i < kPartySlots && !game.runStatus) {
    if (!Occupied({kPartySide, i})) {
      ++i;
      continue;
    }
    switch (CommandIconSelector(i)) {
      case kChoseAttack:
        if (ChooseAttack(i)) ++i;
        break;
      case kChoseMagic:
        if (ChooseMagic(i)) ++i;
        break;
      case kChoseMenu:
        if (!BattleMenu(i)) break;
        if (game.battleActions[i].kind == kSiege || game.battleActions[i].kind == kFlee) return;
        ++i;
        break;
      case kChoseJoint:
        if (ChooseJoint(i)) return;
        break;
      case kChoseRepeat:
        return;
      case kChoseBack:
        i = PreviousCommander(i);
        break;
      default:
        ++i;
    }
  }
}
