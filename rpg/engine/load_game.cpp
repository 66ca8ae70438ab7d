#include "rpg/engine/load_game.h"

#include "host/canvas.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/library.h"
#include "rpg/engine/map_draw.h"
#include "rpg/engine/message_box.h"
#include "rpg/engine/save_check.h"
#include "rpg/engine/save_commit.h"
#include "rpg/engine/save_records.h"
#include "rpg/engine/save_slots.h"
#include "rpg/engine/script.h"
#include "rpg/engine/slot_menu.h"
#include "rpg/engine/sound_hooks.h"
#include "rpg/format/actor_records.h"
#include "rpg/format/library.h"

namespace sv = rpgfmt::save;

namespace {

constexpr char kDamaged[] = "档案损坏！";
constexpr int kDamagedTicks = 100;
constexpr uint8_t kAfterLoadBank = 0;
constexpr uint8_t kAfterLoadNo = 5;
constexpr uint8_t kSheetType = uint8_t(rpgfmt::ResType::kActorSheet);

bool Damaged() {
  ShowMessage(kDamaged, kDamagedTicks);
  return false;
}

// Script (0, 5), when the library has it, with the loaded key and the
// loaded script's running state kept.
void RunAfterLoadScript() {
  const uint8_t bank = game.scriptBank, no = game.scriptNo, running = game.scriptRunning;
  RunScriptFile(kAfterLoadBank, kAfterLoadNo);
  game.scriptBank = bank, game.scriptNo = no, game.scriptRunning = running;
}

}  // namespace

std::optional<sv::MemberFile> ReadMembers(uint8_t slot, std::span<const uint8_t> partyIds) {
  const auto bytes = ReadWholeFile(SaveName(SaveFileKind::kMember, slot),
                                   sv::kMemberRecordSize * sv::kLastMemberId);
  if (!bytes) return std::nullopt;
  auto file = sv::ParseMemberFile(*bytes, partyIds);
  if (!file) return std::nullopt;
  for (uint8_t id : partyIds) {
    if (id != 0 && !CheckMemberRecord(*file->records[id - 1])) return std::nullopt;
  }
  return *file;
}

bool ReadSave(uint8_t slot) {
  if (game.runStatus || slot >= sv::kSaveSlots) return false;
  RecoverSlotFiles(slot);
  const std::string name = SaveName(SaveFileKind::kMain, slot);
  if (!SaveFileExists(name)) return false;
  const auto bytes = ReadWholeFile(name, sv::kMainFileSize);
  if (!bytes) return Damaged();
  auto main = sv::ParseMainFile(*bytes);
  if (!main || !CheckMainFile(*main)) return Damaged();
  const std::optional<sv::MemberFile> members = ReadMembers(slot, main->state.partyIds);
  if (!members) return Damaged();
  ApplyRecord(*main);
  for (uint8_t i = 0; i < kPartySlots; ++i) {
    const uint8_t id = main->state.partyIds[i];
    if (id != 0) ApplyMemberRecord(i, *members->records[id - 1]);
  }
  return true;
}

void ResolveMemberSheet(uint8_t slot) {
  PartySlot& m = game.party[slot];
  const std::span<const uint8_t> sheet =
      LibRecord(uint8_t(rpgfmt::ResType::kActorRecord), 1, m.header.id, rpgfmt::charsheet::kSize);
  if (game.runStatus) return;
  game.memberPicNo[slot] = sheet[rpgfmt::charsheet::kSprite];
  ResKey key{kSheetType, 1, game.memberPicNo[slot], 0, 0};
  LibLookup(&key);
  m.spriteBlock = key.block;
  m.spriteOffset = key.offset;
}

void ResolveSheets() {
  for (int i = 0; i < kNpcSlots; ++i) {
    if (!game.npcs[i]) continue;
    ResKey key{kSheetType, game.npcs[i]->picGroup, game.npcPicNo[i], 0, 0};
    LibLookup(&key);
    game.npcs[i]->picBlock = key.block;
    game.npcs[i]->picOffset = key.offset;
  }
  for (uint8_t slot = 0; slot < kPartySlots; ++slot) {
    if (game.party[slot].header.id != 0) ResolveMemberSheet(slot);
  }
}

bool LoadGame() {
  uint8_t slot;
  do {
    slot = SlotMenu(kLoadScreen);
    if (slot >= sv::kSaveSlots) return false;
  } while (!ReadSave(slot));
  const uint8_t bank = game.scriptBank, no = game.scriptNo;
  // The music of the game left behind stops before script (0, 5) runs, so
  // that music the script starts for the loaded game plays on.
  StopMusic();
  game.musicReplayFlag = 0;
  RunAfterLoadScript();
  CanvasClear(game.sceneCanvas);
  LoadScript();
  ResolveSheets();
  ChangeMap(game.mapType, game.mapIndex, game.viewX, game.viewY);
  game.saveSlot = slot;
  game.lastScriptBank = bank;
  game.lastScriptNo = no;
  DeleteParkedFiles();
  return true;
}
