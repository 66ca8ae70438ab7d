#include "rpg/engine/save_slots.h"

#include <cstdio>

#include "host/file.h"
#include "rpg/engine/game_state.h"
#include "rpg/engine/save_commit.h"

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
