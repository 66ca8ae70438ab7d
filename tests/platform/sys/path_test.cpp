#include "platform/sys/path.h"

#include <gtest/gtest.h>

#include "platform/sys/wildcard.h"

namespace plat {
namespace {

TEST(PathTest, WindowsPathsBecomePosixPaths) {
  EXPECT_EQ(ToPosixPath(R"(..\Save\slot1.sav)"), "../Save/slot1.sav");
  EXPECT_EQ(ToPosixPath("already/posix"), "already/posix");
  EXPECT_EQ(ToPosixPath("存档\\记录"), "存档/记录") << "GB2312 bytes pass unchanged";
  EXPECT_EQ(ToPosixPath(""), "");
}

TEST(PathTest, TheSaveFolderCanLiveElsewhere) {
  SetSaveFolder("/home/me/.local/share/tovsim/Save");
  const std::pair<const char*, const char*> cases[] = {
      {R"(..\Save\slot1.sav)", "/home/me/.local/share/tovsim/Save/slot1.sav"},
      {R"(..\SAVE\a\b)", "/home/me/.local/share/tovsim/Save/a/b"},
      {"../save", "/home/me/.local/share/tovsim/Save"},
      {R"(..\Saves\x)", "../Saves/x"},  // another folder
      {R"(..\dat.lib)", "../dat.lib"},
      {R"(Save\x)", "Save/x"},           // not the run tree's
  };
  for (auto [path, expected] : cases) EXPECT_EQ(ToPosixPath(path), expected) << path;
  SetSaveFolder("");
  EXPECT_EQ(ToPosixPath(R"(..\Save\slot1.sav)"), "../Save/slot1.sav");
}

TEST(PathTest, ProgramPathsLoseTheirExeSuffix) {
  EXPECT_EQ(ToPosixProgramPath(R"(..\Lcd\Lcd.exe)"), "../Lcd/Lcd");
  EXPECT_EQ(ToPosixProgramPath(R"(..\Snd\Snd.EXE)"), "../Snd/Snd");
  EXPECT_EQ(ToPosixProgramPath(R"(bin\tool)"), "bin/tool");
  EXPECT_EQ(ToPosixProgramPath(R"(dir.exe\tool)"), "dir.exe/tool");
  EXPECT_EQ(ToPosixProgramPath(R"(dir\.exe)"), "dir/.exe") << "a bare .exe is a name";
  EXPECT_EQ(StripExeSuffix("game.exe.exe"), "game.exe");
}

TEST(PathTest, LastComponentSplitsOff) {
  EXPECT_EQ(SplitLastComponent("../Save/*.sav").folder, "../Save");
  EXPECT_EQ(SplitLastComponent("../Save/*.sav").name, "*.sav");
  EXPECT_EQ(SplitLastComponent("*.sav").folder, ".");
  EXPECT_EQ(SplitLastComponent("/x").folder, "/");
  EXPECT_EQ(SplitLastComponent("dir/").name, "");
}

TEST(WildcardTest, MatchesLikeTheFileSearch) {
  struct Case {
    const char* pattern;
    const char* name;
    bool match;
  };
  const Case cases[] = {
      {"*", ".", true},          {"*", "..", true},           {"*.*", ".", true},
      {"*.*", "..", true},       {"*.*", "noext", true},       {"*.txt", ".", false},
      {"*.txt", "..", false},    {"*.txt", "a.txt", true},     {"*.txt", "A.TxT", true},
      {"*.txt", "a.txt.bak", false}, {"*.txt", ".txt", true},  {"*.TXT", "a.text", false},
      {"?", "a", true},          {"?", "", false},             {"?", "ab", false},
      {"a?c", "abc", true},      {"a*b*c", "aXbYbZc", true},   {"a*b*c", "aXbYcZ", false},
      {"**x", "x", true},        {"", "", true},               {"", "a", false},
      {"save?.*", "save1.sav", true}, {"存档*", "存档1", true}, {"*", "", true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MatchFilePattern(c.pattern, c.name), c.match) << c.pattern << " vs " << c.name;
  }
}

}  // namespace
}  // namespace plat
