#include "rpg/format/script_commands.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace rpgfmt
