#include "rpg/engine/save_game.h"

#include <cstring>

#include "rpg/engine/ask_yes_no.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/message_box.h"
#include "rpg/engine/message_strip.h"
#include "rpg/engine/pictures.h"
#include "rpg/engine/save_commit.h"
#include "rpg/engine/save_records.h"
#include "rpg/engine/save_slots.h"
#include "rpg/engine/slot_menu.h"
#include "rpg/engine/ui_text.h"

namespace sv = rpgfmt::save;

namespace {

constexpr char kOverwrite[] = "覆盖原进度？";
constexpr char kSaving[] = " 档案储存中… ";
constexpr char kSaveFailed[] = "存档失败！";
constexpr int kFailTicks = 100;
constexpr int kStripLine = 2;

// Whether the member file can hold every character of the party.
bool PartyFits() {
  for (const PartySlot& m : game.party) {
    if (m.header.id > sv::kLastMemberId) return false;
  }
  return true;
}

bool Fail() {
  ShowMessage(kSaveFailed, kFailTicks);
  return false;
}

std::span<const uint8_t> Span(const std::vector<uint8_t>& bytes) { return bytes; }

}  // namespace

sv::MemberFile SaveMembers() {
  sv::MemberFile file = ReadSlotRecords();
  for (uint8_t id = sv::kFirstMemberId; id <= sv::kLastMemberId; ++id) {
    std::optional<sv::MemberRecord> parked = ReadParkedRecord(id);
    if (parked) file.records[id - 1] = parked;
  }
  for (uint8_t slot = 0; slot < kPartySlots; ++slot) {
    const uint8_t id = game.party[slot].header.id;
    if (id >= sv::kFirstMemberId && id <= sv::kLastMemberId) {
      file.records[id - 1] = BuildMemberRecord(slot);
    }
  }
  return file;
}

bool SaveToSlot(uint8_t slot) {
  if (slot >= sv::kSaveSlots || game.runStatus) return false;
  RecoverSlotFiles(slot);
  const std::string mainName = SaveName(SaveFileKind::kMain, slot);
  if (SaveFileExists(mainName) && AskYesNo(kAnswerYes, kOverwrite) != kAnswerYes) return false;
  if (game.runStatus) return false;
  const StripTextAt at = MessageStrip(kStripLine, int(std::strlen(kSaving)));
  DrawString(at.x, at.y, kSaving);
  if (!PartyFits()) return Fail();
  const std::vector<uint8_t> main = sv::BuildMainFile(BuildRecord());
  const std::vector<uint8_t> members = sv::BuildMemberFile(SaveMembers());
  if (!CommitSlotFiles(mainName.c_str(), Span(main),
                       SaveName(SaveFileKind::kMember, slot).c_str(), Span(members))) {
    return Fail();
  }
  game.saveSlot = slot;
  return true;
}

bool SaveMenu() {
  const uint8_t slot = SlotMenu(kSaveScreen);
  if (slot >= sv::kSaveSlots) return false;
  const bool saved = SaveToSlot(slot);
  PresentScene();
  return saved;
}
