// Reading replay scripts: steps, times and frames, and every line refused
// with its number.

#include "host/replay/replay_script.h"

#include <gtest/gtest.h>

#include <optional>
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
      "900 post 258 65 1\n"
      "900 frame-update 3 strip.png");
  ASSERT_EQ(steps.size(), 6u);
  EXPECT_EQ(steps[0].line, 3);
  EXPECT_EQ(steps[0].frame, "first.png");
  EXPECT_TRUE(steps[0].input.empty());
  EXPECT_EQ(std::tuple(steps[0].updates, steps[5].updates, steps[5].frame), std::tuple(0, 3, "strip.png"));

  // The messages of each command are drive's (its tests check them); the
  // text to type is the rest of the line, nine characters, blank included.
  EXPECT_EQ(std::tuple(steps[1].line, steps[1].atMs, steps[1].input.size()), std::tuple(4, 250, 1u));
  EXPECT_EQ(steps[2].input.size(), 9u);
  EXPECT_EQ(steps[2].input[3].wParam, uint32_t(' '));
  EXPECT_EQ(steps[3].input.size(), 4u);
  EXPECT_EQ(std::tuple(steps[4].atMs, steps[4].input[0].message), std::tuple(900, 258u));
}

TEST(ReplayScriptTest, EveryBadLineIsRefusedWithItsNumber) {
  const std::pair<std::string, std::string> cases[] = {
      {"0 frame a.png\n100 key\n", "s.replay:2:5: error: "},
      {"500 key Enter\n  400 key Enter\n", "s.replay:2:3: error: time 400 comes before"},
      {"0 frame a.png\n10 frame  b c\n", "s.replay:2:11: error: frame takes"},
      {"soon key Enter\n", "not a time"}, {"-1 key Enter\n", "not a time"},
      {"86400001 key Enter\n", "not a time"}, {"10\n", "without a command"},
      {"10 press Enter\n", "unknown command 'press'"}, {"10 type\n", "type takes a text"},
      {"10 click 1 2 3\n", "click"}, {"10 frame a.png\n20 frame a.png\n", "named twice"},
      // Frames stay in the frames folder, one file each.
      {"10 frame a.bmp\n", "plain file name"}, {"10 frame ../up.png\n", "plain file name"},
      {"10 frame sub/a.png\n", "plain file name"}, {"10 frame .png\n", "plain file name"},
      {"10 frame .hidden.png\n", "plain file name"}, {"10 frame a b.png\n", "plain file name"},
      {"10 frame-update a.png\n", "frame-update takes"}, {"10 frame-update 0 a.png\n", "1 to"},
      {"10 frame-update 2 ../a.png\n", "plain file name"},
      {"10 frame a.png\n20 frame-update 1 a.png\n", "named twice"}};
  for (const auto& [text, error] : cases) EXPECT_NE(ErrorOf(text).find(error), std::string::npos) << text;
}

TEST(ReplayScriptTest, FilesAreReadWithinTheirLimit) {
  const testsupport::ScratchDir dir;
  const std::string path = dir / "script.replay";
  std::vector<Step> steps;
  // The diagnostics of loading `text` (none: the file is missing).
  auto load = [&](const std::optional<std::string>& text) {
    if (text) testsupport::WriteFile(path, *text);
    codec::Diagnostics diag;
    const bool loaded = LoadScript(text ? path : "/nonexistent/script.replay", &steps, &diag);
    EXPECT_EQ(loaded, diag.Text().empty());
    return diag.Text();
  };
  EXPECT_EQ(load(std::nullopt), "/nonexistent/script.replay: error: cannot open the file\n");
  EXPECT_NE(load("0 frame a.png\n" + std::string(kMaxScriptBytes, '#')).find("larger than"), std::string::npos);
  EXPECT_EQ(load("0 frame a.png\n5 jump\n").rfind(path + ":2:3: error: unknown command 'jump'", 0), 0u);
  EXPECT_EQ(load("0 frame a.png\n5 key Escape\n"), "");
  EXPECT_EQ(steps.size(), 2u);
}

}  // namespace
}  // namespace replay
