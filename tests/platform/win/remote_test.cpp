// Windows of two processes: the peer program plays the other side.

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <vector>

#include "platform/sys/clock.h"
#include "platform/sys/instance.h"
#include "platform/sys/thread.h"
#include "platform/win/endpoint.h"
#include "platform/win/win.h"
#include "tests/platform/win/peer_protocol.h"
#include "tests/support/child_process.h"
#include "tests/support/scoped.h"
#include "tests/support/test_instance.h"

namespace plat::testing {
namespace {

using testsupport::ChildProcess;
using testsupport::ScopedEnv;
using testsupport::TestInstance;

int nestedCalls = 0;

LRESULT TestProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kTestNested) {
    ++nestedCalls;
    return static_cast<LRESULT>(wParam) * 3;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

class RemoteTest : public ::testing::Test {
 protected:
  // Starts the peer program as `process`, with its own class and title
  // unless `args` name others, and answers the peer's window (null when none).
  HWND StartPeer(ChildProcess& process, std::vector<std::string> args = {},
                 const std::vector<std::string>& env = {}) {
    args.insert(args.begin(), WIN_PEER);
    EXPECT_TRUE(process.Start(args, testsupport::AwaitReady(env)));
    EXPECT_TRUE(process.running());
    HWND window = args.size() == 3 ? FindWindowA(args[1].c_str(), args[2].c_str()) : FindPeer();
    if (!window) ADD_FAILURE() << "the peer's window was not found";
    return window;
  }

  // A window of this process, answered by TestProc.
  static HWND CreateLocal(const char* className, const char* title) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = TestProc;
    windowClass.lpszClassName = className;
    RegisterClassA(&windowClass);
    return CreateWindowA(className, title, 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  }

  HWND FindPeer() { return FindWindowA(kPeerClass, kPeerTitle); }

  TestInstance instance_;
  ChildProcess peer;
};

TEST_F(RemoteTest, SendReturnsTheReceiversResult) {
  HWND window = StartPeer(peer);
  EXPECT_EQ(SendMessageA(window, kPeerEcho, 20, 3), 43);
  EXPECT_EQ(SendMessageA(window, kPeerEcho, 0, -5), -5);
  EXPECT_EQ(FindPeer(), window) << "finding the same live window again gives the same handle";
}

TEST_F(RemoteTest, PostsArriveInOrderBeforeALaterSend) {
  HWND window = StartPeer(peer);
  // More than a socket buffer holds, so the poster has to wait for room.
  constexpr int kCount = 5000;
  for (int i = 0; i < kCount; ++i) ASSERT_TRUE(PostMessageA(window, kPeerSequence, i, 0));
  // A send overtakes queued posts, so ask until they have all been seen.
  LRESULT seen = 0;
  while ((seen = SendMessageA(window, kPeerSequenceCount, 0, 0)) >= 0 && seen < kCount) {
    ASSERT_TRUE(PostMessageA(window, WM_NULL, 0, 0));
  }
  EXPECT_EQ(seen, kCount);
}

TEST_F(RemoteTest, CopyDataBytesArriveIntact) {
  HWND window = StartPeer(peer);
  for (uint32_t size : {0u, 1u, 32u, 268u, 65536u}) {
    std::vector<uint8_t> bytes(size);
    for (uint32_t i = 0; i < size; ++i) bytes[i] = static_cast<uint8_t>(i * 7 + size);
    COPYDATASTRUCT copy{0x1234 + size, size, size ? bytes.data() : nullptr};
    EXPECT_EQ(SendMessageA(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy)),
              CopyDataDigest(copy.dwData, bytes.data(), size))
        << size << " bytes";
  }
}

TEST_F(RemoteTest, CopyDataThatCannotTravelFails) {
  HWND window = StartPeer(peer);
  std::vector<uint8_t> tooBig(65537);
  COPYDATASTRUCT copy{1, static_cast<uint32_t>(tooBig.size()), tooBig.data()};
  EXPECT_EQ(SendMessageA(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy)), 0);
  COPYDATASTRUCT small{1, 4, tooBig.data()};
  EXPECT_FALSE(PostMessageA(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&small)));
  EXPECT_EQ(SendMessageA(window, kPeerEcho, 1, 1), 3) << "the connection is still usable";
}

TEST_F(RemoteTest, SendBlocksUntilTheProcedureReturnedAndHandlesNestedSends) {
  HWND own = CreateLocal(kTestClass, kTestTitle);
  ASSERT_NE(own, nullptr);
  HWND window = StartPeer(peer);
  // The peer finds our window and sends to it before its procedure returns:
  // our procedure runs on this thread while we wait, and the result carries
  // its answer (-1 when the peer could not find our window).
  nestedCalls = 0;
  EXPECT_EQ(SendMessageA(window, kPeerCallBack, 5, 0), 1015);
  EXPECT_EQ(nestedCalls, 1);
  DestroyWindow(own);
}

TEST_F(RemoteTest, VirtualTimeStandsStillWhileAPeerWorksOnASend) {
  std::string fifo = instance_.runtimeDir() + "/fifo";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  HWND window = StartPeer(peer, {}, {"PEER_FIFO=" + fifo});
  ASSERT_NE(window, nullptr);  // the fifo below would wait for ever

  struct VirtualClock {
    VirtualClock() { UseVirtualClock(0); }
    ~VirtualClock() { UseRealClock(); }
  } virtualClock;
  HoldClock();
  int64_t sleeperWoke = -1;
  std::thread sleeper = StartThread([&] {
    Sleep(50);
    sleeperWoke = GetTickCount64();
  });
  EXPECT_TRUE(WaitUntilIdle());
  LRESULT answer = 0;
  std::thread sender = StartThread([&] { answer = SendMessageA(window, kPeerBlock, 0, 0); });
  ReleaseClock();
  // The sender is never idle while it waits for the peer, so the sleeper's
  // deadline is not reached however long we look.
  EXPECT_FALSE(WaitUntilIdleFor(200));
  EXPECT_EQ(GetTickCount64(), 0);
  int fd = open(fifo.c_str(), O_WRONLY);  // returns once the peer reads
  EXPECT_EQ(write(fd, "x", 1), 1);
  close(fd);
  sender.join();
  sleeper.join();
  EXPECT_EQ(answer, 5);
  EXPECT_EQ(sleeperWoke, 50);
}

TEST_F(RemoteTest, WindowDisappearsWhenItsProcessEnds) {
  HWND window = StartPeer(peer);
  EXPECT_TRUE(IsWindow(window));
  EXPECT_EQ(SendMessageA(window, kPeerDestroy, 0, 0), 77) << "answered though its window is gone";
  EXPECT_EQ(peer.Wait(), 0);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(FindPeer(), nullptr);
  EXPECT_EQ(SendMessageA(window, kPeerEcho, 1, 1), 0);
  EXPECT_FALSE(PostMessageA(window, kPeerEcho, 1, 1));
}

TEST_F(RemoteTest, KilledPeerIsNotFoundAndItsSocketIsRemoved) {
  HWND window = StartPeer(peer);
  peer.Kill();
  EXPECT_FALSE(IsWindow(window));
  std::string path = EndpointPath(kPeerClass, kPeerTitle);
  struct stat st {};
  ASSERT_EQ(lstat(path.c_str(), &st), 0) << "a killed process leaves its socket behind";
  EXPECT_EQ(SendMessageA(window, kPeerEcho, 1, 1), 0);
  EXPECT_EQ(FindPeer(), nullptr);
  EXPECT_NE(lstat(path.c_str(), &st), 0);

  // A new process under the same name is a new window; the old handle stays dead.
  ChildProcess second;
  HWND renewed = StartPeer(second);
  EXPECT_NE(renewed, window);
  EXPECT_EQ(SendMessageA(window, kPeerEcho, 1, 1), 0);
  EXPECT_EQ(SendMessageA(renewed, kPeerEcho, 1, 1), 3);
}

TEST_F(RemoteTest, SendFailsWhenThePeerDiesDuringTheCall) {
  HWND window = StartPeer(peer);
  EXPECT_EQ(SendMessageA(window, kPeerDie, 0, 0), 0);
  EXPECT_EQ(peer.Wait(), 3);
  EXPECT_EQ(SendMessageA(window, kPeerEcho, 1, 1), 0);
}

TEST_F(RemoteTest, InstancesDoNotSeeEachOthersWindows) {
  ChildProcess other;
  {
    ScopedEnv elsewhere("TOVSIM_INSTANCE", instance_.name() + "-other");
    StartPeer(other);  // found inside its own instance
  }
  EXPECT_EQ(FindPeer(), nullptr);
  EXPECT_EQ(SendMessageA(StartPeer(peer), kPeerEcho, 2, 0), 4);
}

TEST_F(RemoteTest, ChineseNamesAndLongNamesWork) {
  const std::string longTitle(200, 'x');
  for (const std::string& title : {std::string("共享内存"), longTitle}) {
    ChildProcess named;
    HWND window = StartPeer(named, {"LcdClass", title});
    EXPECT_EQ(SendMessageA(window, kPeerEcho, 4, 0), 8);
    EXPECT_EQ(FindWindowA("LcdClass", "other"), nullptr);
  }
}

TEST_F(RemoteTest, SecondWindowOfTheSameNameStaysLocal) {
  StartPeer(peer);
  HWND local = CreateLocal(kPeerClass, kPeerTitle);
  ASSERT_NE(local, nullptr);
  EXPECT_EQ(FindPeer(), local) << "our own window comes first";
  DestroyWindow(local);
  HWND remote = FindPeer();
  ASSERT_NE(remote, nullptr);
  EXPECT_EQ(SendMessageA(remote, kPeerEcho, 5, 0), 10) << "the peer's socket was left alone";
}

TEST_F(RemoteTest, AnotherProcessesWindowKeepsNoUserDataHere) {
  HWND window = StartPeer(peer);
  EXPECT_EQ(SetWindowLongPtrA(window, GWLP_USERDATA, 5), 0);
  EXPECT_EQ(GetWindowLongPtrA(window, GWLP_USERDATA), 0);
}

}  // namespace
}  // namespace plat::testing
