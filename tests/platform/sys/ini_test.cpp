#include "platform/sys/ini.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

#include "tests/support/scoped.h"
#include "tests/support/scratch.h"

namespace plat {
namespace {

using testsupport::ScopedCwd;
using testsupport::ScratchDir;

// Sim.ini at the root of a run tree, read from bin/ as the host does.
class IniTest : public ::testing::Test {
 protected:
  void SetUp() override { std::filesystem::create_directories(tree / "bin"); }

  void Write(const std::string& text) { std::ofstream(tree / "Sim.ini", std::ios::binary) << text; }

  int Read(const char* section, const char* key, int fallback) {
    ScopedCwd cwd(tree / "bin");
    return int(GetPrivateProfileIntA(section, key, fallback, R"(..\Sim.ini)"));
  }

  ScratchDir tree;
};

TEST_F(IniTest, MissingFileSectionOrKeyGivesTheDefault) {
  EXPECT_EQ(Read("LCD", "width", 320), 320);
  Write("[LCD]\nwidth=160\nheight=\n[MEM]\nmemstack=1000\n");
  EXPECT_EQ(Read("SND", "width", 320), 320);
  EXPECT_EQ(Read("LCD", "bitperpixel", 32), 32);
  EXPECT_EQ(Read("LCD", "height", 240), 240) << "an empty value counts as missing";
  EXPECT_EQ(Read("LCD", "memstack", -7), -7) << "keys belong to their own section";
  EXPECT_EQ(Read("LCD", "width", 320), 160);
  EXPECT_EQ(Read("MEM", "memstack", 67108864), 1000);
}

TEST_F(IniTest, NumbersAreReadLikeThePlatform) {
  const struct {
    const char* line;
    const char* key;
    int expected;  // with 9 as the default
  } cases[] = {
      {"plain=96", "plain", 96},          {"spaced =   128  ", "spaced", 128},
      {"plus=+12", "plus", 12},           {"minus=-40", "minus", -40},
      {"hex=0x4000000", "hex", 0x4000000}, {"HEXUP=0XfF", "hexup", 255},
      {"trailing=55zz", "trailing", 55},  {"word=abc", "word", 0},
      {"sign=-", "sign", 0},              {"decimal=2.5", "decimal", 2},
      {"quoted=\"77\"", "quoted", 77},
      {"huge=4294967297", "huge", 1},  // the 32-bit result wraps
  };
  std::string text = "[N]\n";
  for (const auto& c : cases) text += std::string(c.line) + "\n";
  Write(text);
  for (const auto& c : cases) EXPECT_EQ(Read("N", c.key, 9), c.expected) << c.line;
}

TEST_F(IniTest, NamesIgnoreCaseAndLayoutDoesNotMatter) {
  Write("\xEF\xBB\xBF; settings\r\n"
        "# another comment\r\n"
        "  [lcd]  \r\n"
        "\r\n"
        "    WIDTH = 200 ; inline remark\r\n"
        "Height=100\r\n"
        "height=50\r\n"
        "[Other]\r\n"
        + std::string(300, 'x') + "\r\n"
        "  key=5\r\n");
  EXPECT_EQ(Read("LCD", "width", 0), 200);
  EXPECT_EQ(Read("Lcd", "HEIGHT", 0), 100) << "the first of two equal keys wins";
  EXPECT_EQ(Read("other", "key", 0), 5) << "an indented line is its own key";
}

TEST_F(IniTest, RawTextIsAvailable) {
  Write("[A]\nname = 'two words' \n");
  ScopedCwd cwd(tree / "bin");
  EXPECT_EQ(ReadProfileString("a", "NAME", R"(..\Sim.ini)"), "two words");
  EXPECT_EQ(ReadProfileString("a", "other", R"(..\Sim.ini)"), std::nullopt);
  EXPECT_EQ(ReadProfileString(nullptr, "name", R"(..\Sim.ini)"), std::nullopt);
}

}  // namespace
}  // namespace plat
