#include "platform/win/window_registry.h"

#include <map>
#include <mutex>
#include <unordered_map>

namespace plat {
namespace {

struct Registry {
  std::mutex mu;
  std::unordered_map<std::string, WNDPROC> classes;
  // Ordered by handle, which is creation order.
  std::map<uintptr_t, std::shared_ptr<WindowRecord>> windows;
  uintptr_t nextHandle = 0x10000;
};

// Never destroyed: detached threads may still use it while the process exits.
Registry& Reg() {
  static Registry* registry = new Registry;
  return *registry;
}

bool NameMatches(const char* wanted, const std::string& actual) {
  return !wanted || actual == wanted;
}

HWND InsertLocked(std::shared_ptr<WindowRecord> record) {
  uintptr_t handle = Reg().nextHandle;
  Reg().nextHandle += 4;
  record->hwnd = reinterpret_cast<HWND>(handle);
  Reg().windows.emplace(handle, std::move(record));
  return reinterpret_cast<HWND>(handle);
}

}  // namespace

bool RegisterWindowClass(const std::string& name, WNDPROC proc) {
  std::lock_guard lock(Reg().mu);
  return Reg().classes.emplace(name, proc).second;
}

WNDPROC WindowClassProc(const std::string& name) {
  std::lock_guard lock(Reg().mu);
  auto it = Reg().classes.find(name);
  return it == Reg().classes.end() ? nullptr : it->second;
}

std::shared_ptr<WindowRecord> LookupWindow(HWND hwnd) {
  std::lock_guard lock(Reg().mu);
  auto it = Reg().windows.find(reinterpret_cast<uintptr_t>(hwnd));
  return it == Reg().windows.end() ? nullptr : it->second;
}

HWND InsertWindow(std::shared_ptr<WindowRecord> record) {
  std::lock_guard lock(Reg().mu);
  return InsertLocked(std::move(record));
}

void EraseWindow(HWND hwnd) {
  std::lock_guard lock(Reg().mu);
  Reg().windows.erase(reinterpret_cast<uintptr_t>(hwnd));
}

HWND FindLocalWindow(const char* className, const char* title) {
  std::lock_guard lock(Reg().mu);
  for (const auto& [handle, record] : Reg().windows) {
    if (!record->IsRemote() && NameMatches(className, record->className) &&
        NameMatches(title, record->title)) {
      return record->hwnd;
    }
  }
  return nullptr;
}

HWND RemoteWindowHandle(const std::string& endpoint, pid_t peer) {
  std::lock_guard lock(Reg().mu);
  for (const auto& [handle, record] : Reg().windows) {
    if (record->peer == peer && record->endpoint == endpoint) return record->hwnd;
  }
  auto record = std::make_shared<WindowRecord>();
  record->endpoint = endpoint;
  record->peer = peer;
  return InsertLocked(std::move(record));
}

std::vector<HWND> WindowsOwnedBy(const ThreadQueue* queue) {
  std::lock_guard lock(Reg().mu);
  std::vector<HWND> owned;
  for (const auto& [handle, record] : Reg().windows) {
    if (record->queue.get() == queue) owned.push_back(record->hwnd);
  }
  return owned;
}

LRESULT CallWindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto record = LookupWindow(hwnd);
  if (!record || record->IsRemote() || !record->proc) return 0;
  return record->proc(hwnd, message, wParam, lParam);
}

}  // namespace plat
