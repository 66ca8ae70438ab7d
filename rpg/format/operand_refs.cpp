#include "rpg/format/operand_refs.h"

#include <optional>

namespace rpgfmt {
namespace {

constexpr bool TableInRoleOrder() {
  for (std::size_t i = 0; i < kOperandRefs.size(); ++i) {
    if (static_cast<std::size_t>(kOperandRefs[i].role) != i) return false;
  }
  return true;
}
static_assert(TableInRoleOrder(), "kOperandRefs must list every role once, in order");

// A command's references fit InstructionRefs: a goods list counts its most.
constexpr bool ReferencesFit() {
  for (const CommandInfo& c : kCommands) {
    std::size_t most = 0;
    for (const OperandDef& def : c.Operands()) {
      const RefKind kind = RefOf(def.role).kind;
      most += kind == RefKind::kGoods ? kMaxGoods : kind == RefKind::kNone ? 0 : 1;
    }
    if (most > kMaxReferences) return false;
  }
  return true;
}
static_assert(ReferencesFit());

class Collector {
 public:
  explicit Collector(InstructionRefs& out) : out_(out) {}

  void Operand(std::uint8_t index, const OperandRef& ref, const rpgfmt::Operand& op) {
    index_ = index;
    switch (ref.kind) {
      case RefKind::kNone:
        return;
      case RefKind::kResource:
        Resource(ref, op.value);
        return;
      case RefKind::kGoods:
        for (std::size_t i = 0; i < GoodsCount(op); ++i) {
          const GoodsEntry g = GoodsAt(op, i);
          Add({RefKind::kResource, RefAccess::kNone, false, index_, Key(ref.type, g.kind, g.id)});
        }
        return;
      case RefKind::kEvent:
        if (op.value != 0) Value(ref, op.value & 0xFF);
        return;
      case RefKind::kVariable:
        Value(ref, op.value & 0xFF);
        return;
      default:
        Value(ref, op.value);
        return;
    }
  }

  // Backgrounds name pictures only as a set of three, after the battle's rule.
  void Finish() {
    if (!backgrounds_[0] || !backgrounds_[1] || !backgrounds_[2]) return;
    const auto ids =
        BattleBackgrounds({backgrounds_[0]->id, backgrounds_[1]->id, backgrounds_[2]->id});
    for (std::size_t i = 0; i < ids.size(); ++i) {
      const Background& b = *backgrounds_[i];
      Add({RefKind::kResource, RefAccess::kNone, b.ref->optional, b.operand,
           Key(b.ref->type, b.ref->id1, ids[i])});
    }
  }

 private:
  static ResKey Key(ResType type, std::uint32_t id1, std::uint32_t id2) {
    return {static_cast<std::uint8_t>(type), static_cast<std::uint8_t>(id1),
            static_cast<std::uint8_t>(id2)};
  }

  void Add(const Reference& r) {
    if (out_.count < out_.items.size()) out_.items[out_.count++] = r;
  }

  void Value(const OperandRef& ref, std::uint32_t value) {
    Add({ref.kind, ref.access, ref.optional, index_, {}, value});
  }

  void Resource(const OperandRef& ref, std::uint32_t value) {
    if (ref.zeroIsNone && value == 0) return;
    const auto id = static_cast<std::uint8_t>(value);
    if (ref.part == KeyPart::kBackground) {
      backgrounds_[ref.param] = Background{&ref, index_, id};
      return;
    }
    if (ref.part == KeyPart::kId2) {
      Add({RefKind::kResource, RefAccess::kNone, ref.optional, index_, Key(ref.type, ref.id1, id)});
      return;
    }
    Pair& pair = pairs_[static_cast<std::size_t>(ref.type)];
    (ref.part == KeyPart::kPairId1 ? pair.id1 : pair.id2) = id;
    if (pair.id1 && pair.id2) {
      Add({RefKind::kResource, RefAccess::kNone, ref.optional, index_,
           Key(ref.type, *pair.id1, *pair.id2)});
    }
  }

  struct Pair {
    std::optional<std::uint8_t> id1, id2;
  };
  struct Background {
    const OperandRef* ref;
    std::uint8_t operand;
    std::uint8_t id;
  };

  InstructionRefs& out_;
  std::uint8_t index_ = 0;
  std::array<Pair, kResTypeCount + 1> pairs_{};  // by type
  std::array<std::optional<Background>, 3> backgrounds_{};
};

}  // namespace

InstructionRefs ReferencesOf(const Instruction& inst) {
  InstructionRefs out;
  if (inst.command == nullptr) return out;
  Collector collect(out);
  const auto defs = inst.command->Operands();
  for (std::size_t i = 0; i < defs.size(); ++i) {
    collect.Operand(static_cast<std::uint8_t>(i), RefOf(defs[i].role), inst.operands[i]);
  }
  collect.Finish();
  return out;
}

}  // namespace rpgfmt
