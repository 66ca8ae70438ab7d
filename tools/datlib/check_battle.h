#pragma once
// Checks of `datlib check` on the battle's data, each reported at the
// resource that holds it:
//   - an enemy whose magic count is above its magic list's entries, or that
//     counts magics without a list (error: it would never cast them);
//   - an enemy whose hp is 0 or above its maxHp (warning);
//   - a spirit of 64 or more in an enemy or a level-table row (warning: the
//     magic rule takes x / 64 per point, so the amount leaves its range);
//   - a character sheet whose nextExp is unlike its level's row (warning);
//   - a class-5 magic aimed at a whole side (warning: a theft from all
//     enemies steals nothing);
//   - a `Battle` command whose three enemy ids are all 0 (error).

#include <cstdint>
#include <span>
#include <string>

#include "rpg/format/library.h"
#include "tools/datlib/diag.h"

namespace datlib {

void CheckBattleRecords(const rpgfmt::LibraryView& lib, const std::string& name, Diagnostics& diag);

// The `Battle` commands of one script resource.
void CheckBattleCommands(std::span<const std::uint8_t> resource, const SourcePos& where,
                         Diagnostics& diag);

}  // namespace datlib
