#include "tests/host/host_env.h"

#include <filesystem>
#include <fstream>
#include <memory>

#include "platform/sys/msgbox.h"
#include "platform/sys/shm.h"
#include "platform/win/win.h"
#include "protocol/messages.h"
#include "protocol/windows.h"

namespace host_test {
namespace {

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

HostEnv::HostEnv() : oldCwd_(std::filesystem::current_path().string()) {
  root_ = instance_.runtimeDir() + "/tree";
  std::filesystem::create_directories(root_ + "/bin");
  std::filesystem::current_path(root_ + "/bin");
  plat::SetHeadless(true);
  plat::ClearRecordedMessageBoxes();
}

HostEnv::~HostEnv() {
  std::error_code ignored;
  std::filesystem::current_path(oldCwd_, ignored);
}

void HostEnv::WriteIni(const std::string& text) const {
  std::ofstream(RootPath("Sim.ini")) << text;
}

FakeCompanion::FakeCompanion(const char* className, const char* title)
    : window_(className, title, [this](plat::UINT message, plat::WPARAM, plat::LPARAM lParam) {
        return Handle(message, lParam);
      }) {}

std::optional<plat::LRESULT> FakeCompanion::Handle(plat::UINT message, plat::LPARAM lParam) {
  messages.push_back(message);
  if (message == kLcdRepaintMessage) {
    ++repaints;
    lastFrame = ReadSharedBlock();
    return 1;
  }
  if (message == plat::WM_COPYDATA) {
    const auto* descriptor = reinterpret_cast<const plat::COPYDATASTRUCT*>(lParam);
    const auto* data = static_cast<const uint8_t*>(descriptor->lpData);
    copies.push_back({descriptor->dwData, {data, data + descriptor->cbData}});
    return 1;
  }
  return std::nullopt;
}

std::unique_ptr<FakeCompanion> StartFakeViewer() {
  return std::make_unique<FakeCompanion>(kLcdClass, kLcdTitle);
}

std::unique_ptr<FakeCompanion> StartFakeSoundPlayer() {
  return std::make_unique<FakeCompanion>(kSndClass, kSndTitle);
}

}  // namespace host_test
