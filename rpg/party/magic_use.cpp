#include "rpg/party/magic_use.h"

#include <array>
#include <span>

#include "host/msg.h"
#include "rpg/battle/rules/magic_effect.h"
#include "rpg/engine/choose_list.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/input.h"
#include "rpg/engine/message_box.h"
#include "rpg/engine/ui_text.h"
#include "rpg/engine/wrapped_text.h"
#include "rpg/format/item_records.h"
#include "rpg/party/magic_list.h"
#include "rpg/party/magic_record.h"
#include "rpg/party/member_view.h"
#include "rpg/party/party_types.h"

namespace {

constexpr uint8_t kUsableClass = kHeal;
constexpr uint8_t kEveryMember = 0x80;  // bit of the target byte

using EffectBlock = std::array<uint8_t, 8>;

void Cast(uint8_t magicClass, const EffectBlock& block, bool everyMember, const MemberView& view) {
  if (!everyMember) {
    ApplyMagicEffect(magicClass, block.data(), 0, 0, view.slot());
    return;
  }
  for (uint8_t slot : view.slots()) {
    ApplyMagicEffect(magicClass, block.data(), 0, 0, slot);
    if (game.runStatus) return;
  }
}

}  // namespace

uint8_t CastMagicOn(const MagicEntry& entry) {
  namespace rec = rpgfmt::magicrec;
  const std::span<const uint8_t> record = LookUpMagic(entry);
  if (record.size() < rec::kEffect + sizeof(EffectBlock)) return kBackOut;
  MemberView view(0, 95);
  if (view.empty()) return kBackOut;
  EffectBlock block;
  std::copy_n(record.begin() + rec::kEffect, block.size(), block.begin());
  const bool everyMember = record[rec::kTarget] & kEveryMember;
  ClearRect(0, 0, 36, 95);
  DrawWrapped(4, 5, 36, 54, 0, MagicNameField(record));
  view.Draw();
  for (;;) {
    const uint8_t key = WaitKeyDown();
    if (key == kKeyEnter) {
      Cast(entry.magicClass, block, everyMember, view);
      return 0;
    }
    if (key == kKeyEscape || key == kNoKey) return kBackOut;
    view.Step(key, true);
  }
}

void CastMagicMenu(uint8_t slot) {
  int selected = 0;
  while (!game.runStatus) {
    PartySlot& caster = game.party[slot];
    const uint8_t chosen = PickMagic(caster.magic, caster.magicCount, selected);
    if (chosen == kBackOut) return;
    selected = chosen;
    const MagicEntry entry = caster.magic[chosen];
    if (entry.magicClass != kUsableClass) {
      ShowMessage("此处无法使用！", kMessageTicks);
      continue;
    }
    const std::span<const uint8_t> record = LookUpMagic(entry);
    if (record.empty()) return;
    const uint8_t cost = record[rpgfmt::magicrec::kMpCost];
    if (caster.stats.mp < cost) {
      ShowMessage("真气不足！", kMessageTicks);
      continue;
    }
    if (CastMagicOn(entry) == kBackOut) continue;
    // The cast may have changed the caster's mp; it never pays below 0.
    caster.stats.mp = caster.stats.mp > cost ? uint16_t(caster.stats.mp - cost) : 0;
  }
}
