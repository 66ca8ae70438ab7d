// Reading replay scripts: steps, times and frames, and every line refused
// with its number.

#include "host/replay/replay_script.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "tests/support/scratch.h"

namespace replay {
namespace {

std::vector<Step> Parse(const std::string& text) {
  std::vector<Step> steps;
  codec::Diagnostics diag;
  EXPECT_TRUE(ParseScript(text, "s.replay", &steps, &diag)) << diag.Text();
  return steps;
}

std::string ErrorOf(const std::string& text) {
  std::vector<Step> steps{Step{}};
  codec::Diagnostics diag;
  EXPECT_FALSE(ParseScript(text, "s.replay", &steps, &diag)) << text;
  EXPECT_EQ(steps.size(), 1u) << "a refused script leaves the steps alone";
  EXPECT_EQ(diag.ErrorCount(), 1u);
  return diag.Text();
}

TEST(ReplayScriptTest, StepsInOrderWithTheirMessages) {
  const std::vector<Step> steps = Parse(
      "# a comment\r\n"
      "\n"
      "0 frame first.png\r\n"
      "  250\tkey   Enter  \n"
      "250 type  two words\n"
      "900 dblclick 21 1\n"
      "900 post 258 65 1");
  ASSERT_EQ(steps.size(), 5u);
  EXPECT_EQ(steps[0].line, 3);
  EXPECT_EQ(steps[0].frame, "first.png");
  EXPECT_TRUE(steps[0].input.empty());

  // The messages of each command are drive's (its tests check them); the
  // text to type is the rest of the line, nine characters, blank included.
  EXPECT_EQ(std::tuple(steps[1].line, steps[1].atMs, steps[1].input.size()), std::tuple(4, 250, 1u));
  EXPECT_EQ(steps[2].input.size(), 9u);
  EXPECT_EQ(steps[2].input[3].wParam, uint32_t(' '));
  EXPECT_EQ(steps[3].input.size(), 4u);
  EXPECT_EQ(std::tuple(steps[4].atMs, steps[4].input[0].message), std::tuple(900, 258u));
}

TEST(ReplayScriptTest, EveryBadLineIsRefusedWithItsNumber) {
  EXPECT_EQ(ErrorOf("0 frame a.png\n100 key\n").rfind("s.replay:2:5: error: ", 0), 0u);
  EXPECT_EQ(ErrorOf("500 key Enter\n  400 key Enter\n").rfind("s.replay:2:3: error: time 400 comes before", 0), 0u);
  EXPECT_NE(ErrorOf("0 frame a.png\n10 frame  b c\n").find("s.replay:2:11: error: frame takes"), std::string::npos);
  EXPECT_NE(ErrorOf("soon key Enter\n").find("not a time"), std::string::npos);
  EXPECT_NE(ErrorOf("-1 key Enter\n").find("not a time"), std::string::npos);
  EXPECT_NE(ErrorOf("86400001 key Enter\n").find("not a time"), std::string::npos);
  EXPECT_NE(ErrorOf("10\n").find("without a command"), std::string::npos);
  EXPECT_NE(ErrorOf("10 press Enter\n").find("unknown command 'press'"), std::string::npos);
  EXPECT_NE(ErrorOf("10 type\n").find("type takes a text"), std::string::npos);
  EXPECT_NE(ErrorOf("10 click 1 2 3\n").find("click"), std::string::npos);
  // Frames stay in the frames folder, one file each.
  for (const char* name : {"a.bmp", "../up.png", "sub/a.png", ".png", ".hidden.png", "a b.png"}) {
    EXPECT_NE(ErrorOf(std::string("10 frame ") + name + "\n").find("plain file name"),
              std::string::npos)
        << name;
  }
  EXPECT_NE(ErrorOf("10 frame a.png\n20 frame a.png\n").find("named twice"), std::string::npos);
}

TEST(ReplayScriptTest, FilesAreReadWithinTheirLimit) {
  std::vector<Step> steps;
  codec::Diagnostics diag;
  EXPECT_FALSE(LoadScript("/nonexistent/script.replay", &steps, &diag));
  EXPECT_EQ(diag.Text(), "/nonexistent/script.replay: error: cannot open the file\n");

  const testsupport::ScratchDir dir;
  const std::string path = dir / "script.replay";
  testsupport::WriteFile(path, "0 frame a.png\n" + std::string(kMaxScriptBytes, '#'));
  diag = {};
  EXPECT_FALSE(LoadScript(path, &steps, &diag));
  EXPECT_NE(diag.Text().find("larger than"), std::string::npos);
  testsupport::WriteFile(path, "0 frame a.png\n5 jump\n");
  diag = {};
  EXPECT_FALSE(LoadScript(path, &steps, &diag));
  EXPECT_EQ(diag.Text().rfind(path + ":2:3: error: unknown command 'jump'", 0), 0u) << diag.Text();
  testsupport::WriteFile(path, "0 frame a.png\n5 key Escape\n");
  diag = {};
  ASSERT_TRUE(LoadScript(path, &steps, &diag)) << diag.Text();
  EXPECT_EQ(steps.size(), 2u);
}

}  // namespace
}  // namespace replay
