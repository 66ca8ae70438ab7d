#include "tools/datlib/script_disasm.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <vector>

#include "codec/bytes.h"
#include "rpg/format/script_commands.h"
#include "tests/tools/datlib/script_test_util.h"

namespace datlib {
namespace {

using testing::Bytes;
using testing::U8;

std::string Disassemble(const Bytes& resource) {
  Diagnostics diag;
  auto text = DisassembleScript(resource, {"in.lib", 0, 0}, diag);
  EXPECT_TRUE(text) << diag.Text();
  return text ? *text : std::string();
}

// Disassembles, reassembles and expects the same bytes; returns the source.
std::string RoundTrip(const Bytes& resource) {
  const std::string text = Disassemble(resource);
  Diagnostics diag;
  const auto again = testing::Assemble(text, diag);
  EXPECT_TRUE(again) << diag.Text() << text;
  if (again) {
    EXPECT_EQ(again->bytes, resource) << text;
  }
  return text;
}

Bytes Script(const std::vector<std::uint16_t>& events, const Bytes& body, const Bytes& tail = {}) {
  Bytes out(24, 0);
  codec::AppendLe<std::uint16_t>(out, 3 + 2 * events.size() + body.size());
  out.push_back(static_cast<std::uint8_t>(events.size()));
  for (std::uint16_t e : events) codec::AppendLe(out, e);
  out.insert(out.end(), body.begin(), body.end());
  out.insert(out.end(), tail.begin(), tail.end());
  return out;
}

TEST(ScriptDisasm, WritesCommandsLabelsAndTexts) {
  Diagnostics diag;
  const auto script = testing::Assemble(
      U8(u8".event 1, greet\ngreet: Say 2, \"你好\"\nloop: IfFlag 3, loop\n"
           u8"Shop 1:2\nSkip2 0, 0\nSkip12 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0\nEnd\n"),
      diag);
  ASSERT_TRUE(script) << diag.Text();
  const std::string text = RoundTrip(script->bytes);
  EXPECT_NE(text.find(U8(u8"event1:\n    Say 2, \"你好\"\n")), std::string::npos) << text;
  EXPECT_NE(text.find("L000D:\n    IfFlag 3, L000D\n"), std::string::npos) << text;
  EXPECT_NE(text.find(".event 1, event1\n"), std::string::npos) << text;
  EXPECT_NE(text.find("Shop 1:2\n    Skip2\n    Skip12 1, 0,"), std::string::npos) << text;
}

TEST(ScriptDisasm, KeepsWhatIsNoCommandAsData) {
  // Opcode 25 is invalid; Music's first slot has a high byte; a Say cut off by the end.
  const std::string text = RoundTrip(Script({}, {25, 0, 3, 1, 0, 0, 13, 0, 0, 'a'}));
  EXPECT_NE(text.find(".byte 0x19  ; invalid opcode"), std::string::npos) << text;
  EXPECT_NE(text.find(".byte 0x00, 0x03, 0x01, 0x00, 0x00  ; Music with a byte operand"),
            std::string::npos)
      << text;
  EXPECT_EQ(text.find("Say"), text.find("Say: text or list")) << text;
}

// Bytes whose disassembly needs care, each with the lines it must hold.
TEST(ScriptDisasm, WritesLabelsTextsAndRowsThatReassemble) {
  struct Case {
    Bytes resource;
    std::vector<std::string> lines;
  };
  Bytes crawl = {61, 1, 0, 2, 0};
  for (char c : std::string("first row of twenty.second row of twenty"))
    crawl.push_back(static_cast<std::uint8_t>(c));
  crawl.push_back(0);
  const Case cases[] = {
      // Goto 7 lands on the second byte of the SetVar at code offset 6.
      {Script({}, {10, 7, 0, 12, 1, 0, 2, 0, 9}),
       {"Goto L0007", ".byte 0x0C\nL0007:\n    .byte 0x01, 0x00", "    End\n"}},
      // Event 1 points into the event table, event 2 past the end, event 3 at the end.
      {Script({1, 0x9000, 14, 0}, {10, 2, 0}, {0xAA}),
       {".events 4\n.event 1, 0x0001\n.event 2, 0x9000\n.event 3, event3\n",
        "Goto 0x0002\nevent3:\n\n.tail"}},
      {Script({}, {47, 'q', '"', '\\', 0x01, 0xB0, 0xA1, 0xFF, 0xA1, 0}),
       {U8(u8"Alert \"q\\\"\\\\\\x01啊\\xFF\\xA1\"")}},
      {Script({}, crawl),
       {"    Crawl 1, 2, \"first row of twenty.\"\n        \"second row of twenty\"\n"}},
  };
  for (const Case& c : cases) {
    const std::string text = RoundTrip(c.resource);
    for (const std::string& line : c.lines) EXPECT_NE(text.find(line), std::string::npos) << text;
  }
}

TEST(ScriptDisasm, KeepsTheHeader) {
  Bytes resource = Script({}, {9});
  resource[0] = 'G';
  resource[5] = 7;
  const std::string text = RoundTrip(resource);
  EXPECT_NE(text.find(".header 0x47, 0x00, 0x00, 0x00, 0x00, 0x07\n"), std::string::npos) << text;
}

TEST(ScriptDisasm, RejectsAResourceThatCannotBeAScript) {
  Diagnostics diag;
  EXPECT_FALSE(DisassembleScript(Bytes(20, 0), {"in.lib", 0, 0}, diag));
  ASSERT_TRUE(diag.HasErrors());
  EXPECT_EQ(diag.Items()[0].pos.file, "in.lib");
}

// Arbitrary bytes: a seeded mix of valid commands with random operands and
// random bytes, with event entries pointing anywhere.
Bytes RandomScript(std::mt19937& rng) {
  auto byte = [&rng] { return static_cast<std::uint8_t>(rng() & 0xFF); };
  const auto commands = rpgfmt::AllCommands();
  Bytes body;
  const std::size_t pieces = rng() % 40;
  for (std::size_t i = 0; i < pieces; ++i) {
    if (rng() % 3 == 0) {
      body.push_back(byte());
      continue;
    }
    const rpgfmt::CommandInfo& c = commands[rng() % commands.size()];
    body.push_back(c.code);
    const std::size_t operandBytes = rng() % 24;
    for (std::size_t j = 0; j < operandBytes; ++j) {
      // Mostly small values, so byte slots often have a zero high byte.
      body.push_back(rng() % 2 ? static_cast<std::uint8_t>(rng() % 12) : byte());
    }
  }
  const std::size_t eventCount = rng() % 5;
  const std::size_t length = 3 + 2 * eventCount + body.size();
  // Now and then a header byte that is not 0 (value drawn first, then place).
  std::optional<std::pair<std::uint8_t, std::size_t>> headerByte;
  if (rng() % 4 == 0) {
    const std::uint8_t value = byte();
    headerByte = {value, rng() % 24};
  }
  std::vector<std::uint16_t> events;
  for (std::size_t e = 0; e < eventCount; ++e) {
    events.push_back(rng() % 4 ? static_cast<std::uint16_t>(rng() % (length + 2))
                               : static_cast<std::uint16_t>(rng()));
  }
  Bytes tail(rng() % 4 == 0 ? rng() % 10 : 0);
  for (std::uint8_t& b : tail) b = byte();
  Bytes out = Script(events, body, tail);
  if (headerByte) out[headerByte->second] = headerByte->first;
  return out;
}

TEST(ScriptDisasm, ArbitraryBytesReassembleIdentically) {
  std::mt19937 rng(20261206);
  for (int i = 0; i < 400; ++i) {
    SCOPED_TRACE(i);
    RoundTrip(RandomScript(rng));
    if (HasFailure()) break;
  }
}

}  // namespace
}  // namespace datlib
