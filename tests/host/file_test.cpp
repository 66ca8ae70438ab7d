#include "host/file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tests/support/host_env.h"

namespace {

using namespace testsupport;

TEST(OwnerNameTest, WritesExactlyNineBytes) {
  char buffer[16];
  std::memset(buffer, 0x7F, sizeof buffer);
  EXPECT_EQ(GetOwnerName(buffer), 0);
  EXPECT_EQ(std::string(buffer, 9), std::string("Pellacor", 9));
  EXPECT_EQ(buffer[9], 0x7F);
}

TEST(FileCallsTest, WindowsPathsReadWriteRenameAndDeleteThroughStreams) {
  HostEnv env;
  std::FILE* f = FileOpen("..\\Save\\..\\data.txt", "wb");
  EXPECT_EQ(f, nullptr);  // the folder does not exist
  f = FileOpen("..\\data.txt", "wb");
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(FilePuts("one\n", f), 0);
  EXPECT_EQ(FilePutc('t', f), 't');
  EXPECT_EQ(FilePutChar(0xE9, f), 0xE9);
  const char tail[] = "wo\n";
  EXPECT_EQ(FileWrite(tail, 1, 3, f), 3u);
  EXPECT_EQ(FileClose(f), 0);

  f = FileOpen("..\\data.txt", "rb");
  ASSERT_NE(f, nullptr);
  char line[16];
  EXPECT_EQ(FileGets(line, sizeof line, f), line);
  EXPECT_STREQ(line, "one\n");
  EXPECT_EQ(FileGetc(f), 't');
  EXPECT_EQ(FileGetChar(f), 0xE9);
  EXPECT_EQ(FileTell(f), 6);
  char rest[8] = {};
  EXPECT_EQ(FileRead(rest, 1, 8, f), 3u);
  EXPECT_NE(FileEof(f), 0);
  EXPECT_EQ(FileGetc(f), -1);
  FileRewind(f);
  EXPECT_EQ(FileEof(f), 0);
  EXPECT_EQ(FileSeek(f, -2, 2), 0);
  EXPECT_EQ(FileGetc(f), 'o');
  EXPECT_NE(FileSeek(f, -100, 0), 0);
  EXPECT_EQ(FileClose(f), 0);

  // Rename never replaces; delete reports missing files.
  for (const char* name : {"..\\a.sav", "..\\b.sav"}) {
    f = FileOpen(name, "wb");
    ASSERT_NE(f, nullptr);
    FileClose(f);
  }
  EXPECT_EQ(FileRename("..\\a.sav", "..\\b.sav"), -1);
  EXPECT_NE(FileDelete("..\\b.sav"), 0);
  EXPECT_EQ(FileRename("..\\a.sav", "..\\b.sav"), 0);
  EXPECT_EQ(FileDelete("..\\a.sav"), 0);
  EXPECT_NE(FileDelete("..\\b.sav"), 0);
}

TEST(FileCallsTest, ReplaceSwapsInTheNewBytesAndLeavesTheTargetOnFailure) {
  HostEnv env;
  auto write = [](const char* name, const char* text) {
    std::FILE* f = FileOpen(name, "wb");
    ASSERT_NE(f, nullptr);
    FilePuts(text, f);
    FileClose(f);
  };
  auto read = [](const char* name) {
    std::FILE* f = FileOpen(name, "rb");
    if (!f) return std::string("<none>");
    char line[16] = {};
    FileGets(line, sizeof line, f);
    FileClose(f);
    return std::string(line);
  };
  write("..\\slot.sav", "old");
  write("..\\slot.sav.new", "new");
  EXPECT_EQ(FileReplace("..\\slot.sav.new", "..\\slot.sav"), 0);
  EXPECT_EQ(read("..\\slot.sav"), "new");
  EXPECT_EQ(read("..\\slot.sav.new"), "<none>");

  EXPECT_EQ(FileReplace("..\\slot.sav.new", "..\\slot.sav"), -1) << "no source";
  EXPECT_EQ(FileReplace("..\\slot.sav", "..\\Missing\\slot.sav"), -1) << "no folder";
  EXPECT_EQ(read("..\\slot.sav"), "new");
  write("..\\first.sav.new", "first");
  EXPECT_EQ(FileReplace("..\\first.sav.new", "..\\first.sav"), 0) << "no target yet";
  EXPECT_EQ(read("..\\first.sav"), "first");
  EXPECT_EQ(FileReplace(nullptr, "..\\first.sav"), -1);
}

TEST(FileCallsTest, NullStreamsFailInsteadOfCrashing) {
  char buffer[4];
  EXPECT_EQ(FileClose(nullptr), -1);
  EXPECT_EQ(FileRead(buffer, 1, 4, nullptr), 0u);
  EXPECT_EQ(FileGetc(nullptr), -1);
  EXPECT_EQ(FileGets(buffer, 4, nullptr), nullptr);
  EXPECT_EQ(FilePuts("x", nullptr), -1);
  EXPECT_EQ(FileTell(nullptr), -1);
  EXPECT_EQ(FileOpen("..\\x", "q"), nullptr);
}

}  // namespace
