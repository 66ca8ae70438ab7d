#pragma once
// What a script refers to, for the library checks: the resources its
// commands name (maps, actors, items, magic, pictures, animations, scripts),
// the events of its own table that commands run, and every place an event
// flag or script variable is set or tested. The format's operand reference
// table (rpg/format/operand_refs.h) says what each operand names.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "codec/hex.h"
#include "rpg/format/library.h"
#include "rpg/format/operand_refs.h"
#include "rpg/format/script_commands.h"
#include "tools/datlib/script_asm.h"

namespace datlib {

// "+0x01a2": how messages name a code address of a script.
inline std::string CodeOffsetText(std::uint16_t offset) {
  return "+0x" + codec::HexNumber(offset, 4);
}

// Where a use sits: the instruction's code address and, when the script was
// assembled from source, its line (0 otherwise).
struct ScriptSite {
  std::uint16_t offset = 0;
  int line = 0;
  const rpgfmt::CommandInfo* command = nullptr;
};

struct ScriptResourceRef {
  rpgfmt::ResKey key;
  bool optional = false;  // the game carries on when it is missing
  ScriptSite site;
};

struct ScriptEventRef {
  std::uint8_t event = 0;
  ScriptSite site;
};

// A use of an event flag (tested, set, cleared) or a script variable
// (tested, written, updated, read).
struct ScriptUse {
  std::uint16_t number = 0;
  rpgfmt::RefAccess access = rpgfmt::RefAccess::kTest;
  ScriptSite site;
};

struct ScriptRefs {
  std::uint8_t eventCount = 0;
  std::vector<std::uint8_t> handledEvents;  // events whose handler address is not 0
  std::vector<ScriptResourceRef> resources;
  std::vector<ScriptEventRef> events;
  std::vector<ScriptUse> flags;
  std::vector<ScriptUse> vars;
  std::vector<std::string> problems;  // a bad layout or undecodable bytes
};

// Walks the body of a script resource. With `lines` (from the assembler) it
// decodes exactly the instructions of the source and names their lines;
// without, it decodes from the start of the body, skipping bytes that do not
// decode.
ScriptRefs ExtractScriptRefs(std::span<const std::uint8_t> resource,
                             std::span<const ScriptSourceLine> lines = {});

}  // namespace datlib
