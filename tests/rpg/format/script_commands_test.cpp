#include "rpg/format/operand_refs.h"
#include "rpg/format/script_commands.h"
#include "rpg/format/script_encode.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "rpg/format/script_decode.h"
#include "rpg/format/script_file.h"

namespace rpgfmt {
namespace {

using Bytes = std::vector<std::uint8_t>;

void Handle() {}
using Handler = void (*)();

// A dispatch table indexed by opcode with a handler for every command.
constexpr std::array<Handler, kLastOpcode + 1> FullTable() {
  std::array<Handler, kLastOpcode + 1> table{};
  for (const CommandInfo& c : kCommands) table[c.code] = &Handle;
  return table;
}

TEST(ScriptCommandTable, HandlerCompletenessIsProvedAtCompileTime) {
  constexpr auto full = FullTable();
  static_assert(AllHaveHandlers(full));
  static_assert(FindCommand(std::uint8_t{13})->mnemonic == "Say");

  constexpr auto missingSay = [] {
    auto t = FullTable();
    t[static_cast<std::size_t>(Op::kSay)] = nullptr;
    return t;
  }();
  static_assert(!AllHaveHandlers(missingSay));
  EXPECT_EQ(FirstUnhandledOpcode(missingSay), 13);

  // A table too short for the last opcode misses ThrowHandHeld.
  constexpr std::array<Handler, kLastOpcode> shortTable = [] {
    std::array<Handler, kLastOpcode> t{};
    for (auto& h : t) h = &Handle;
    return t;
  }();
  EXPECT_EQ(FirstUnhandledOpcode(shortTable), kLastOpcode);
  EXPECT_FALSE(AllHaveHandlers(shortTable));
}

// Every command cut short anywhere must be an error, never a read past the cut.
TEST(ScriptDecode, EveryTruncationIsAnError) {
  for (const CommandInfo& c : AllCommands()) {
    Bytes full = {c.code};
    for (const OperandDef& op : c.Operands()) {
      if (auto size = FixedOperandSize(op)) {
        full.insert(full.end(), *size, 1);
      } else if (op.kind == OperandKind::kRows) {
        full.insert(full.end(), 20, 'a');
        full.push_back(0);
      } else if (op.kind == OperandKind::kGoods) {
        full.insert(full.end(), {1, 1, 0});
      } else {
        full.insert(full.end(), {'a', 0});
      }
    }
    Instruction inst;
    ASSERT_EQ(DecodeInstruction(full, 0, inst), DecodeError::kNone) << c.mnemonic;
    EXPECT_EQ(inst.size, full.size()) << c.mnemonic;
    for (std::size_t cut = 1; cut < full.size(); ++cut) {
      const Bytes part(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(cut));
      const DecodeError e = DecodeInstruction(part, 0, inst);
      EXPECT_TRUE(e == DecodeError::kTruncated || e == DecodeError::kUnterminatedString)
          << c.mnemonic << " cut at " << cut;
    }
  }
}

TEST(ScriptDecode, RejectsInvalidOpcodesLongShopListsAndRaggedCrawlText) {
  Instruction inst;
  EXPECT_EQ(DecodeInstruction(Bytes{25, 0}, 0, inst), DecodeError::kInvalidOpcode);
  EXPECT_EQ(DecodeInstruction(Bytes{80}, 0, inst), DecodeError::kInvalidOpcode);

  Bytes shop = {28};
  for (int i = 0; i < 30; ++i) shop.insert(shop.end(), {1, 2});
  shop.push_back(0);
  EXPECT_EQ(DecodeInstruction(shop, 0, inst), DecodeError::kNone);
  shop.insert(shop.end() - 1, {1, 2});
  EXPECT_EQ(DecodeInstruction(shop, 0, inst), DecodeError::kTooManyGoods);

  Bytes crawl = {61, 1, 0, 2, 0};
  crawl.insert(crawl.end(), 21, 'x');
  crawl.push_back(0);
  EXPECT_EQ(DecodeInstruction(crawl, 0, inst), DecodeError::kRowsNotWhole);
}

TEST(ScriptFile, RejectsLayoutsThatDoNotFit) {
  EXPECT_EQ(ReadScript(Bytes(26, 0)).error().offset, 0u);
  Bytes script(24, 0);
  script.insert(script.end(), {4, 0, 1, 0, 0});  // length 4 ends inside a 1-event table
  EXPECT_EQ(ReadScript(script).error().Text(), "byte 24: code length 4 ends inside the table of 1 events");
  script[24] = 6;  // length 6 runs past the 5 bytes there
  EXPECT_EQ(ReadScript(script).error().offset, 24u);
  script[24] = 5;
  EXPECT_TRUE(ReadScript(script));
  std::string error;

  ScriptParts parts;
  parts.events.assign(256, 0);
  EXPECT_FALSE(WriteScript(parts, error));
  parts.events.clear();
  parts.body.assign(0xFFFF, 9);
  EXPECT_FALSE(WriteScript(parts, error));
}

// A valid instruction of `c` with a value for every operand kind: the
// storage outlives the instruction's spans.
struct Sample {
  Instruction inst;
  std::vector<Bytes> storage;
};

Sample MakeSample(const CommandInfo& c) {
  Sample s;
  s.inst.command = &c;
  s.storage.reserve(c.operandCount);
  for (std::size_t i = 0; i < c.operandCount; ++i) {
    const OperandDef& def = c.operands[i];
    Operand& op = s.inst.operands[i];
    op.kind = def.kind;
    const auto n = static_cast<std::uint8_t>(i + 1);
    switch (def.kind) {
      case OperandKind::kByte:
        op.value = 200u + n;
        op.slotHigh = n;  // kept, though the game ignores it
        break;
      case OperandKind::kWord:
      case OperandKind::kAddress:
        op.value = 0xF000u + n;
        break;
      case OperandKind::kDword:
        op.value = 0x89ABCDE0u + n;
        break;
      case OperandKind::kString:
        s.storage.push_back({'t', n, 0xB0, 0xA1});
        break;
      case OperandKind::kRows:
        s.storage.push_back(Bytes(2 * kCrawlRowBytes, 'r'));
        break;
      case OperandKind::kGoods:
        s.storage.push_back({3, 9, 255, 1});  // (id 3, kind 9), (id 255, kind 1)
        break;
      case OperandKind::kPayload:
        s.storage.push_back(Bytes(*FixedOperandSize(def), n));
        break;
    }
    if (!FixedOperandSize(def) || def.kind == OperandKind::kPayload) op.bytes = s.storage.back();
  }
  return s;
}

TEST(ScriptEncode, RefusesWhatTheDecoderWouldNotReadBackAndAppendsNothing) {
  const Bytes zeroText = {'a', 0, 'b'};
  const Bytes raggedRows(21, 'x');
  const Bytes oddGoods = {3, 9, 4};
  const Bytes idZero = {3, 9, 0, 1};
  const Bytes tooMany(2 * (kMaxGoods + 1), 1);
  const Bytes shortPayload(11, 0);
  struct Case {
    Op op;
    std::size_t operand;
    std::uint32_t value;
    const Bytes* bytes;
    EncodeError error;
    std::size_t at = 0;
  };
  const Case cases[] = {
      {Op::kSetVar, 1, 256, nullptr, EncodeError::kValueTooLarge},
      {Op::kSetVar, 1, 255, nullptr, EncodeError::kNone},
      {Op::kSetFlag, 0, 0x10000, nullptr, EncodeError::kValueTooLarge},
      {Op::kGoto, 0, 0x10000, nullptr, EncodeError::kValueTooLarge},
      {Op::kSay, 1, 0, &zeroText, EncodeError::kZeroInText, 1},
      {Op::kCrawl, 2, 0, &raggedRows, EncodeError::kRowsNotWhole},
      {Op::kShop, 0, 0, &oddGoods, EncodeError::kGoodsNotPairs},
      {Op::kShop, 0, 0, &idZero, EncodeError::kGoodsIdZero, 2},
      {Op::kShop, 0, 0, &tooMany, EncodeError::kTooManyGoods},
      {Op::kSkip12, 0, 0, &shortPayload, EncodeError::kPayloadSize},
  };
  for (const Case& k : cases) {
    Sample s = MakeSample(*FindCommand(static_cast<std::uint8_t>(k.op)));
    Operand& op = s.inst.operands[k.operand];
    op.value = k.value;
    if (k.bytes != nullptr) op.bytes = *k.bytes;
    Bytes out = {7};
    const EncodeResult r = EncodeInstruction(s.inst, out);
    EXPECT_EQ(r.error, k.error) << s.inst.command->mnemonic;
    if (k.error == EncodeError::kNone) continue;  // the largest value that fits
    EXPECT_EQ(r.operand, k.operand) << s.inst.command->mnemonic;
    EXPECT_EQ(r.at, k.at) << s.inst.command->mnemonic;
    EXPECT_EQ(out, Bytes{7});
    EXPECT_NE(std::string(EncodeErrorText(r.error)), "unknown error");
  }
  Bytes out;
  EXPECT_EQ(EncodeInstruction(Instruction{}, out).error, EncodeError::kNoCommand);
  EXPECT_TRUE(out.empty());
}

// An instruction of `op` with the given operand values, in operand order.
Instruction Make(Op op, std::initializer_list<std::uint32_t> values) {
  Instruction inst;
  inst.command = FindCommand(static_cast<std::uint8_t>(op));
  std::size_t i = 0;
  for (std::uint32_t v : values) {
    inst.operands[i].kind = inst.command->operands[i].kind;
    inst.operands[i++].value = v;
  }
  return inst;
}

TEST(OperandRefs, EveryRoleOfTheCommandTableHasItsEntry) {
  for (const CommandInfo& c : AllCommands()) {
    for (const OperandDef& def : c.Operands()) {
      const OperandRef& ref = RefOf(def.role);
      EXPECT_EQ(ref.role, def.role);
      // Addresses are the one thing an Address operand names, and only it.
      EXPECT_EQ(ref.kind == RefKind::kCodeAddress, def.kind == OperandKind::kAddress)
          << c.mnemonic << " " << def.name;
    }
  }
}

// What datlib's reference listing (tests/tools/datlib) does not reach: a
// Word's low byte as the id, map characters and the hero, event 0, the
// battle's code addresses and its third background past 255.
TEST(OperandRefs, IdsCharactersEventsAndBattleAddresses) {
  const InstructionRefs raise = ReferencesOf(Make(Op::kRaiseLevel, {0x0103, 5}));
  ASSERT_EQ(raise.count, 1u);
  EXPECT_EQ(raise.items[0].kind, RefKind::kResource);
  EXPECT_EQ(raise.items[0].key, (ResKey{3, 1, 3}));
  struct Case {
    Instruction inst;
    RefKind kind;
    std::uint32_t value;
  };
  const Case cases[] = {
      {Make(Op::kDropNpc, {41}), RefKind::kMapCharacter, 41},
      {Make(Op::kTurn, {0, 1, 1}), RefKind::kHeroOrMapCharacter, 0},
      {Make(Op::kCountdown, {3, 10}), RefKind::kEvent, 3},
  };
  for (const Case& c : cases) {
    const InstructionRefs refs = ReferencesOf(c.inst);
    ASSERT_GE(refs.count, 1u) << c.inst.command->mnemonic;
    EXPECT_EQ(refs.items[0].kind, c.kind) << c.inst.command->mnemonic;
    EXPECT_EQ(refs.items[0].value, c.value) << c.inst.command->mnemonic;
  }
  EXPECT_EQ(ReferencesOf(Make(Op::kCountdown, {0, 10})).count, 0u);  // event 0: none
  const InstructionRefs battle =
      ReferencesOf(Make(Op::kBattle, {9, 8, 0, 0, 4, 4, 5, 1, 0, 0, 2, 0, 0, 0x30, 0x40}));
  std::vector<std::uint32_t> addresses;
  for (const Reference& r : battle.All()) {
    if (r.kind == RefKind::kCodeAddress) addresses.push_back(r.value);
  }
  EXPECT_EQ(addresses, (std::vector<std::uint32_t>{0x30, 0x40}));
  static_assert(BattleBackgrounds({4, 4, 4}) == std::array<std::uint8_t, 3>{4, 34, 114});
  static_assert(BattleBackgrounds({200, 1, 200}) == std::array<std::uint8_t, 3>{200, 1, 54});
}

TEST(OperandRefs, AFullShopListNamesEveryItem) {
  std::vector<std::uint8_t> goods;
  for (int i = 1; i <= static_cast<int>(kMaxGoods); ++i) {
    goods.push_back(static_cast<std::uint8_t>(i));  // id
    goods.push_back(9);                             // kind
  }
  Instruction shop = Make(Op::kShop, {});
  shop.operands[0].kind = OperandKind::kGoods;
  shop.operands[0].bytes = goods;
  const InstructionRefs refs = ReferencesOf(shop);
  ASSERT_EQ(refs.count, kMaxGoods);
  EXPECT_EQ(refs.items[29].key, (ResKey{6, 9, 30}));
}

}  // namespace
}  // namespace rpgfmt
