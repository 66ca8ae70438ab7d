#include "rpg/engine/save_slots.h"

#include <cstdio>

#include "host/file.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/save_commit.h"

namespace sv = rpgfmt::save;

std::string SaveName(SaveFileKind kind, int n) {
  return rpgfmt::save::SaveFileName(game.libTitle, kind, n);
}

std::optional<std::vector<uint8_t>> ReadWholeFile(const std::string& name, std::size_t maxBytes) {
  std::FILE* f = FileOpen(name.c_str(), "rb");
  if (!f) return std::nullopt;
  // One byte more than allowed tells a file that is too long.
  std::vector<uint8_t> bytes(maxBytes + 1);
  bytes.resize(FileRead(bytes.data(), 1, bytes.size(), f));
  FileClose(f);
  if (bytes.size() > maxBytes) return std::nullopt;
  return bytes;
}

void RecoverSlotFiles(int slot) {
  RecoverSlot(SaveName(SaveFileKind::kMain, slot).c_str(),
              SaveName(SaveFileKind::kMember, slot).c_str());
}

void RecoverParkedFile(int id) { RecoverFile(SaveName(SaveFileKind::kParked, id).c_str()); }

sv::MemberFile TakeWholeRecords(std::span<const uint8_t> bytes) {
  sv::MemberFile file{};
  for (uint8_t id = sv::kFirstMemberId; id <= sv::kLastMemberId; ++id) {
    const std::size_t at = (id - 1) * sv::kMemberRecordSize;
    if (at + sv::kMemberRecordSize > bytes.size()) break;
    auto record = sv::ParseParkedFile(bytes.subspan(at, sv::kMemberRecordSize), id);
    if (record) file.records[id - 1] = *record;
  }
  return file;
}

std::optional<sv::MemberRecord> ReadParkedRecord(uint8_t id) {
  RecoverParkedFile(id);
  const auto bytes = ReadWholeFile(SaveName(SaveFileKind::kParked, id), sv::kMemberRecordSize);
  if (!bytes) return std::nullopt;
  auto record = sv::ParseParkedFile(*bytes, id);
  if (!record) return std::nullopt;
  return *record;
}

sv::MemberFile ReadSlotRecords() {
  if (game.saveSlot >= sv::kSaveSlots) return {};
  RecoverSlotFiles(game.saveSlot);
  const auto bytes = ReadWholeFile(SaveName(SaveFileKind::kMember, game.saveSlot),
                                   sv::kMemberRecordSize * sv::kLastMemberId);
  return bytes ? TakeWholeRecords(*bytes) : sv::MemberFile{};
}

void DeleteParkedFiles() {
  for (int id = sv::kFirstMemberId; id <= sv::kLastMemberId; ++id) {
    const std::string name = SaveName(SaveFileKind::kParked, id);
    RecoverFile(name.c_str());
    FileDelete(name.c_str());
  }
}
