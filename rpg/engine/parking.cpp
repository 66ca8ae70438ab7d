#include "rpg/engine/parking.h"

#include "rpg/engine/game_state.h"
#include "rpg/engine/load_game.h"
#include "rpg/engine/save_check.h"
#include "rpg/engine/save_commit.h"
#include "rpg/engine/save_records.h"
#include "rpg/engine/save_slots.h"
#include "rpg/party/party_slots.h"

namespace sv = rpgfmt::save;

namespace {

constexpr uint8_t kNoSuchMember = 7;
constexpr uint8_t kParkFailed = 16;
constexpr int kParkTries = 2;
constexpr uint8_t kNoSlot = 255;

}  // namespace

void ParkMember(uint8_t id) {
  if (game.runStatus) return;
  const uint8_t slot = MemberSlot(id);
  if (slot == kNoSlot) {
    game.runStatus = kNoSuchMember;
    return;
  }
  const std::vector<uint8_t> bytes = sv::BuildParkedFile(BuildMemberRecord(slot));
  const std::string name = SaveName(SaveFileKind::kParked, id);
  for (int attempt = 0; attempt < kParkTries; ++attempt) {
    RecoverParkedFile(id);
    if (!name.empty() && CommitFile(name.c_str(), bytes)) {
      RemoveMember(id);
      return;
    }
  }
  game.runStatus = kParkFailed;
}

bool RestoreParkedMember(uint8_t id) {
  if (game.runStatus || id < sv::kFirstMemberId || id > sv::kLastMemberId) return false;
  std::optional<sv::MemberRecord> record = ReadParkedRecord(id);
  if (!record || !CheckMemberRecord(*record)) record = ReadSlotRecords().records[id - 1];
  if (!record || !CheckMemberRecord(*record)) return false;
  const uint8_t slot = FindFreeMemberSlot();
  if (game.runStatus) return false;
  ApplyMemberRecord(slot, *record);
  ResolveMemberSheet(slot);
  return true;
}
