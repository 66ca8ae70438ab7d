#include "tools/datlib/script_refs.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/tools/datlib/script_test_util.h"

namespace datlib {
namespace {

using rpgfmt::ResKey;

AssembledScript Build(std::string_view src) {
  Diagnostics diag;
  auto script = testing::Assemble(src, diag);
  EXPECT_TRUE(script) << diag.Text();
  return script ? *script : AssembledScript{};
}

std::vector<ResKey> Keys(const ScriptRefs& refs) {
  std::vector<ResKey> keys;
  for (const ScriptResourceRef& r : refs.resources) keys.push_back(r.key);
  return keys;
}

TEST(ScriptRefs, NamesTheResourcesCommandsUse) {
  const AssembledScript s = Build(
      "GoMap 2, 3, 0, 0\n"            // map
      "AddMember 1, 0, 0\n"           // party character
      "PlaceNpc 1, 5, 0, 0\n"         // map character
      "PlaceSmallNpc 2, 6, 0, 0\n"    // small map character
      "Say 0, \"x\"\nSay 4, \"y\"\n"  // no portrait, then portrait 4
      "Animate 1, 9, 0, 0, 0\n"       // animation
      "Learn 1, 2, 7\n"               // member and magic
      "Shop 1:3, 2:4\n"               // goods stored (id, kind)
      "Battle 0, 8, 0, 0, 4, 4, 5, 0, 0, 0, 0, 0, 0, 0, 0\n"
      "Call 1, 2\n"
      "Crawl 5, 6, \"\"\n");
  const ScriptRefs refs = ExtractScriptRefs(s.bytes, s.lines);
  EXPECT_TRUE(refs.problems.empty());
  const std::vector<ResKey> expected = {
      {2, 2, 3},  {3, 1, 1},    {3, 2, 5}, {3, 4, 6},  {11, 1, 4}, {5, 1, 9},
      {3, 1, 1},  {4, 2, 7},    {6, 1, 3}, {6, 2, 4},  {3, 3, 8},  {11, 4, 4},
      {11, 4, 5}, {11, 4, 114}, {1, 1, 2}, {11, 5, 5}, {11, 5, 6}};
  EXPECT_EQ(Keys(refs), expected);
  EXPECT_EQ(refs.resources[5].site.line, 7);
  EXPECT_FALSE(refs.resources[0].optional);
  EXPECT_TRUE(refs.resources[4].optional);  // a missing portrait is not drawn
  EXPECT_TRUE(refs.resources.back().optional);
}

TEST(ScriptRefs, RecordsFlagVariableAndEventUses) {
  const AssembledScript s = Build(
      ".event 2, h\n"
      "h: SetFlag 10\nIfFlag 10, h\nClearFlag 11\n"
      "SetVar 1, 2\nAddVar 1, 1\nIfVar 1, 3, h, h\nCopyVar 1, 4\nMenu 5, \"a b\"\n"
      "Countdown 2, 10\nBattle 0, 1, 0, 0, 0, 0, 0, 1, 0, 0, 2, 0, 0, h, h\n");
  const ScriptRefs refs = ExtractScriptRefs(s.bytes, s.lines);
  EXPECT_EQ(refs.eventCount, 2);
  EXPECT_EQ(refs.handledEvents, std::vector<std::uint8_t>{2});
  ASSERT_EQ(refs.flags.size(), 3u);
  EXPECT_EQ(refs.flags[0].access, rpgfmt::RefAccess::kSet);
  EXPECT_EQ(refs.flags[1].access, rpgfmt::RefAccess::kTest);
  EXPECT_EQ(refs.flags[2].number, 11);
  EXPECT_EQ(refs.flags[2].site.line, 4);
  ASSERT_EQ(refs.vars.size(), 6u);
  EXPECT_EQ(refs.vars[1].access, rpgfmt::RefAccess::kUpdate);
  EXPECT_EQ(refs.vars[3].access, rpgfmt::RefAccess::kRead);
  EXPECT_EQ(refs.vars[4].number, 4);
  EXPECT_EQ(refs.vars[5].number, 5);
  EXPECT_EQ(refs.vars[5].access, rpgfmt::RefAccess::kWrite);
  ASSERT_EQ(refs.events.size(), 2u);
  EXPECT_EQ(refs.events[0].event, 2);
  EXPECT_EQ(refs.events[1].site.line, 11);
}

TEST(ScriptRefs, WorksFromBytesAloneAndReportsUndecodableOnes) {
  const AssembledScript s = Build("SetFlag 7\n.byte 80\nGiveItem 1, 2\n");
  const ScriptRefs refs = ExtractScriptRefs(s.bytes);
  ASSERT_EQ(refs.flags.size(), 1u);
  EXPECT_EQ(refs.flags[0].site.line, 0);
  EXPECT_EQ(refs.flags[0].site.offset, 3);
  EXPECT_EQ(Keys(refs), (std::vector<ResKey>{{6, 1, 2}}));
  ASSERT_EQ(refs.problems.size(), 1u);
  EXPECT_NE(refs.problems[0].find("code offset 6"), std::string::npos);

  EXPECT_EQ(ExtractScriptRefs(testing::Bytes(10, 0)).problems.size(), 1u);
}

}  // namespace
}  // namespace datlib
