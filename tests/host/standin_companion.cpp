#include "tests/host/standin_companion.h"

#include <mutex>
#include <optional>
#include <utility>

#include "platform/win/win.h"

namespace host_test {
namespace {

std::mutex logMutex;
std::vector<std::pair<std::string, plat::UINT>> logEntries;

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

StandinCompanion::StandinCompanion(const char* className, const char* title)
    : window_(className, title,
              [name = std::string(title)](plat::UINT message, plat::WPARAM, plat::LPARAM) {
                StandinLog::Add(name, message);
                return std::optional<plat::LRESULT>();
              }) {}

}  // namespace host_test
