#include "rpg/format/script_commands.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "rpg/format/script_decode.h"
#include "rpg/format/script_file.h"

namespace rpgfmt {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(ScriptCommandTable, HoldsSeventyThreeCommandsWithTheInvalidOpcodesLeftOut) {
  EXPECT_EQ(AllCommands().size(), 73u);
  std::set<std::string_view> names;
  for (const CommandInfo& c : AllCommands()) {
    EXPECT_TRUE(names.insert(c.mnemonic).second) << c.mnemonic;
    EXPECT_EQ(FindCommand(c.code), &c);
    EXPECT_EQ(FindCommand(c.mnemonic), &c);
  }
  for (int op : {4, 5, 8, 17, 18, 19, 25, 80, 255}) {
    EXPECT_EQ(FindCommand(static_cast<std::uint8_t>(op)), nullptr) << op;
  }
  EXPECT_EQ(FindCommand("say"), nullptr);
}

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

TEST(ScriptDecode, ReadsEachOperandKind) {
  // IfStat id b, attr b, value w, less, greater; then AddMoney d; then Say b, s; then Shop.
  const Bytes code = {58,   2,    0xAA, 11, 0, 0x34, 0x12, 9, 0,  0xFF, 0xFF, 41, 0x78, 0x56,
                      0x34, 0x12, 13,   0,  0, 'h',  'i',  0, 28, 3,    1,    4,  2,    0};
  Instruction inst;
  ASSERT_EQ(DecodeInstruction(code, 0, inst), DecodeError::kNone);
  EXPECT_EQ(inst.command->mnemonic, "IfStat");
  EXPECT_EQ(inst.size, 11);
  EXPECT_EQ(inst.operands[0].value, 2u);
  EXPECT_EQ(inst.operands[0].slotHigh, 0xAA);
  EXPECT_EQ(inst.operands[2].value, 0x1234u);
  EXPECT_EQ(inst.operands[4].value, 0xFFFFu);

  ASSERT_EQ(DecodeInstruction(code, inst.Next(), inst), DecodeError::kNone);
  EXPECT_EQ(inst.operands[0].value, 0x12345678u);
  ASSERT_EQ(DecodeInstruction(code, inst.Next(), inst), DecodeError::kNone);
  EXPECT_EQ(std::string(inst.operands[1].bytes.begin(), inst.operands[1].bytes.end()), "hi");
  EXPECT_EQ(inst.size, 6);
  ASSERT_EQ(DecodeInstruction(code, inst.Next(), inst), DecodeError::kNone);
  ASSERT_EQ(GoodsCount(inst.operands[0]), 2u);
  EXPECT_EQ(GoodsAt(inst.operands[0], 1).kind, 2);
  EXPECT_EQ(GoodsAt(inst.operands[0], 1).id, 4);
  EXPECT_EQ(inst.Next(), code.size());
  EXPECT_EQ(DecodeInstruction(code, inst.Next(), inst), DecodeError::kPastEnd);
}

TEST(ScriptDecode, FixedPayloadsSkipTheirBytes) {
  Bytes code(13, 0xEE);
  code[0] = 7;
  code.push_back(15);
  code.push_back(1);
  code.push_back(2);
  Instruction inst;
  ASSERT_EQ(DecodeInstruction(code, 0, inst), DecodeError::kNone);
  EXPECT_EQ(inst.size, 13);
  ASSERT_EQ(DecodeInstruction(code, 13, inst), DecodeError::kNone);
  EXPECT_EQ(inst.size, 3);
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

TEST(ScriptFile, WritesAndReadsBackTheLayout) {
  ScriptParts parts;
  parts.header[0] = 'G';
  parts.events = {0, 7};
  parts.body = {9};
  parts.tail = {0xAB};
  std::string error;
  const auto bytes = WriteScript(parts, error);
  ASSERT_TRUE(bytes);
  const Bytes expected = {'G', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,   0,
                          0,   0, 0, 0, 0, 0, 0, 8, 0, 2, 0, 0, 7, 0, 9, 0xAB};
  EXPECT_EQ(*bytes, expected);
  const auto view = ReadScript(*bytes);
  ASSERT_TRUE(view) << view.error().Text();
  EXPECT_EQ(view->eventCount, 2);
  EXPECT_EQ(view->BodyStart(), 7);
  EXPECT_EQ(view->EventAddress(2), 7);
  EXPECT_EQ(view->EventAddress(0), 0);
  EXPECT_EQ(view->EventAddress(3), 0);
  EXPECT_EQ(view->code.size(), 8u);
  EXPECT_EQ(view->tail.size(), 1u);
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

}  // namespace
}  // namespace rpgfmt
