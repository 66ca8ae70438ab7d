#pragma once
// The references each kind of resource makes, gathered for the checks.

#include <string>
#include <vector>

#include "rpg/format/library.h"
#include "tools/datlib/script_refs.h"

namespace datlib {

struct Reference {
  rpgfmt::ResKey from;
  rpgfmt::ResKey to;
  bool optional = false;  // the game carries on without it
  std::string what;       // "walking sprite", "Battle at +0x0040", ...
  bool marksUse = true;   // false: only a requirement (a level table's character)
};

// References made by the records and maps of `lib` (scripts are separate).
std::vector<Reference> DataReferences(const rpgfmt::LibraryView& lib);

// Keys the engine itself asks for, not named by any resource.
bool EngineUses(rpgfmt::ResKey key, const rpgfmt::LibraryView& lib);

// The references of a script resource, with "+0x0040" sites.
std::vector<Reference> ScriptReferences(rpgfmt::ResKey from, const ScriptRefs& refs);

}  // namespace datlib
