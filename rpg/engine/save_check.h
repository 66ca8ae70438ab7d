#pragma once
// The checks a parsed save needs the data library for, and the limits it is
// brought within. A save the game would read into a broken state is refused
// before anything of the state record changes.

#include "rpg/format/save_layout.h"

// True when the library holds everything the main file names (its map, with
// the view and every map character inside it, its script, the map
// characters' sheets, the items in use, the encounter enemies); inventory
// counts above 99 become 99. runStatus is left as it was.
bool CheckMainFile(rpgfmt::save::MainFile& value);
// The same for a member record: its character sheet and walking sheet, its
// worn items and magics; a magic count above 50 becomes 50.
bool CheckMemberRecord(rpgfmt::save::MemberRecord& record);
