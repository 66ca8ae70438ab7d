#include "tests/desktop/host_run.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>

#include "host/canvas.h"
#include "host/companion.h"
#include "host/host_main.h"
#include "host/lcd.h"
#include "host/msg.h"
#include "platform/sys/clock.h"
#include "platform/sys/sync.h"
#include "platform/sys/thread.h"
#include "platform/win/win.h"

namespace desktop_test {
namespace {

// A safety net against a test that never lets the application idle: it
// fails instead of hanging. Far above any run time seen.
constexpr int64_t kIdleTimeoutMs = 60000;

bool Idle() { return plat::WaitUntilIdleFor(kIdleTimeoutMs); }

// The window procedure runs on the window's own thread.
thread_local Recorder* self = nullptr;

plat::LRESULT RecorderProc(plat::HWND hwnd, plat::UINT message, plat::WPARAM wParam,
                           plat::LPARAM lParam) {
  if (message == plat::WM_DESTROY) plat::PostQuitMessage(0);
  if (self && message != plat::WM_CREATE && message != plat::WM_DESTROY) {
    return self->Handle(message, wParam, lParam);
  }
  return plat::DefWindowProcA(hwnd, message, wParam, lParam);
}

void RegisterOnce(const std::string& className) {
  static std::mutex mu;
  static std::map<std::string, bool> registered;
  std::lock_guard lock(mu);
  if (registered[className]) return;
  plat::WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = RecorderProc;
  windowClass.lpszClassName = className.c_str();
  registered[className] = plat::RegisterClassA(&windowClass) != 0;
}

}  // namespace

Recorder::Recorder(const char* className, const char* title) {
  RegisterOnce(className);
  plat::Event* created = plat::CreateEventA(nullptr, false, false, nullptr);
  thread_ = plat::StartThread([this, created, name = std::string(className),
                               caption = std::string(title)] {
    self = this;
    hwnd_ = plat::CreateWindowA(name.c_str(), caption.c_str(), 0, 0, 0, 1, 1, nullptr, nullptr,
                                nullptr, nullptr);
    plat::SetEvent(created);
    plat::MSG message;
    while (hwnd_ && plat::GetMessageA(&message, nullptr, 0, 0)) plat::DispatchMessageA(&message);
    self = nullptr;
  });
  plat::WaitForSingleObject(created, plat::INFINITE);
  plat::CloseHandle(created);
}

Recorder::~Recorder() {
  if (plat::IsWindow(hwnd_)) plat::PostMessageA(hwnd_, plat::WM_CLOSE, 0, 0);
  thread_.join();
}

int Recorder::Repaints() const {
  std::lock_guard lock(mu_);
  return repaints_;
}

std::vector<ScreenModeRecord> Recorder::Modes() const {
  std::lock_guard lock(mu_);
  return modes_;
}

std::vector<SoundRecord> Recorder::Sounds() const {
  std::lock_guard lock(mu_);
  return sounds_;
}

void Recorder::Record(uintptr_t kind, const void* data, uint32_t size) {
  std::lock_guard lock(mu_);
  if (kind == kScreenModeCopyData && size == sizeof(ScreenModeRecord)) {
    modes_.emplace_back();
    std::memcpy(&modes_.back(), data, size);
  } else if (kind == kSoundCopyData && size == sizeof(SoundRecord)) {
    sounds_.emplace_back();
    std::memcpy(&sounds_.back(), data, size);
  } else {
    ADD_FAILURE() << "unexpected copy-data record " << kind << " of " << size << " bytes";
  }
}

plat::LRESULT Recorder::Handle(plat::UINT message, plat::WPARAM wParam, plat::LPARAM lParam) {
  if (message == kLcdRepaintMessage) {
    int number;
    {
      std::lock_guard lock(mu_);
      number = ++repaints_;
    }
    if (onRepaint) onRepaint(number);
    return 1;
  }
  if (message == plat::WM_COPYDATA) {
    const auto* descriptor = reinterpret_cast<const plat::COPYDATASTRUCT*>(lParam);
    Record(descriptor->dwData, descriptor->lpData, descriptor->cbData);
    return 1;
  }
  return plat::DefWindowProcA(hwnd_, message, wParam, lParam);
}

HostRun::HostRun(void (*entry)()) {
  time_t start;
  EXPECT_TRUE(plat::ParseClockStart("2026-12-06T09:00:00", &start));
  plat::UseVirtualClock(start);
  plat::HoldClock();
  viewer = std::make_unique<Recorder>(kLcdClass, kLcdTitle);
  player = std::make_unique<Recorder>(kSndClass, kSndTitle);
  SetHostEntry(entry);
  LcdForgetWindow();
  window_ = plat::StartThread([] { HostMain(nullptr); });
  EXPECT_TRUE(Idle());
}

HostRun::~HostRun() {
  // Every application here ends on Escape; a host left running would keep
  // its application thread waiting on the next test's ring.
  if (window_.joinable()) {
    PostMsg(MsgKeyDown, 27, 0);
    window_.join();
  }
  EXPECT_TRUE(Idle());
  viewer.reset();
  player.reset();
  SetHostEntry(nullptr);
  LcdForgetWindow();
  plat::UseRealClock();
}

void HostRun::Post(uint32_t type, uint32_t wParam, uint32_t lParam) {
  PostAll({{type, wParam, lParam}});
}

void HostRun::PostAll(const std::vector<Message>& messages) {
  for (const Message& m : messages) PostMsg(m.type, m.wParam, m.lParam);
  EXPECT_TRUE(Idle());
}

void HostRun::Advance(int64_t milliseconds) { EXPECT_TRUE(plat::AdvanceClock(milliseconds, kIdleTimeoutMs)); }

void HostRun::Join() {
  window_.join();
  EXPECT_TRUE(Idle());
}

std::vector<uint32_t> Snapshot() {
  std::vector<uint32_t> pixels;
  for (int y = 0; y < hostScreen.height; ++y) {
    for (int x = 0; x < hostScreen.width; ++x) {
      pixels.push_back(GetPixelColor(int16_t(x), int16_t(y), nullptr));
    }
  }
  return pixels;
}

Box FindColor(uint32_t color, int x, int y, int w, int h) {
  Box box{-1, -1, -1, -1};
  for (int row = y; row < y + h; ++row) {
    for (int col = x; col < x + w; ++col) {
      if (GetPixelColor(int16_t(col), int16_t(row), nullptr) != color) continue;
      if (box.left < 0 || col < box.left) box.left = col;
      if (box.top < 0) box.top = row;
      if (col > box.right) box.right = col;
      box.bottom = row;
    }
  }
  return box;
}

}  // namespace desktop_test
