#pragma once
// The save files of the game in play: their names, from the library's title
// through the one naming function, whole-file reads, and finishing or
// discarding an interrupted save before a slot or parked file is read.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

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
