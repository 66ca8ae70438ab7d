// Script tools on arbitrary input: every instruction the decoder reads from
// the bytes must encode back to exactly its bytes; the bytes as a script
// resource must disassemble to source that assembles back to exactly those
// bytes; and the same bytes as source text must assemble or fail with
// diagnostics, never crash.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string_view>
#include <vector>

#include "rpg/format/script_encode.h"
#include "tools/datlib/script_asm.h"
#include "tools/datlib/script_disasm.h"
#include "tools/datlib/script_refs.h"

namespace {

// Decode, encode, decode at every offset of the bytes taken as code.
void RoundTripInstructions(std::span<const std::uint8_t> code) {
  rpgfmt::Instruction inst, again;
  std::vector<std::uint8_t> out;
  for (std::size_t pc = 0; pc < code.size() && pc <= 0xFFFF; ++pc) {
    if (rpgfmt::DecodeInstruction(code, static_cast<std::uint16_t>(pc), inst) !=
        rpgfmt::DecodeError::kNone) {
      continue;
    }
    out.clear();
    if (!rpgfmt::EncodeInstruction(inst, out)) std::abort();
    const auto original = code.subspan(pc, inst.size);
    if (!std::equal(out.begin(), out.end(), original.begin(), original.end())) std::abort();
    if (rpgfmt::DecodeInstruction(out, 0, again) != rpgfmt::DecodeError::kNone ||
        again.command != inst.command || again.size != inst.size) {
      std::abort();
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  RoundTripInstructions(bytes);

  datlib::Diagnostics diag;
  if (const auto text = datlib::DisassembleScript(bytes, {"fuzz", 0, 0}, diag)) {
    const auto again = datlib::AssembleScript(*text, "fuzz.gsa", diag);
    // A resource too large for a library block cannot be rebuilt; any
    // other failure or difference is a bug.
    if (!again && size <= 16381) std::abort();
    if (again &&
        !std::equal(again->bytes.begin(), again->bytes.end(), bytes.begin(), bytes.end())) {
      std::abort();
    }
    datlib::ExtractScriptRefs(bytes);
  }

  const std::string_view source(reinterpret_cast<const char*>(data), size);
  datlib::Diagnostics sourceDiag;
  if (const auto script = datlib::AssembleScript(source, "fuzz.gsa", sourceDiag)) {
    datlib::ExtractScriptRefs(script->bytes, script->lines);
  }
  return 0;
}
