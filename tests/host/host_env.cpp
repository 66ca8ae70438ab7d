#include "tests/host/host_env.h"

#include <stdlib.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <mutex>

#include "host/companion_records.h"
#include "platform/sys/msgbox.h"
#include "platform/sys/shm.h"
#include "platform/sys/sync.h"
#include "platform/sys/thread.h"
#include "platform/win/win.h"

namespace host_test {
namespace {

constexpr char kSharedBlockName[] = "共享内存";

// The window procedure runs on the window's own thread.
thread_local FakeCompanion* self = nullptr;

plat::LRESULT CompanionProc(plat::HWND hwnd, plat::UINT message, plat::WPARAM wParam,
                            plat::LPARAM lParam) {
  if (message == plat::WM_DESTROY) plat::PostQuitMessage(0);
  if (self && message != plat::WM_CREATE && message != plat::WM_DESTROY) {
    return self->Handle(message, wParam, lParam);
  }
  return plat::DefWindowProcA(hwnd, message, wParam, lParam);
}

void RegisterOnce(const char* className) {
  static std::mutex mu;
  static std::map<std::string, bool> registered;
  std::lock_guard lock(mu);
  if (registered[className]) return;
  plat::WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = CompanionProc;
  windowClass.lpszClassName = className;
  registered[className] = plat::RegisterClassA(&windowClass) != 0;
}

std::vector<uint8_t> ReadSharedBlock() {
  plat::FileMapping* mapping = plat::OpenFileMappingA(kSharedBlockName);
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

FakeCompanion::FakeCompanion(const char* className, const char* title) {
  RegisterOnce(className);
  plat::Event* created = plat::CreateEventA(nullptr, false, false, nullptr);
  std::string classCopy = className;
  std::string titleCopy = title;
  thread_ = plat::StartThread([this, created, classCopy, titleCopy] {
    self = this;
    hwnd_ = plat::CreateWindowA(classCopy.c_str(), titleCopy.c_str(), 0, 0, 0, 1, 1, nullptr,
                                nullptr, nullptr, nullptr);
    plat::SetEvent(created);
    plat::MSG message;
    while (hwnd_ && plat::GetMessageA(&message, nullptr, 0, 0)) plat::DispatchMessageA(&message);
    self = nullptr;
  });
  plat::WaitForSingleObject(created, plat::INFINITE);
  plat::CloseHandle(created);
}

FakeCompanion::~FakeCompanion() {
  if (plat::IsWindow(hwnd_)) plat::PostMessageA(hwnd_, plat::WM_CLOSE, 0, 0);
  thread_.join();
}

plat::LRESULT FakeCompanion::Handle(plat::UINT message, plat::WPARAM wParam, plat::LPARAM lParam) {
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
  return plat::DefWindowProcA(hwnd_, message, wParam, lParam);
}

std::unique_ptr<FakeCompanion> StartFakeViewer() {
  return std::make_unique<FakeCompanion>(kLcdClass, kLcdTitle);
}

std::unique_ptr<FakeCompanion> StartFakeSoundPlayer() {
  return std::make_unique<FakeCompanion>(kSndClass, kSndTitle);
}

}  // namespace host_test
