#include "tools/datlib/script_asm.h"

#include <gtest/gtest.h>

#include <utility>

#include "tests/support/scratch.h"
#include "tests/tools/datlib/script_test_util.h"

namespace datlib {
namespace {

using testing::Body;
using testing::Bytes;
using testing::Gb;
using testing::U8;

Bytes Cat(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

// Byte operands fill two-byte slots, commands without operands are one
// byte, words are little-endian and money amounts four bytes; texts are
// stored in line as GB2312, lists and payloads in their stored order.
TEST(ScriptAsm, OperandsTakeTheirStoredWidths) {
  const std::string row(20, '-');
  const std::pair<std::string, Bytes> cases[] = {
      {"Music 3, 0", {0, 3, 0, 0, 0}},
      {"GoMap 1, 2, 30, 255", {1, 1, 0, 2, 0, 30, 0, 255, 0}},
      {"AddMember 4, 5, 6\nDropNpc 7\nWalkNpc 1, 2, 3",
       {2, 4, 0, 5, 0, 6, 0, 3, 7, 0, 6, 1, 0, 2, 0, 3, 0}},
      {"PlaceNpc 40, 9, 1, 2\nPlaceSmallNpc 1, 8, 3, 4\nTurn 0, 2, 1",
       {38, 40, 0, 9, 0, 1, 0, 2, 0, 32, 1, 0, 8, 0, 3, 0, 4, 0, 53, 0, 0, 2, 0, 1, 0}},
      {"Animate 1, 2, 3, 4, 5", {30, 1, 0, 2, 0, 3, 0, 4, 0, 5, 0}},
      {"Evasion 1\nThrowHandHeld 0\nCopyVar 200, 3", {78, 1, 0, 79, 0, 0, 76, 200, 0, 3, 0}},
      {"SwitchScript 1, 2\nCall 255, 3\nSetView 5, 6",
       {14, 1, 0, 2, 0, 66, 255, 0, 3, 0, 16, 5, 0, 6, 0}},
      {"Lead 2\nLeave 2\nLearn 1, 2, 3", {24, 2, 0, 40, 2, 0, 44, 1, 0, 2, 0, 3, 0}},
      {"Face 0, 3\nDropNpc2 4\nNpcMode 5, 1\nShowNpc 6",
       {29, 0, 0, 3, 0, 33, 4, 0, 46, 5, 0, 1, 0, 51, 6, 0}},
      {"End\nGameOver\nEncounterOn\nEncounterOff\nSell\nClearNpcs\nShowMapName\n"
       "Refresh\nReturn\nNoSave\nAllowSave\nSaveGame\nCoordsOn\nCoordsOff",
       {9, 20, 36, 37, 45, 52, 55, 56, 68, 70, 71, 72, 74, 75}},
      {"SetFlag 2399\nClearFlag 0x102", {26, 0x5F, 0x09, 27, 0x02, 0x01}},
      {"Heal 1, 100\nRaiseLevel 2, 300\nCountdown 3, 1000",
       {49, 1, 0, 100, 0, 50, 2, 0, 0x2C, 1, 73, 3, 0, 0xE8, 3}},
      {"SetVar 200, 7\nAddVar 1, 2\nSubVar 3, 4", {12, 200, 0, 7, 0, 22, 1, 0, 2, 0, 23, 3, 0, 4, 0}},
      {"SetStat 1, 16, 500\nAddStat 2, 10, 1000", {59, 1, 0, 16, 0, 0xF4, 1, 60, 2, 0, 10, 0, 0xE8, 3}},
      {"AddMoney 100000\nSubMoney 500\nSetMoney 0xFFFFFFFF",
       {41, 0xA0, 0x86, 0x01, 0, 42, 0xF4, 1, 0, 0, 43, 0xFF, 0xFF, 0xFF, 0xFF}},
      // IfPoor amount d, addr: the body starts at code offset 3.
      {"top: IfPoor 70000, top", {65, 0x70, 0x11, 1, 0, 3, 0}},
      {U8(u8"Say 1, \"你好\""), Cat({{13, 1, 0}, Gb("你好"), {0}})},
      {"Alert \"a\" \"\\\"b\\\\\"\nNotice 50, \"\\x01\"", {47, 'a', '"', 'b', '\\', 0, 69, 50, 0, 1, 0}},
      {U8(u8"MapName \"村口\"\nMenu 9, \"买 卖  走\""),
       Cat({{54}, Gb("村口"), {0, 64, 9, 0}, Gb("买 卖  走"), {0}})},
      {"here: Choose2 \"Yes\", \"No\", here", {31, 'Y', 'e', 's', 0, 'N', 'o', 0, 3, 0}},
      {"Crawl 1, 2, \"" + row + "\" \"" + row + "\"", Cat({{61, 1, 0, 2, 0}, Bytes(40, '-'), {0}})},
      // A line holding only a string goes on with the text above it.
      {"Crawl 1, 2, \"" + row + "\"\n; comment\n\n   \"" + row + "\"\nEnd",
       Cat({{61, 1, 0, 2, 0}, Bytes(40, '-'), {0, 9}})},
      // Battle: roundLimit, 3 enemies, p0, p2, p1, 3 rounds, 3 events, lose, win: 15 slots.
      {"lose: Battle 20, 1, 2, 0, 10, 12, 11, 1, 3, 5, 1, 2, 0, lose, won\nwon: End",
       {39, 20, 0, 1, 0, 2, 0, 0, 0, 10, 0, 12, 0, 11, 0, 1,
        0, 3, 0, 5, 0, 1, 0, 2, 0, 0, 0, 3, 0, 34, 0, 9}},
      {"Encounters 1, 2, 3, 0, 0, 0, 0, 300, 7, 9, 8",
       {35, 1, 0, 2, 0, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x2C, 1, 7, 0, 9, 0, 8, 0}},
      {"Shop 1:3, 2:7", {28, 3, 1, 7, 2, 0}},
      {"Shop", {28, 0}},
      {"Skip12\nSkip2", Cat({{7}, Bytes(12, 0), {15, 0, 0}})},
      {"Skip12 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12\nSkip2 255, 1",
       {7, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 15, 255, 1}},
  };
  for (const auto& [source, bytes] : cases) EXPECT_EQ(Body(source), bytes) << source;
}

TEST(ScriptAsm, JumpsTakeLabelsAsCodeAddresses) {
  // Two events move the body to code offset 7.
  const Bytes body = Body(
      ".event 2, there\n"
      "here: Goto there\n"
      "there: IfFlag 5, here\n"
      "IfVarEq 1, 2, here\n"
      "Chance 1000, 0x20\n"
      "IfVar 1, 2, here, there\n"
      "TakeAll 1, 2, here\nTakeOne 3, 4, here\nTake 5, 6, 7, here\n"
      "IfCount 1, 2, 3, here, there\n"
      "IfStat 1, 23, 999, here, there");
  const Bytes expected = {
      10, 10, 0,  11, 5,  0, 7, 0, 21, 1, 0, 2,  0, 7,  0, 63, 0xE8, 3, 0x20, 0, 67, 1, 0,  2, 0,
      7,  0,  10, 0,  48, 1, 0, 2, 0,  7, 0, 57, 3, 0,  4, 0,  7,    0, 62,   5, 0,  6, 0,  7, 0,
      7,  0,  77, 1,  0,  2, 0, 3, 0,  7, 0, 10, 0, 58, 1, 0,  23,   0, 0xE7, 3, 7,  0, 10, 0};
  EXPECT_EQ(body, expected);
}

TEST(ScriptAsm, EventTableAndHeader) {
  Diagnostics diag;
  const auto script = testing::Assemble(
      ".header \"Ab\", 1\n.events 3\n.event 1, start\n.event 3, 0x40\nstart: End\n", diag);
  ASSERT_TRUE(script) << diag.Text();
  Bytes expected(24, 0);
  expected[0] = 'A';
  expected[1] = 'b';
  expected[2] = 1;
  expected.insert(expected.end(), {10, 0, 3, 9, 0, 0, 0, 0x40, 0, 9});
  EXPECT_EQ(script->bytes, expected);
  ASSERT_EQ(script->lines.size(), 1u);
  EXPECT_EQ(script->lines[0].offset, 9);
  EXPECT_EQ(script->lines[0].line, 5);
}

TEST(ScriptAsm, ConstantsDataAndTail) {
  Diagnostics diag;
  const auto script = testing::Assemble(
      "; a comment\r\n.equ HERB, 3\n.equ ALSO, HERB\nGiveItem 1, ALSO ; trailing\n.byte 0x50, "
      "\"x\"\n"
      "end:\n.tail\n.byte 1, 2\n",
      diag);
  ASSERT_TRUE(script) << diag.Text();
  const Bytes code(script->bytes.begin() + 24, script->bytes.end());
  EXPECT_EQ(code, (Bytes{10, 0, 0, 34, 1, 0, 3, 0, 0x50, 'x', 1, 2}));
  ASSERT_EQ(script->lines.size(), 2u);
  EXPECT_TRUE(script->lines[0].instruction);
  EXPECT_FALSE(script->lines[1].instruction);
  EXPECT_EQ(script->lines[1].line, 5);
}

// Constants shared between scripts come from a file named relative to the
// script; it may hold nothing but constants, and its mistakes name its lines.
TEST(ScriptAsm, IncludesSharedConstants) {
  const testsupport::ScratchDir dir;
  dir.Write("names.inc", "; shared\r\n.equ F_DONE, 7\n\n.equ V_COUNT, 201 ; map\n");
  dir.Write("code.inc", ".equ A, 1\nEnd\n");
  const std::string file = dir / "s.gsa";
  Diagnostics diag;
  const auto script = AssembleScript(
      ".include \"names.inc\"\nSetFlag F_DONE\nAddVar V_COUNT, 1\n", file, diag);
  ASSERT_TRUE(script) << diag.Text();
  EXPECT_EQ(Bytes(script->bytes.begin() + 27, script->bytes.end()),
            (Bytes{26, 7, 0, 22, 201, 0, 1, 0}));

  struct Case {
    std::string source;
    std::string file;
    int line, col;
    const char* message;
  } cases[] = {
      {".include \"none.inc\"", file, 1, 10, "cannot include"},
      {".include 3", file, 1, 1, "one file name in quotes"},
      {".include \"code.inc\"", dir / "code.inc", 2, 1, "only .equ constants"},
      {".equ A, 2\n.include \"code.inc\"", dir / "code.inc", 1, 6, "already defined"},
  };
  for (const Case& c : cases) {
    Diagnostics d;
    EXPECT_FALSE(AssembleScript(c.source, file, d)) << c.source;
    ASSERT_TRUE(d.HasErrors()) << c.source;
    const Diagnostic& first = d.Items().front();
    EXPECT_EQ(first.pos.file, c.file) << c.source;
    EXPECT_EQ(first.pos.line, c.line) << c.source << d.Text();
    EXPECT_EQ(first.pos.col, c.col) << c.source << d.Text();
    EXPECT_NE(first.message.find(c.message), std::string::npos) << d.Text();
  }
}

TEST(ScriptAsm, OutOfRangeRolesWarnButAssemble) {
  Diagnostics diag;
  const auto script =
      testing::Assemble("DropNpc 0\nSetFlag 2400\nHeal 1, 0\nMapName \"abcdefghijk\"", diag);
  ASSERT_TRUE(script) << diag.Text();
  EXPECT_EQ(diag.Items().size(), 4u) << diag.Text();
  EXPECT_FALSE(diag.HasErrors());
}

// Each kind of error is reported at its line and column.
struct ErrorCase {
  const char* source;
  int line;
  int col;
  const char* message;
};

class ScriptAsmErrors : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(ScriptAsmErrors, ReportsLineAndColumn) {
  const ErrorCase& c = GetParam();
  Diagnostics diag;
  EXPECT_FALSE(testing::Assemble(c.source, diag));
  ASSERT_TRUE(diag.HasErrors());
  const Diagnostic& first = diag.Items().front();
  EXPECT_EQ(first.pos.file, "t.gsa");
  EXPECT_EQ(first.pos.line, c.line) << diag.Text();
  EXPECT_EQ(first.pos.col, c.col) << diag.Text();
  EXPECT_NE(first.message.find(c.message), std::string::npos) << diag.Text();
}

const ErrorCase kErrorCases[] = {
    {"End\n  Sya 1", 2, 3, "unknown command 'Sya'"},
    {"say 1, \"x\"", 1, 1, "did you mean 'Say'"},
    {"Music 1", 1, 1, "takes 2 operands (track, loops), not 1"},
    {"Music 1, 2, 3", 1, 1, "not 3"},
    {"Music 256, 0", 1, 7, "outside 0 ... 255"},
    {"SetFlag 65536", 1, 9, "outside 0 ... 65535"},
    {"Music -1, 0", 1, 7, "negative"},
    {"AddMoney 4294967296", 1, 10, "too large"},
    {"Music 1x, 0", 1, 7, "bad number"},
    {"Goto nowhere", 1, 6, "undefined name 'nowhere'"},
    {"a: End\n a: End", 2, 2, "already defined at line 1"},
    {"x: Music x, 0", 1, 10, "is a label"},
    {"Say 1, 2", 1, 8, "is a string"},
    {"Say \"a\", \"b\"", 1, 5, "is a number"},
    {"Music 1 2", 1, 9, "expected ','"},
    {"Music 1,", 1, 8, "missing operand"},
    {".event 256, x", 1, 8, "1 ... 255"},
    {".event 0, x", 1, 8, "1 ... 255"},
    {".events 256", 1, 9, "at most 255 events"},
    {".event 3, x\n.events 2\nx: End", 2, 1, "below the highest event"},
    {".event 1, x\n.event 1, x\nx: End", 2, 8, "already has a handler"},
    {".bogus 1", 1, 1, "unknown directive"},
    {".header \"0123456789012345678901234\"", 1, 1, "24 bytes"},
    {".tail\nEnd", 2, 1, "cannot follow .tail"},
    {"Say 0, \"ab\xE2\x82\xAC\"", 1, 11, "cannot be stored in GB2312"},
    {"Say 0, \"a\\x00b\"", 1, 8, "zero byte"},
    {"Say 0, \"a\\q\"", 1, 10, "bad escape"},
    {"Say 0, \"abc", 1, 8, "closing quote"},
    {"Crawl 1, 2, \"short\"", 1, 13, "whole rows of 20 bytes"},
    {"Shop 1:0", 1, 8, "goods id 0"},
    {"Shop 1", 1, 6, "kind:id"},
    {"Skip2 1", 1, 1, "payload bytes"},
    {"Music 1, 0 @", 1, 12, "unexpected character '@'"},
    {"Music 1, 0\n  \"more\"", 2, 3, "must follow a statement that ends with a string"},
    {"Say 0, \"a\"\nx:\n\"more\"", 3, 1, "must follow a statement"},
};

INSTANTIATE_TEST_SUITE_P(Kinds, ScriptAsmErrors, ::testing::ValuesIn(kErrorCases));

TEST(ScriptAsm, ReportsTooManyGoodsAndAScriptTooLargeForABlock) {
  std::string shop = "Shop 1:1";
  for (int i = 0; i < 30; ++i) shop += ", 1:1";
  Diagnostics diag;
  EXPECT_FALSE(testing::Assemble(shop, diag));
  EXPECT_NE(diag.Text().find("at most 30 goods"), std::string::npos);

  std::string big;
  for (int i = 0; i < 2000; ++i) big += "AddMoney 1\nEnd\n";  // 12000 bytes
  big += "Alert \"" + std::string(5000, 'a') + "\"\n";
  Diagnostics diag2;
  EXPECT_FALSE(testing::Assemble(big, diag2));
  ASSERT_TRUE(diag2.HasErrors());
  EXPECT_EQ(diag2.Items().front().pos.line, 4001);
  EXPECT_NE(diag2.Items().front().message.find("16381"), std::string::npos);
}

}  // namespace
}  // namespace datlib
