#include "tools/datlib/check_jumps.h"

#include <vector>

#include "tools/datlib/script_refs.h"

namespace datlib {
namespace {

struct Jump {
  std::uint16_t from;  // code offset of the instruction, or 0 for the event table
  std::uint16_t to;
  int event;           // handler of this event, or 0 for a jump operand
};

}  // namespace

void ForEachInstruction(const rpgfmt::ScriptView& view,
                        const std::function<void(const rpgfmt::Instruction&)>& visit) {
  rpgfmt::Instruction inst;
  for (std::size_t pc = view.BodyStart(); pc < view.code.size();) {
    if (rpgfmt::DecodeInstruction(view.code, static_cast<std::uint16_t>(pc), inst) !=
        rpgfmt::DecodeError::kNone) {
      ++pc;
      continue;
    }
    visit(inst);
    pc = inst.Next();
  }
}

void CheckScriptJumps(std::span<const std::uint8_t> resource, const SourcePos& where,
                      Diagnostics& diag) {
  const auto view = rpgfmt::ReadScript(resource);
  if (!view) return;  // the reference extractor reports a bad layout
  const std::size_t end = view->code.size();
  std::vector<bool> starts(end + 1, false);
  starts[end] = true;
  std::vector<Jump> jumps;
  for (std::size_t n = 1; n <= view->eventCount; ++n) {
    const std::uint16_t at = view->EventAddress(n);
    if (at != 0) jumps.push_back({0, at, static_cast<int>(n)});
  }
  ForEachInstruction(*view, [&](const rpgfmt::Instruction& inst) {
    starts[inst.pc] = true;
    for (const rpgfmt::Operand& op : inst.Operands()) {
      if (op.kind == rpgfmt::OperandKind::kAddress) {
        jumps.push_back({inst.pc, static_cast<std::uint16_t>(op.value), 0});
      }
    }
  });
  for (const Jump& j : jumps) {
    const std::string who = j.event != 0 ? "the handler of event " + std::to_string(j.event)
                                         : CodeOffsetText(j.from) + ": a jump";
    if (j.to > end) {
      diag.Error(where, who + " goes to " + CodeOffsetText(j.to) + ", past the code end " +
                            CodeOffsetText(static_cast<std::uint16_t>(end)));
    } else if (!starts[j.to]) {
      diag.Warning(where, who + " goes to " + CodeOffsetText(j.to) + ", inside an instruction");
    }
  }
}

}  // namespace datlib
