#include "viewer/host_link.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/win/win.h"
#include "protocol/windows.h"
#include "tests/support/test_instance.h"

namespace lcd {
namespace {

// A stand-in host window ("SimClass", "Sim") on a thread of its own that
// records the messages posted to it.
class FakeHost {
 public:
  FakeHost() {
    thread_ = std::thread([this] {
      plat::HWND window = plat::CreateWindowA(kHostClass, kHostTitle, 0, 0, 0, 0, 0, nullptr,
                                              nullptr, nullptr, nullptr);
      {
        std::lock_guard lock(mutex_);
        window_ = window;
        created_ = true;
      }
      changed_.notify_all();
      plat::MSG message;
      while (plat::GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (message.message == plat::WM_CLOSE) break;
        std::lock_guard lock(mutex_);
        received_.push_back({message.message, message.wParam, message.lParam});
        changed_.notify_all();
      }
      plat::DestroyWindow(window);
    });
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return created_; });
  }
  ~FakeHost() {
    plat::PostMessageA(window_, plat::WM_CLOSE, 0, 0);
    thread_.join();
  }

  struct Posted {
    plat::UINT message;
    plat::WPARAM wParam;
    plat::LPARAM lParam;
    bool operator==(const Posted&) const = default;
  };
  std::vector<Posted> WaitFor(std::size_t count) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return received_.size() >= count; });
    return received_;
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  bool created_ = false;
  plat::HWND window_ = nullptr;
  std::vector<Posted> received_;
  std::thread thread_;
};

plat::LRESULT HostProc(plat::HWND hwnd, plat::UINT message, plat::WPARAM wParam,
                       plat::LPARAM lParam) {
  return plat::DefWindowProcA(hwnd, message, wParam, lParam);
}

TEST(HostLinkTest, PostsToTheHostAndFindsANewOne) {
  testsupport::TestInstance instance;
  plat::WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = &HostProc;
  windowClass.lpszClassName = kHostClass;
  plat::RegisterClassA(&windowClass);

  HostLink link;
  EXPECT_FALSE(link.Post(plat::WM_KEYDOWN, 13, 0x1C0001));
  {
    FakeHost host;
    EXPECT_TRUE(link.Post(plat::WM_KEYDOWN, 13, 0x1C0001));
    EXPECT_TRUE(link.Post(1128, 0xD6D0, 1));
    EXPECT_EQ(host.WaitFor(2), (std::vector<FakeHost::Posted>{{plat::WM_KEYDOWN, 13, 0x1C0001},
                                                              {1128, 0xD6D0, 1}}));
  }
  FakeHost restarted;
  EXPECT_TRUE(link.Post(plat::WM_LBUTTONDOWN, 1, 0x00050004));
  EXPECT_EQ(restarted.WaitFor(1),
            (std::vector<FakeHost::Posted>{{plat::WM_LBUTTONDOWN, 1, 0x00050004}}));
}

}  // namespace
}  // namespace lcd
