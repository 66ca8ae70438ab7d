#pragma once
// The saved game's files as readable text (YAML): a main file by field name
// with the set flags, non-zero variables, inventory and map characters; a
// member file or a parked file with each member's stats, equipment and
// magics. With a data library, items and magics get their names. A file the
// game would refuse is not dumped: the parser's problem comes back instead.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "codec/result.h"
#include "rpg/format/library.h"

namespace datlib {

enum class SaveFileType : std::uint8_t { kMain, kMember, kParked };

struct SaveFileWhat {
  SaveFileType type;
  std::uint8_t parkedId = 0;  // for a parked file; 0 when its name does not tell
};

// What the file's name says it is: "<title><even digit>.sav" a main file,
// "<title><odd digit>.sav" a member file, "<title><byte 148 + id>.savt" a
// parked file; nothing for another name.
std::optional<SaveFileWhat> SaveFileFromName(std::string_view path);

// The file's text, or the first problem with its byte offset. A parked file
// whose id is 0 is checked against the id its record holds.
codec::Result<std::string> DumpSaveFile(std::span<const std::uint8_t> bytes, SaveFileWhat what,
                                        const rpgfmt::LibraryView* lib);

}  // namespace datlib
