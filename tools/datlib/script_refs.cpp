#include "tools/datlib/script_refs.h"

#include "rpg/format/script_decode.h"
#include "rpg/format/script_file.h"

namespace datlib {
namespace {

using rpgfmt::OperandRole;
using rpgfmt::ResType;

// Collects the parts of keys that a command spreads over several operands.
struct KeyParts {
  int mapGroup = -1, mapNo = -1, scriptBank = -1, scriptNo = -1;
  int magicClass = -1, magicId = -1, animGroup = -1, animNo = -1, itemKind = -1, itemId = -1;
  int backgrounds[3] = {-1, -1, -1};  // as stored: p0, p2, p1
  int backgroundCount = 0;
};

class Extractor {
 public:
  explicit Extractor(ScriptRefs& out) : out_(out) {}

  void Instruction(const rpgfmt::Instruction& inst, int line) {
    site_ = {inst.pc, line, inst.command};
    KeyParts parts;
    const auto defs = inst.command->Operands();
    for (std::size_t i = 0; i < defs.size(); ++i) Operand(defs[i].role, inst.operands[i], parts);
    Pair(ResType::kMap, parts.mapGroup, parts.mapNo);
    Pair(ResType::kScript, parts.scriptBank, parts.scriptNo);
    Pair(ResType::kMagicRecord, parts.magicClass, parts.magicId);
    Pair(ResType::kAnimation, parts.animGroup, parts.animNo);
    Pair(ResType::kItemRecord, parts.itemKind, parts.itemId);
    if (parts.backgroundCount == 3) Backgrounds(parts.backgrounds);
  }

 private:
  void Resource(ResType type, std::uint32_t id1, std::uint32_t id2, bool optional = false) {
    out_.resources.push_back({{static_cast<std::uint8_t>(type), static_cast<std::uint8_t>(id1),
                               static_cast<std::uint8_t>(id2)},
                              optional,
                              site_});
  }

  void Pair(ResType type, int id1, int id2) {
    if (id1 >= 0 && id2 >= 0)
      Resource(type, static_cast<std::uint32_t>(id1), static_cast<std::uint32_t>(id2));
  }

  // The battle draws its three backgrounds (11, 4, p); a p1 or p2 equal to
  // p0 is moved on by 30 or 110 so that the three differ.
  void Backgrounds(const int stored[3]) {
    const int p0 = stored[0];
    const int p2 = stored[1] == p0 ? (p0 + 110) & 0xFF : stored[1];
    const int p1 = stored[2] == p0 ? (p0 + 30) & 0xFF : stored[2];
    for (int p : {p0, p1, p2}) Resource(ResType::kPicture, 4, static_cast<std::uint32_t>(p), true);
  }

  void Flag(std::uint32_t flag, FlagAccess access) {
    out_.flags.push_back({static_cast<std::uint16_t>(flag), access, site_});
  }

  void Var(std::uint32_t var, VarAccess access) {
    out_.vars.push_back({static_cast<std::uint8_t>(var), access, site_});
  }

  void Operand(OperandRole role, const rpgfmt::Operand& op, KeyParts& parts) {
    const int v = static_cast<int>(op.value & 0xFFFF);
    switch (role) {
      case OperandRole::kMapGroup:
        parts.mapGroup = v & 0xFF;
        break;
      case OperandRole::kMapNo:
        parts.mapNo = v & 0xFF;
        break;
      case OperandRole::kScriptBank:
        parts.scriptBank = v & 0xFF;
        break;
      case OperandRole::kScriptNo:
        parts.scriptNo = v & 0xFF;
        break;
      case OperandRole::kMagicClass:
        parts.magicClass = v & 0xFF;
        break;
      case OperandRole::kMagicId:
        parts.magicId = v & 0xFF;
        break;
      case OperandRole::kAnimGroup:
        parts.animGroup = v & 0xFF;
        break;
      case OperandRole::kAnimNo:
        parts.animNo = v & 0xFF;
        break;
      case OperandRole::kItemKind:
        parts.itemKind = v & 0xFF;
        break;
      case OperandRole::kItemId:
        parts.itemId = v & 0xFF;
        break;
      case OperandRole::kMember:
        Resource(ResType::kActorRecord, 1, op.value);
        break;
      case OperandRole::kNpcActor:
        Resource(ResType::kActorRecord, 2, op.value);
        break;
      case OperandRole::kSmallNpcActor:
        Resource(ResType::kActorRecord, 4, op.value);
        break;
      case OperandRole::kEnemy:
        if (op.value != 0) Resource(ResType::kActorRecord, 3, op.value);
        break;
      // The game draws these pictures only when they exist.
      case OperandRole::kPortrait:
        if (op.value != 0) Resource(ResType::kPicture, 1, op.value, true);
        break;
      case OperandRole::kBackground:
        if (parts.backgroundCount < 3) parts.backgrounds[parts.backgroundCount++] = v & 0xFF;
        break;
      case OperandRole::kBand:
        Resource(ResType::kPicture, 5, op.value, true);
        break;
      case OperandRole::kEvent:
        if (op.value != 0) out_.events.push_back({static_cast<std::uint8_t>(op.value), site_});
        break;
      case OperandRole::kFlagTest:
        Flag(op.value, FlagAccess::kTest);
        break;
      case OperandRole::kFlagSet:
        Flag(op.value, FlagAccess::kSet);
        break;
      case OperandRole::kFlagClear:
        Flag(op.value, FlagAccess::kClear);
        break;
      case OperandRole::kVarTest:
        Var(op.value, VarAccess::kTest);
        break;
      case OperandRole::kVarWrite:
        Var(op.value, VarAccess::kWrite);
        break;
      case OperandRole::kVarUpdate:
        Var(op.value, VarAccess::kUpdate);
        break;
      case OperandRole::kVarRead:
        Var(op.value, VarAccess::kRead);
        break;
      case OperandRole::kGoods:
        Goods(op);
        break;
      case OperandRole::kPlain:
      case OperandRole::kNpcSlot:
      case OperandRole::kWho:
        break;
    }
  }

  void Goods(const rpgfmt::Operand& op) {
    for (std::size_t i = 0; i < rpgfmt::GoodsCount(op); ++i) {
      const rpgfmt::GoodsEntry g = rpgfmt::GoodsAt(op, i);
      Resource(ResType::kItemRecord, g.kind, g.id);
    }
  }

  ScriptRefs& out_;
  ScriptSite site_;
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
