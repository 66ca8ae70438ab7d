#include "platform/sys/shm.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

#include "codec/hex.h"
#include "platform/sys/instance.h"
#include "tests/support/scoped.h"
#include "tests/support/child_process.h"
#include "tests/support/scratch.h"

namespace plat {
namespace {

using codec::HexEncode;
using testsupport::RunToEnd;
using testsupport::ScopedEnv;
using testsupport::ScratchDir;

// The screen block's name as the host spells it: eight GB2312 bytes.
const std::string kScreenBlock = "共享内存";

class ShmTest : public ::testing::Test {
 protected:
  ScratchDir runtime;
  ScopedEnv runtimeEnv{"XDG_RUNTIME_DIR", runtime.path()};
  ScopedEnv instanceEnv{"TOVSIM_INSTANCE", std::string("shm-a")};
};

TEST_F(ShmTest, BlockMadeHereIsOpenedByNameInAnotherProcess) {
  ASSERT_EQ(kScreenBlock.size(), 8u);
  constexpr std::size_t kSize = 320 * 240 * 4;
  bool existed = true;
  FileMapping* mapping = CreateFileMappingA(kScreenBlock.c_str(), kSize, &existed);
  ASSERT_NE(mapping, nullptr) << std::strerror(errno);
  EXPECT_FALSE(existed);
  auto* view = static_cast<unsigned char*>(MapViewOfFile(mapping));
  ASSERT_NE(view, nullptr);
  ASSERT_EQ(ViewSize(view), kSize);
  for (std::size_t i = 0; i < kSize; ++i) view[i] = static_cast<unsigned char>(i % 251);

  EXPECT_EQ(RunToEnd({SYS_PEER, "shm-check", HexEncode(kScreenBlock), std::to_string(kSize)}).exitCode, 0);
  EXPECT_EQ(view[0], 0xEE) << "the peer's write is visible here";

  EXPECT_EQ(UnmapViewOfFile(view), 1);
  EXPECT_EQ(CloseFileMapping(mapping), 1);
  EXPECT_EQ(RunToEnd({SYS_PEER, "shm-open", HexEncode(kScreenBlock)}).exitCode, 1) << "gone after the last close";
}

TEST_F(ShmTest, InstancesDoNotSeeEachOthersBlocks) {
  FileMapping* first = CreateFileMappingA(kScreenBlock.c_str(), 64);
  ASSERT_NE(first, nullptr);
  {
    ScratchDir otherRuntime;
    ScopedEnv otherDir{"XDG_RUNTIME_DIR", otherRuntime.path()};
    EXPECT_EQ(OpenFileMappingA(kScreenBlock.c_str()), nullptr);
    EXPECT_EQ(RunToEnd({SYS_PEER, "shm-open", HexEncode(kScreenBlock)}).exitCode, 1);
  }
  {
    ScopedEnv otherInstance{"TOVSIM_INSTANCE", std::string("shm-b")};
    EXPECT_EQ(OpenFileMappingA(kScreenBlock.c_str()), nullptr);
    bool existed = true;
    FileMapping* second = CreateFileMappingA(kScreenBlock.c_str(), 32, &existed);
    ASSERT_NE(second, nullptr);
    EXPECT_FALSE(existed);
    EXPECT_EQ(MappingSize(second), 32u);
    CloseFileMapping(second);
  }
  EXPECT_EQ(RunToEnd({SYS_PEER, "shm-open", HexEncode(kScreenBlock)}).exitCode, 0);
  CloseFileMapping(first);
}

TEST_F(ShmTest, CreatingAnExistingNameSharesItAndNeverShrinksIt) {
  FileMapping* small = CreateFileMappingA("block", 100);
  ASSERT_NE(small, nullptr);
  bool existed = false;
  FileMapping* large = CreateFileMappingA("block", 5000, &existed);
  ASSERT_NE(large, nullptr);
  EXPECT_TRUE(existed);
  EXPECT_EQ(MappingSize(large), 5000u);
  FileMapping* smaller = CreateFileMappingA("block", 10, &existed);
  ASSERT_NE(smaller, nullptr);
  EXPECT_TRUE(existed);
  EXPECT_EQ(MappingSize(smaller), 5000u);

  auto* a = static_cast<unsigned char*>(MapViewOfFile(smaller));
  auto* b = static_cast<unsigned char*>(MapViewOfFile(large));
  ASSERT_TRUE(a && b);
  EXPECT_EQ(ViewSize(a), 5000u) << "a view covers the real size, not the size asked for";
  a[4999] = 7;
  EXPECT_EQ(b[4999], 7);
  UnmapViewOfFile(a);
  UnmapViewOfFile(b);
  CloseFileMapping(small);
  CloseFileMapping(large);
  CloseFileMapping(smaller);
}

TEST_F(ShmTest, ConcurrentCreatorsAgreeOnOneBlock) {
  constexpr int kThreads = 8;
  FileMapping* handles[kThreads] = {};
  bool existed[kThreads] = {};
  std::vector<std::thread> threads;
  for (int i = 0; i < kThreads; ++i) {
    threads.emplace_back([&, i] { handles[i] = CreateFileMappingA("race", 64 + i, &existed[i]); });
  }
  for (std::thread& t : threads) t.join();
  int fresh = 0;
  for (int i = 0; i < kThreads; ++i) {
    ASSERT_NE(handles[i], nullptr);
    fresh += existed[i] ? 0 : 1;
  }
  EXPECT_EQ(fresh, 1);
  EXPECT_EQ(MappingSize(handles[0]), 64u + kThreads - 1) << "grown to the largest request";
  for (FileMapping* h : handles) CloseFileMapping(h);
  EXPECT_EQ(OpenFileMappingA("race"), nullptr);
}

TEST_F(ShmTest, AViewKeepsTheBlockAliveAfterItsHandleCloses) {
  FileMapping* mapping = CreateFileMappingA("kept", 16);
  ASSERT_NE(mapping, nullptr);
  auto* view = static_cast<char*>(MapViewOfFile(mapping));
  ASSERT_NE(view, nullptr);
  std::memcpy(view, "still here", 11);
  CloseFileMapping(mapping);

  FileMapping* again = OpenFileMappingA("kept");
  ASSERT_NE(again, nullptr);
  auto* second = static_cast<char*>(MapViewOfFile(again));
  ASSERT_NE(second, nullptr);
  EXPECT_STREQ(second, "still here");
  CloseFileMapping(again);
  UnmapViewOfFile(second);
  UnmapViewOfFile(view);
  EXPECT_EQ(OpenFileMappingA("kept"), nullptr);
}

TEST_F(ShmTest, AFileLeftByACrashedProcessIsNotABlock) {
  std::string dir = InstanceDir();
  ASSERT_FALSE(dir.empty());
  std::ofstream(dir + "/shm-" + HexEncode("stale")) << "old contents";
  EXPECT_EQ(OpenFileMappingA("stale"), nullptr);

  std::ofstream(dir + "/shm-" + HexEncode("stale")) << "old contents";
  bool existed = true;
  FileMapping* mapping = CreateFileMappingA("stale", 4, &existed);
  ASSERT_NE(mapping, nullptr);
  EXPECT_FALSE(existed);
  auto* view = static_cast<unsigned char*>(MapViewOfFile(mapping));
  ASSERT_NE(view, nullptr);
  ASSERT_EQ(ViewSize(view), 4u);
  EXPECT_EQ(view[0] | view[1] | view[2] | view[3], 0) << "a new block starts zero-filled";
  UnmapViewOfFile(view);
  CloseFileMapping(mapping);
}

TEST_F(ShmTest, MissingBlocksAndBadArgumentsAreRefused) {
  errno = 0;
  EXPECT_EQ(OpenFileMappingA("nothing here"), nullptr);
  EXPECT_EQ(errno, ENOENT);
  EXPECT_EQ(CreateFileMappingA("zero", 0), nullptr);
  EXPECT_EQ(CreateFileMappingA(std::string(121, 'n').c_str(), 16), nullptr);
  EXPECT_EQ(CreateFileMappingA("", 16), nullptr);
  EXPECT_EQ(OpenFileMappingA(nullptr), nullptr);
  EXPECT_EQ(MapViewOfFile(nullptr), nullptr);
  int notAView = 0;
  EXPECT_EQ(UnmapViewOfFile(&notAView), 0);
  EXPECT_EQ(ViewSize(&notAView), 0u);
  EXPECT_EQ(CloseFileMapping(nullptr), 1);

  FileMapping* longest = CreateFileMappingA(std::string(120, '\xB0').c_str(), 16);
  EXPECT_NE(longest, nullptr);
  CloseFileMapping(longest);
}

TEST_F(ShmTest, UnnamedBlockIsPrivateMemory) {
  FileMapping* mapping = CreateFileMappingA(nullptr, 1 << 20);
  ASSERT_NE(mapping, nullptr);
  auto* view = static_cast<unsigned char*>(MapViewOfFile(mapping));
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(ViewSize(view), 1u << 20);
  view[(1 << 20) - 1] = 1;
  EXPECT_EQ(UnmapViewOfFile(view), 1);
  EXPECT_EQ(CloseFileMapping(mapping), 1);
}

}  // namespace
}  // namespace plat
