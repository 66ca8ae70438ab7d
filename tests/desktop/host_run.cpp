#include "tests/desktop/host_run.h"

#include <gtest/gtest.h>

#include <cstring>

#include "host/canvas.h"
#include "host/lcd.h"
#include "host/msg.h"
#include "platform/sys/clock.h"
#include "platform/win/win.h"
#include "protocol/messages.h"
#include "protocol/windows.h"

namespace desktop_test {

Recorder::Recorder(const char* className, const char* title)
    : window_(className, title, [this](plat::UINT message, plat::WPARAM, plat::LPARAM lParam) {
        return Handle(message, lParam);
      }) {}

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

std::optional<plat::LRESULT> Recorder::Handle(plat::UINT message, plat::LPARAM lParam) {
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
  return std::nullopt;
}

HostRun::HostRun(void (*entry)()) {
  time_t start;
  EXPECT_TRUE(plat::ParseClockStart("2026-12-06T09:00:00", &start));
  plat::UseVirtualClock(start);
  plat::HoldClock();
  viewer = std::make_unique<Recorder>(kLcdClass, kLcdTitle);
  player = std::make_unique<Recorder>(kSndClass, kSndTitle);
  host_.emplace(entry);
  EXPECT_TRUE(host_test::WaitIdle());
}

HostRun::~HostRun() {
  // Every application here ends on Escape; a host left running would keep
  // its application thread waiting on the next test's ring.
  if (host_->Running()) {
    PostMsg(MsgKeyDown, 27, 0);
    host_->Join();
  }
  host_.reset();
  viewer.reset();
  player.reset();
  plat::UseRealClock();
}

void HostRun::Post(uint32_t type, uint32_t wParam, uint32_t lParam) {
  PostAll({{type, wParam, lParam}});
}

void HostRun::PostAll(const std::vector<Message>& messages) {
  for (const Message& m : messages) PostMsg(m.type, m.wParam, m.lParam);
  EXPECT_TRUE(host_test::WaitIdle());
}

void HostRun::Advance(int64_t milliseconds) {
  EXPECT_TRUE(plat::AdvanceClock(milliseconds, host_test::kIdleTimeoutMs));
}

void HostRun::Join() { host_->Join(); }

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
