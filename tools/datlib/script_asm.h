#pragma once
// The script assembler: readable script source (UTF-8) to a script resource.
//
//   ; comment to the end of the line
//   .equ HERB, 3               ; a named number
//   .event 2, at_well          ; handler of event 2 (events are 1 ... 255)
//   .events 4                  ; event table size, when above the highest .event
//   .header 1, 2, "ab"         ; the 24-byte header the game ignores (zeros)
//   start:                     ; a label: a code address
//       Say 1, "你好"          ; a command (mnemonic, operands by commas)
//       IfFlag 12, start       ; jump operands take a label or a number
//       Shop 1:3, 2:HERB       ; goods are kind:id pairs
//       .byte 0x50, 1          ; raw body bytes
//   .tail                      ; .byte lines after this go past the code end
//
// The language is documented in docs/datlib-scripts.md.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/datlib/diag.h"

namespace datlib {

// Where an instruction or a run of raw bytes of the body came from.
struct ScriptSourceLine {
  std::uint16_t offset = 0;  // code address
  int line = 0;
  bool instruction = true;  // false for .byte data
};

struct AssembledScript {
  std::vector<std::uint8_t> bytes;      // the whole resource, header included
  std::vector<ScriptSourceLine> lines;  // ascending by offset
};

// Assembles `text`; `file` names it in diagnostics. Errors and warnings go to
// `diag` as file:line:col; on any error the result is empty.
std::optional<AssembledScript> AssembleScript(std::string_view text, const std::string& file,
                                              Diagnostics& diag);

}  // namespace datlib
