#pragma once
// Loading a saved game: both files read whole and checked before anything of
// the state record changes.

#include <cstdint>
#include <optional>
#include <span>

#include "rpg/format/save_layout.h"

// The load screen: SlotMenu until a slot loads (or the player cancels), then
// the music stopped, script (0, 5) when the library has it (on the loaded
// state; music it starts plays on), the scene cleared, the loaded script, the
// sheets re-resolved, the saved map at the saved view; the slot becomes the
// current save slot and the parked files, which belong to the game left
// behind, are deleted. True when it loaded.
bool LoadGame();

// Slot `slot`'s files into the state record. False, with nothing changed,
// while runStatus is set or without a main file; false after "档案损坏！"
// for 100 ticks when a file is damaged or names what the library lacks.
bool ReadSave(uint8_t slot);

// Slot `slot`'s member file checked for the party `partyIds`: every party
// member's record present and sound, the library holding what each names.
std::optional<rpgfmt::save::MemberFile> ReadMembers(uint8_t slot,
                                                    std::span<const uint8_t> partyIds);

// Finds the sheets of the map characters (8, picGroup, npcPicNo) and of the
// party (8, 1, the sprite of its character sheet) in the library in use.
void ResolveSheets();
// The same for party slot `slot` alone.
void ResolveMemberSheet(uint8_t slot);
