// Commands on the party: joining, leading, healing and the attributes.
// A member the party lacks is run error 7 (8 for Heal), an attribute code
// outside a command's column run error 4.

#include <algorithm>

#include "rpg/engine/actors.h"
#include "rpg/engine/commands.h"
#include "rpg/engine/pictures.h"
#include "rpg/party/level_up.h"
#include "rpg/party/party_slots.h"
#include "rpg/party/rewards.h"
#include "rpg/party/stat_codes.h"
#include "rpg/battle/rules/clamp_stats.h"

namespace cmd {
namespace {

constexpr uint8_t kMemberKind = 1;
constexpr uint8_t kBadCode = 4;
constexpr uint8_t kNoMember = 7;
constexpr uint8_t kNoMemberToHeal = 8;
constexpr uint32_t kFullPercent = 100;

PartySlot* Member(uint8_t id, uint8_t error) {
  const uint8_t slot = MemberSlot(id);
  if (slot < kPartySlots) return &game.party[slot];
  game.runStatus = error;
  return nullptr;
}

// The attribute of operands 0 (member) and 1 (code), or false with
// runStatus set.
bool Attribute(const Instruction& inst, StatUse use, PartySlot** member, StatField* field) {
  *member = Member(Byte(inst, 0), kNoMember);
  if (!*member) return false;
  if (FindStatField(**member, use, Byte(inst, 1), field)) return true;
  game.runStatus = kBadCode;
  return false;
}

// A panel shown over the scene; the scene is shown again after it.
template <class Show>
void OverTheScene(Show show) {
  SaveScene();
  show();
  RestoreScene();
  PresentScene();
}

}  // namespace

CommandResult AddMember(const Instruction& inst) {
  PlaceActor(0, kMemberKind, Byte(inst, 0), Byte(inst, 1), Byte(inst, 2));
  return Next(inst);
}

CommandResult Lead(const Instruction& inst) {
  SetLeader(Byte(inst, 0));
  return Next(inst);
}

CommandResult Heal(const Instruction& inst) {
  PartySlot* member = Member(Byte(inst, 0), kNoMemberToHeal);
  const uint32_t percent = Num(inst, 1);
  if (member && percent >= 1 && percent <= kFullPercent) {
    CharStats& s = member->stats;
    const uint32_t gain = std::max<uint32_t>(1, s.maxHp * percent / kFullPercent);
    s.hp = uint16_t(std::min<uint32_t>(s.hp + gain, s.maxHp));
  }
  return Next(inst);
}

CommandResult IfStat(const Instruction& inst) {
  PartySlot* member;
  StatField field(nullptr, false);
  if (!Attribute(inst, StatUse::kCompare, &member, &field)) return Next(inst);
  const uint16_t value = field.Get();
  const uint16_t than = field.Cut(Num(inst, 2));
  if (value < than) return Jump(inst, 3);
  if (value > than) return Jump(inst, 4);
  return Next(inst);
}

CommandResult SetStat(const Instruction& inst) {
  PartySlot* member;
  StatField field(nullptr, false);
  if (Attribute(inst, StatUse::kSet, &member, &field)) field.Set(Num(inst, 2));
  return Next(inst);
}

CommandResult AddStat(const Instruction& inst) {
  PartySlot* member;
  StatField field(nullptr, false);
  if (Attribute(inst, StatUse::kAdd, &member, &field)) {
    // The sum wraps at the field's width, then the limits apply.
    field.Set(field.Get() + Num(inst, 2));
    ClampStats(&member->stats, 1);
  }
  return Next(inst);
}

CommandResult Learn(const Instruction& inst) {
  const PartySlot* member = Member(Byte(inst, 0), kNoMember);
  if (member) {
    const int slot = int(member - game.party);
    OverTheScene([&] { TeachMagic(slot, Byte(inst, 1), Byte(inst, 2)); });
  }
  return Next(inst);
}

CommandResult RaiseLevel(const Instruction& inst) {
  // The member climbs as far as the experience of the level below carries it.
  // The id word's low byte names the character, as the format reads it.
  const int slot = RaiseToLevel(Byte(inst, 0), uint16_t(Num(inst, 1)));
  if (slot >= 0) OverTheScene([slot] { LevelUp(slot); });
  return Next(inst);
}

}  // namespace cmd
