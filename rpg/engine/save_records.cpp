#include "rpg/engine/save_records.h"

#include <algorithm>
#include <cstring>

#include "rpg/engine/game_state.h"
#include "rpg/party/stats.h"

namespace sv = rpgfmt::save;

namespace {

// The bytes of `from` into `to`, as many as the smaller of the two holds.
template <class To, class From>
void CopyBytes(To& to, const From& from) {
  std::memcpy(&to, &from, std::min(sizeof to, sizeof from));
}

void BuildState(sv::SavedState& s) {
  CopyBytes(s.mapName, game.mapName);
  s.randomBattle = 0;
  for (int i = 0; i < kPartySlots; ++i) s.partyIds[i] = game.party[i].header.id;
  s.partyLeader = game.partyLeader;
  s.invCount = game.invCount;
  s.encounterOn = game.encounterOn;
  s.scriptNo = game.lastScriptNo;
  s.scriptBank = game.lastScriptBank;
  s.scriptRunning = game.scriptRunning;
  s.scriptPc = game.scriptPc;
  const bool inLibrary = game.scriptCode && game.libImage && game.scriptCode >= game.libImage;
  s.reserved = inLibrary ? uint16_t(game.scriptCode - game.libImage) : 0;
  CopyBytes(s.encounterParams, game.encounterParams);
  s.money = game.money;
  CopyBytes(s.encounterEnemies, game.encounterEnemies);
  s.viewX = game.viewX;
  s.viewY = game.viewY;
  s.mapWidth = game.mapWidth;
  s.mapHeight = game.mapHeight;
  s.mapBlock = game.mapBlock;
  s.mapOffset = game.mapOffset;
  s.tileWidth = game.tileWidth;
  s.tileHeight = game.tileHeight;
  s.tileBlock = game.tileBlock;
  s.musicTrack = game.musicTrack;
  s.musicLoops = game.musicLoops;
  s.soundOn = game.soundOn;
  CopyBytes(s.npcPicNo, game.npcPicNo);
  CopyBytes(s.memberPicNo, game.memberPicNo);
  s.mapType = game.mapType;
  s.mapIndex = game.mapIndex;
  s.saveAllowed = game.saveAllowed;
  s.timerEvent = game.timerEvent;
  s.timerCount = game.timerCount;
  s.showCoords = game.showCoords;
  s.throwHandHeld = game.throwHandHeld;
  s.evasionOn = game.evasionOn;
}

void ApplyState(const sv::SavedState& s) {
  std::memset(game.mapName, 0, sizeof game.mapName);
  CopyBytes(game.mapName, s.mapName);
  game.partyLeader = s.partyLeader;
  game.invCount = s.invCount;
  game.encounterOn = s.encounterOn;
  game.scriptNo = s.scriptNo;
  game.scriptBank = s.scriptBank;
  game.scriptRunning = s.scriptRunning;
  game.scriptPc = s.scriptPc;
  CopyBytes(game.encounterParams, s.encounterParams);
  game.money = s.money;
  CopyBytes(game.encounterEnemies, s.encounterEnemies);
  game.viewX = s.viewX;
  game.viewY = s.viewY;
  game.mapWidth = s.mapWidth;
  game.mapHeight = s.mapHeight;
  game.mapBlock = s.mapBlock;
  game.mapOffset = s.mapOffset;
  game.tileWidth = s.tileWidth;
  game.tileHeight = s.tileHeight;
  game.tileBlock = s.tileBlock;
  game.musicTrack = s.musicTrack;
  game.musicLoops = s.musicLoops;
  game.soundOn = s.soundOn;
  CopyBytes(game.npcPicNo, s.npcPicNo);
  CopyBytes(game.memberPicNo, s.memberPicNo);
  game.mapType = s.mapType;
  game.mapIndex = s.mapIndex;
  game.saveAllowed = s.saveAllowed;
  game.timerEvent = s.timerEvent;
  game.timerCount = s.timerCount;
  game.showCoords = s.showCoords;
  game.throwHandHeld = s.throwHandHeld;
  game.evasionOn = s.evasionOn;
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
  const PartySlot& m = game.party[slot];
  sv::MemberRecord r{};
  const ActorHeader& h = m.header;
  r.picGroup = h.picGroup, r.id = h.id, r.facing = h.facing, r.step = h.step, r.mode = h.mode;
  r.viewCol = h.viewCol, r.viewRow = h.viewRow, r.targetX = h.targetX, r.targetY = h.targetY;
  r.chainCount = h.chainCount;
  r.spriteBlock = m.spriteBlock;
  r.spriteOffset = m.spriteOffset;
  r.chainId = m.chainId;
  r.magicCount = uint8_t(std::min<std::size_t>(m.magicCount, sv::kSavedMagics));
  CopyBytes(r.name, m.name);
  CopyBytes(r.stats, m.stats);
  CopyBytes(r.equipment, m.equipment);
  CopyBytes(r.magic, m.magic);
  return r;
}

void ApplyRecord(const sv::MainFile& value) {
  ApplyState(value.state);
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

void ApplyMemberRecord(uint8_t slot, const sv::MemberRecord& r) {
  PartySlot& m = game.party[slot];
  m = PartySlot{};
  ActorHeader& h = m.header;
  h.picGroup = r.picGroup, h.id = r.id, h.facing = r.facing, h.step = r.step, h.mode = r.mode;
  h.viewCol = r.viewCol, h.viewRow = r.viewRow, h.targetX = r.targetX, h.targetY = r.targetY;
  h.chainCount = r.chainCount;
  m.spriteBlock = r.spriteBlock;
  m.spriteOffset = r.spriteOffset;
  m.chainId = r.chainId;
  m.magicCount = uint8_t(std::min<std::size_t>(r.magicCount, sv::kSavedMagics));
  CopyBytes(m.name, r.name);
  CopyBytes(m.stats, r.stats);
  ClampStats(&m.stats, 1);
  CopyBytes(m.equipment, r.equipment);
  CopyBytes(m.magic, r.magic);
}
