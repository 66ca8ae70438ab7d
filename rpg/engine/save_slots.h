#pragma once
// The save files of the game in play: their names, from the library's title
// through the one naming function, whole-file reads, and finishing or
// discarding an interrupted save before a slot or parked file is read.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "rpg/format/save_layout.h"
#include "rpg/format/save_names.h"

using rpgfmt::save::SaveFileKind;

// The name of a slot's file (n = slot) or a parked file (n = character id).
std::string SaveName(SaveFileKind kind, int n);

// The whole file, or nothing when it cannot be opened or holds more than
// `maxBytes` (no save file is that long).
std::optional<std::vector<uint8_t>> ReadWholeFile(const std::string& name, std::size_t maxBytes);

// Finishes or discards an interrupted save of `slot`.
void RecoverSlotFiles(int slot);
// Discards an interrupted write of character id's parked file.
void RecoverParkedFile(int id);

// The records of a member file's bytes that are whole, carry their id in
// byte 1 and pass the checks of a parked record; the others count as absent.
rpgfmt::save::MemberFile TakeWholeRecords(std::span<const uint8_t> bytes);
// Character id's record from its parked file, when it has a sound one.
std::optional<rpgfmt::save::MemberRecord> ReadParkedRecord(uint8_t id);
// The sound records of the current save slot's member file (none without a
// current slot or its file).
rpgfmt::save::MemberFile ReadSlotRecords();
// Deletes the parked files of ids 1 ... 25.
void DeleteParkedFiles();
