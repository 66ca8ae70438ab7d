#include "tests/host/standin_companion.h"

#include <map>
#include <mutex>
#include <utility>

#include "platform/sys/sync.h"
#include "platform/sys/thread.h"
#include "platform/win/win.h"

namespace host_test {
namespace {

std::mutex logMutex;
std::vector<std::pair<std::string, plat::UINT>> logEntries;

thread_local std::string windowTitle;

plat::LRESULT StandinProc(plat::HWND hwnd, plat::UINT message, plat::WPARAM wParam,
                          plat::LPARAM lParam) {
  if (message == plat::WM_DESTROY) plat::PostQuitMessage(0);
  if (message != plat::WM_CREATE && message != plat::WM_DESTROY) {
    StandinLog::Add(windowTitle, message);
  }
  return plat::DefWindowProcA(hwnd, message, wParam, lParam);
}

void RegisterOnce(const std::string& className) {
  static std::mutex mu;
  static std::map<std::string, bool> registered;
  std::lock_guard lock(mu);
  if (registered[className]) return;
  plat::WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = StandinProc;
  windowClass.lpszClassName = className.c_str();
  registered[className] = plat::RegisterClassA(&windowClass) != 0;
}

}  // namespace

void StandinLog::Clear() {
  std::lock_guard lock(logMutex);
  logEntries.clear();
}

void StandinLog::Add(const std::string& title, plat::UINT message) {
  std::lock_guard lock(logMutex);
  logEntries.emplace_back(title, message);
}

std::vector<std::string> StandinLog::Closes() {
  std::lock_guard lock(logMutex);
  std::vector<std::string> titles;
  for (const auto& [title, message] : logEntries) {
    if (message == plat::WM_CLOSE) titles.push_back(title);
  }
  return titles;
}

StandinCompanion::StandinCompanion(const char* className, const char* title) {
  std::string classCopy = className;
  std::string titleCopy = title;
  RegisterOnce(classCopy);
  plat::Event* created = plat::CreateEventA(nullptr, false, false, nullptr);
  thread_ = plat::StartThread([this, created, classCopy, titleCopy] {
    windowTitle = titleCopy;
    hwnd_ = plat::CreateWindowA(classCopy.c_str(), titleCopy.c_str(), 0, 0, 0, 1, 1, nullptr,
                                nullptr, nullptr, nullptr);
    plat::SetEvent(created);
    plat::MSG message;
    while (hwnd_ && plat::GetMessageA(&message, nullptr, 0, 0)) plat::DispatchMessageA(&message);
  });
  plat::WaitForSingleObject(created, plat::INFINITE);
  plat::CloseHandle(created);
}

StandinCompanion::~StandinCompanion() {
  if (plat::IsWindow(hwnd_)) plat::PostMessageA(hwnd_, plat::WM_CLOSE, 0, 0);
  thread_.join();
}

}  // namespace host_test
