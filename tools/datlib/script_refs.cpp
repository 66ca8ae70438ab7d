#include "tools/datlib/script_refs.h"

#include "rpg/format/script_decode.h"
#include "rpg/format/script_file.h"

namespace datlib {
namespace {

using rpgfmt::RefKind;

class Extractor {
 public:
  explicit Extractor(ScriptRefs& out) : out_(out) {}

  void Instruction(const rpgfmt::Instruction& inst, int line) {
    const ScriptSite site{inst.pc, line, inst.command};
    const rpgfmt::InstructionRefs refs = rpgfmt::ReferencesOf(inst);
    for (const rpgfmt::Reference& r : refs.All()) {
      switch (r.kind) {
        case RefKind::kResource:
          out_.resources.push_back({r.key, r.optional, site});
          break;
        case RefKind::kEvent:
          out_.events.push_back({static_cast<std::uint8_t>(r.value), site});
          break;
        case RefKind::kFlag:
          out_.flags.push_back({static_cast<std::uint16_t>(r.value), r.access, site});
          break;
        case RefKind::kVariable:
          out_.vars.push_back({static_cast<std::uint16_t>(r.value), r.access, site});
          break;
        default:  // characters and addresses: the jump check reads addresses
          break;
      }
    }
  }

 private:
  ScriptRefs& out_;
};

void Problem(ScriptRefs& out, std::uint16_t pc, rpgfmt::DecodeError e) {
  out.problems.push_back("code offset " + std::to_string(pc) + ": " + rpgfmt::DecodeErrorText(e));
}

}  // namespace

ScriptRefs ExtractScriptRefs(std::span<const std::uint8_t> resource,
                             std::span<const ScriptSourceLine> lines) {
  ScriptRefs out;
  const auto view = rpgfmt::ReadScript(resource);
  if (!view) {
    out.problems.push_back(view.error().Text());
    return out;
  }
  out.eventCount = view->eventCount;
  for (std::size_t n = 1; n <= view->eventCount; ++n) {
    if (view->EventAddress(n) != 0) out.handledEvents.push_back(static_cast<std::uint8_t>(n));
  }
  Extractor extract(out);
  rpgfmt::Instruction inst;
  if (!lines.empty()) {
    for (const ScriptSourceLine& l : lines) {
      if (!l.instruction) continue;
      const rpgfmt::DecodeError e = rpgfmt::DecodeInstruction(view->code, l.offset, inst);
      e == rpgfmt::DecodeError::kNone ? extract.Instruction(inst, l.line)
                                      : Problem(out, l.offset, e);
    }
    return out;
  }
  for (std::size_t pc = view->BodyStart(); pc < view->code.size();) {
    const rpgfmt::DecodeError e =
        rpgfmt::DecodeInstruction(view->code, static_cast<std::uint16_t>(pc), inst);
    if (e != rpgfmt::DecodeError::kNone) {
      Problem(out, static_cast<std::uint16_t>(pc), e);
      ++pc;
      continue;
    }
    extract.Instruction(inst, 0);
    pc += inst.size;
  }
  return out;
}

}  // namespace datlib
