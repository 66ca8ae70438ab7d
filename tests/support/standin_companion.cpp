#include "tests/support/standin_companion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstring>

#include "platform/sys/shm.h"
#include "platform/win/win.h"
#include "protocol/messages.h"
#include "protocol/windows.h"

namespace testsupport {
namespace {

std::atomic<uint64_t> nextOrder{0};

std::vector<uint8_t> ReadSharedBlock() {
  plat::FileMapping* mapping = plat::OpenFileMappingA(kScreenBlockName);
  if (!mapping) return {};
  std::vector<uint8_t> bytes;
  if (void* view = plat::MapViewOfFile(mapping)) {
    const auto* begin = static_cast<const uint8_t*>(view);
    bytes.assign(begin, begin + plat::ViewSize(view));
    plat::UnmapViewOfFile(view);
  }
  plat::CloseFileMapping(mapping);
  return bytes;
}

}  // namespace

StandinCompanion::StandinCompanion(const char* className, const char* title)
    : window_([this](plat::HWND, plat::UINT message, plat::WPARAM wParam,
                     plat::LPARAM lParam) { return Handle(message, wParam, lParam); },
              title, className) {}

std::unique_ptr<StandinCompanion> StandinCompanion::Viewer() {
  return std::make_unique<StandinCompanion>(kLcdClass, kLcdTitle);
}

std::unique_ptr<StandinCompanion> StandinCompanion::SoundPlayer() {
  return std::make_unique<StandinCompanion>(kSndClass, kSndTitle);
}

std::optional<plat::LRESULT> StandinCompanion::Handle(plat::UINT message, plat::WPARAM wParam,
                                                      plat::LPARAM lParam) {
  if (message == plat::WM_CREATE || message == plat::WM_DESTROY) return std::nullopt;
  Received entry{message, wParam, 0, {}, nextOrder++};
  std::optional<plat::LRESULT> answer;
  if (message == kLcdRepaintMessage) {
    entry.bytes = ReadSharedBlock();
    answer = 1;
  } else if (message == plat::WM_COPYDATA) {
    const auto* descriptor = reinterpret_cast<const plat::COPYDATASTRUCT*>(lParam);
    const auto* data = static_cast<const uint8_t*>(descriptor->lpData);
    entry.copyKind = descriptor->dwData;
    entry.bytes.assign(data, data + descriptor->cbData);
    answer = 1;
  }
  std::lock_guard lock(mu_);
  log_.push_back(std::move(entry));
  if (message == kLcdRepaintMessage) ++repaints_;
  return answer;
}

std::vector<Received> StandinCompanion::Log() const {
  std::lock_guard lock(mu_);
  return log_;
}

std::vector<plat::UINT> StandinCompanion::Messages() const {
  std::vector<plat::UINT> messages;
  for (const Received& entry : Log()) messages.push_back(entry.message);
  return messages;
}

int StandinCompanion::Repaints() const {
  std::lock_guard lock(mu_);
  return repaints_;
}

std::vector<uint8_t> StandinCompanion::LastFrame() const {
  std::lock_guard lock(mu_);
  for (auto it = log_.rbegin(); it != log_.rend(); ++it) {
    if (it->message == kLcdRepaintMessage) return it->bytes;
  }
  return {};
}

void StandinCompanion::ExpectSize(const Received& entry, std::size_t size) {
  EXPECT_EQ(entry.bytes.size(), size) << "copy-data record of kind " << entry.copyKind;
}

SoundRecord SoundCommand(int op, int channel, int loops, const char* path) {
  SoundRecord record{op, channel, loops, {}};
  if (path) std::strncpy(record.path, path, sizeof record.path - 1);
  return record;
}

plat::LRESULT SendCopyData(plat::HWND to, uintptr_t kind, const void* data, std::size_t size) {
  plat::COPYDATASTRUCT copy{kind, uint32_t(size), const_cast<void*>(data)};
  return plat::SendMessageA(to, plat::WM_COPYDATA, 0, reinterpret_cast<plat::LPARAM>(&copy));
}

std::vector<std::string> ClosedInOrder(std::initializer_list<const StandinCompanion*> companions) {
  std::vector<std::pair<uint64_t, std::string>> closes;
  for (const StandinCompanion* companion : companions) {
    for (const Received& entry : companion->Log()) {
      if (entry.message == plat::WM_CLOSE) closes.emplace_back(entry.order, companion->title());
    }
  }
  std::sort(closes.begin(), closes.end());
  std::vector<std::string> titles;
  for (const auto& close : closes) titles.push_back(close.second);
  return titles;
}

}  // namespace testsupport
