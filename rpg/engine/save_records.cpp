#include "rpg/engine/save_records.h"

#include <algorithm>
#include <cstring>

#include "rpg/battle/rules/clamp_stats.h"
#include "rpg/engine/game_state.h"

namespace sv = rpgfmt::save;

namespace {

// The bytes of `from` into `to`, as many as the smaller of the two holds.
template <class To, class From>
void CopyBytes(To& to, const From& from) {
  std::memcpy(&to, &from, std::min(sizeof to, sizeof from));
}

// The fields record 0 and the state record share, handed to `op` in pairs
// (saved, live): saving copies each live value into the saved one, loading
// the other way, so the two directions cannot disagree.
template <class Op>
void SyncState(sv::SavedState& s, Op op) {
  op(s.partyLeader, game.partyLeader);
  op(s.invCount, game.invCount);
  op(s.encounterOn, game.encounterOn);
  op(s.scriptRunning, game.scriptRunning);
  op(s.scriptPc, game.scriptPc);
  op(s.encounterParams, game.encounterParams);
  op(s.money, game.money);
  op(s.encounterEnemies, game.encounterEnemies);
  op(s.viewX, game.viewX);
  op(s.viewY, game.viewY);
  op(s.mapWidth, game.mapWidth);
  op(s.mapHeight, game.mapHeight);
  op(s.mapBlock, game.mapBlock);
  op(s.mapOffset, game.mapOffset);
  op(s.tileWidth, game.tileWidth);
  op(s.tileHeight, game.tileHeight);
  op(s.tileBlock, game.tileBlock);
  op(s.musicTrack, game.musicTrack);
  op(s.musicLoops, game.musicLoops);
  op(s.soundOn, game.soundOn);
  op(s.npcPicNo, game.npcPicNo);
  op(s.memberPicNo, game.memberPicNo);
  op(s.mapType, game.mapType);
  op(s.mapIndex, game.mapIndex);
  op(s.saveAllowed, game.saveAllowed);
  op(s.timerEvent, game.timerEvent);
  op(s.timerCount, game.timerCount);
  op(s.showCoords, game.showCoords);
  op(s.throwHandHeld, game.throwHandHeld);
  op(s.evasionOn, game.evasionOn);
}

// The same for a member record and a party slot.
template <class Slot, class Op>
void SyncMember(sv::MemberRecord& r, Slot& m, Op op) {
  auto& h = m.header;
  op(r.picGroup, h.picGroup);
  op(r.id, h.id);
  op(r.facing, h.facing);
  op(r.step, h.step);
  op(r.mode, h.mode);
  op(r.viewCol, h.viewCol);
  op(r.viewRow, h.viewRow);
  op(r.targetX, h.targetX);
  op(r.targetY, h.targetY);
  op(r.chainCount, h.chainCount);
  op(r.spriteBlock, m.spriteBlock);
  op(r.spriteOffset, m.spriteOffset);
  op(r.chainId, m.chainId);
  op(r.magicCount, m.magicCount);
  op(r.name, m.name);
  op(r.stats, m.stats);
  op(r.equipment, m.equipment);
  op(r.magic, m.magic);
}

void BuildState(sv::SavedState& s) {
  SyncState(s, [](auto& saved, const auto& live) { CopyBytes(saved, live); });
  CopyBytes(s.mapName, game.mapName);
  s.randomBattle = 0;
  for (int i = 0; i < kPartySlots; ++i) s.partyIds[i] = game.party[i].header.id;
  s.scriptNo = game.lastScriptNo;
  s.scriptBank = game.lastScriptBank;
  const bool inLibrary = game.scriptCode && game.libImage && game.scriptCode >= game.libImage;
  s.reserved = inLibrary ? uint16_t(game.scriptCode - game.libImage) : 0;
}

void ApplyState(sv::SavedState& s) {
  SyncState(s, [](const auto& saved, auto& live) { CopyBytes(live, saved); });
  std::memset(game.mapName, 0, sizeof game.mapName);
  CopyBytes(game.mapName, s.mapName);
  game.scriptNo = s.scriptNo;
  game.scriptBank = s.scriptBank;
  game.scrollDir = 0;
}

}  // namespace

sv::MainFile BuildRecord() {
  sv::MainFile value{};
  BuildState(value.state);
  value.scriptLength = game.scriptLength;
  value.eventCount = game.eventCount;
  CopyBytes(value.events, game.eventTable);
  CopyBytes(value.scriptVars, game.scriptVars);
  CopyBytes(value.eventFlags, game.eventFlags);
  CopyBytes(value.inventory, game.inventory);
  for (int i = 0; i < kNpcSlots; ++i) {
    if (game.npcs[i]) CopyBytes(value.npcs[i], *game.npcs[i]);
  }
  return value;
}

sv::MemberRecord BuildMemberRecord(uint8_t slot) {
  sv::MemberRecord r{};
  SyncMember(r, game.party[slot], [](auto& saved, const auto& live) { CopyBytes(saved, live); });
  r.magicCount = uint8_t(std::min<std::size_t>(r.magicCount, sv::kSavedMagics));
  return r;
}

void ApplyRecord(const sv::MainFile& value) {
  sv::SavedState state = value.state;
  ApplyState(state);
  for (uint8_t i = 0; i < kPartySlots; ++i) {
    game.party[i] = PartySlot{};
    game.party[i].header.id = value.state.partyIds[i];
  }
  game.scriptLength = value.scriptLength;
  game.eventCount = value.eventCount;
  std::memset(game.eventTable, 0, sizeof game.eventTable);
  CopyBytes(game.eventTable, value.events);
  CopyBytes(game.scriptVars, value.scriptVars);  // variable 255 is not saved
  CopyBytes(game.eventFlags, value.eventFlags);
  CopyBytes(game.inventory, value.inventory);
  for (int i = 0; i < kNpcSlots; ++i) {
    game.npcStore[i] = NpcRecord{};
    game.npcs[i] = nullptr;
    if (!sv::Occupied(value.npcs[i])) continue;
    CopyBytes(game.npcStore[i], value.npcs[i]);
    game.npcs[i] = &game.npcStore[i];
  }
}

void ApplyMemberRecord(uint8_t slot, const sv::MemberRecord& record) {
  PartySlot& m = game.party[slot];
  m = PartySlot{};
  sv::MemberRecord r = record;
  SyncMember(r, m, [](const auto& saved, auto& live) { CopyBytes(live, saved); });
  m.magicCount = uint8_t(std::min<std::size_t>(m.magicCount, sv::kSavedMagics));
  ClampStats(&m.stats, 1);
}
