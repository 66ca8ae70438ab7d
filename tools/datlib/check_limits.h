#pragma once
// Warnings of `datlib check` where the game clips or refuses what a library
// holds, each at the resource that holds it:
//   - a character's chain count beyond the magics it can copy (its chain's
//     entries, at most 50), in its sheet or a row of its level table; a
//     row's count above the chain's own count is an error, since learning up
//     to it stops the game;
//   - a facing outside 1 ... 4 or a step above 3 in a character sheet or a
//     map character;
//   - a walking sheet with fewer than the 12 poses (3 per facing);
//   - an effect animation whose last element is at or beyond its element
//     count, or an element showing a picture the animation lacks;
//   - map cells whose tile the map's tile set lacks.

#include <string>

#include "rpg/format/library.h"
#include "tools/datlib/diag.h"

namespace datlib {

void CheckGameLimits(const rpgfmt::LibraryView& lib, const std::string& name, Diagnostics& diag);

}  // namespace datlib
