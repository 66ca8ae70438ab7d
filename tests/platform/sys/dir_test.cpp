#include "platform/sys/dir.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

#include "platform/sys/file.h"
#include "tests/support/scoped.h"
#include "tests/support/scratch.h"

namespace plat {
namespace {

using testsupport::ScopedCwd;
using testsupport::ScratchDir;

struct Entry {
  std::string name;
  std::uint64_t size;
  bool folder;
  bool operator==(const Entry&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Entry& e) {
  return out << e.name << (e.folder ? "/" : "") << "(" << e.size << ")";
}

std::vector<Entry> Find(const std::string& pattern) {
  std::vector<Entry> found;
  WIN32_FIND_DATAA data;
  FindSearch* search = FindFirstFileA(pattern.c_str(), &data);
  if (!search) return found;
  do {
    found.push_back({data.cFileName, std::uint64_t(data.nFileSizeHigh) << 32 | data.nFileSizeLow,
                     (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
  } while (FindNextFileA(search, &data));
  EXPECT_EQ(errno, ENOENT) << "the search ends with 'no more files'";
  FindClose(search);
  return found;
}

std::vector<std::string> Names(const std::vector<Entry>& entries) {
  std::vector<std::string> names;
  for (const Entry& e : entries) names.push_back(e.name);
  return names;
}

class DirTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(root / "Save/notes.txt.d");
    Make("Save/b.txt", "bb");
    Make("Save/A.TXT", "a");
    Make("Save/c.txt", "");
    Make("Save/d.text", "dddd");
    Make("Save/e.txt.bak", "e");
    Make("Save/txt", "t");
    Make("Save/存档.txt", "12345");
  }
  void Make(const std::string& name, const std::string& content) {
    std::ofstream(root / name, std::ios::binary) << content;
  }

  ScratchDir root;
};

TEST_F(DirTest, ExtensionPatternMatchesOnlyThoseFilesInAFixedOrder) {
  ScopedCwd cwd(root.path());
  EXPECT_EQ(Find(R"(Save\*.txt)"), (std::vector<Entry>{
                                        {"A.TXT", 1, false},
                                        {"b.txt", 2, false},
                                        {"c.txt", 0, false},
                                        {"存档.txt", 5, false},
                                    }));
  EXPECT_EQ(Names(Find(R"(Save\?.TXT)")), (std::vector<std::string>{"A.TXT", "b.txt", "c.txt"}));
}

TEST_F(DirTest, StarListsEverythingWithTheDotEntriesFirst) {
  std::vector<std::string> all = {".", "..", "A.TXT", "b.txt", "c.txt", "d.text",
                                  "e.txt.bak", "notes.txt.d", "txt", "存档.txt"};
  EXPECT_EQ(Names(Find(root / "Save/*")), all);
  EXPECT_EQ(Names(Find(root / R"(Save\*.*)")), all) << "*.* matches names without a dot too";
  std::vector<Entry> entries = Find(root / "Save/*");
  EXPECT_TRUE(entries[0].folder);
  EXPECT_TRUE(entries[7].folder);
  EXPECT_FALSE(entries[8].folder);
}

TEST_F(DirTest, NoMatchGivesNoSearch) {
  WIN32_FIND_DATAA data;
  errno = 0;
  EXPECT_EQ(FindFirstFileA((root / "Save/*.sav").c_str(), &data), nullptr);
  EXPECT_EQ(errno, ENOENT);
  EXPECT_EQ(FindFirstFileA((root / "Missing/*").c_str(), &data), nullptr);
  EXPECT_EQ(FindFirstFileA((root / "Sa*/x").c_str(), &data), nullptr);
  EXPECT_EQ(FindFirstFileA((root / "Save/").c_str(), &data), nullptr);
  EXPECT_EQ(FindFirstFileA(nullptr, &data), nullptr);
  EXPECT_EQ(FindNextFileA(nullptr, &data), 0);
  EXPECT_EQ(FindClose(nullptr), 1);
}

TEST_F(DirTest, FileCallsTakeWindowsPaths) {
  ScopedCwd cwd((root / "Save/notes.txt.d"));
  std::FILE* f = OpenFile(R"(..\new.sav)", "wb");
  ASSERT_NE(f, nullptr);
  std::fputs("saved", f);
  std::fclose(f);
  EXPECT_EQ(GetFileAttributesA(R"(..\new.sav)"), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(GetFileAttributesA(R"(..\notes.txt.d)"), FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_EQ(GetFileAttributesA(R"(..\none)"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(OpenFile(R"(..\new.sav)", "xb"), nullptr) << "not a C mode";
  EXPECT_EQ(OpenFile(R"(..\none)", "rb"), nullptr);

  EXPECT_EQ(MoveFileA(R"(..\new.sav)", R"(..\b.txt)"), 0) << "an existing target stays";
  EXPECT_EQ(errno, EEXIST);
  EXPECT_EQ(MoveFileA(R"(..\new.sav)", R"(..\存档.sav)"), 1);
  EXPECT_EQ(GetFileAttributesA(R"(..\new.sav)"), INVALID_FILE_ATTRIBUTES);

  EXPECT_NE(DeleteFileA(R"(..\存档.sav)"), 0);
  EXPECT_EQ(DeleteFileA(R"(..\存档.sav)"), 0) << "already gone";
  EXPECT_EQ(DeleteFileA(R"(..\notes.txt.d)"), 0) << "folders are not files";
  EXPECT_NE(CreateDirectoryA(R"(..\Slot)"), 0);
  EXPECT_EQ(CreateDirectoryA(R"(..\Slot)"), 0);
  EXPECT_EQ(GetFileAttributesA(R"(..\Slot)"), FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace
}  // namespace plat
