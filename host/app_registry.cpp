#include "host/app_registry.h"

#include <cstring>

namespace {

// Constant-initialised, so it is ready before any static registration runs.
AppEntry apps[kMaxApps];
std::size_t appCount = 0;

}  // namespace

bool RegisterApp(const char* name, const char* title, AppEntryFunction entry) {
  if (!name || !*name || !entry || FindApp(name) || appCount == kMaxApps) return false;
  // Kept in name order, so listings do not depend on the link order.
  std::size_t at = appCount;
  while (at > 0 && std::strcmp(apps[at - 1].name, name) > 0) {
    apps[at] = apps[at - 1];
    --at;
  }
  apps[at] = AppEntry{name, title ? title : "", entry};
  ++appCount;
  return true;
}

const AppEntry* FindApp(const char* name) {
  if (!name) return nullptr;
  for (std::size_t i = 0; i < appCount; ++i) {
    if (std::strcmp(apps[i].name, name) == 0) return &apps[i];
  }
  return nullptr;
}

std::size_t AppCount() { return appCount; }

const AppEntry* AppAt(std::size_t index) { return index < appCount ? &apps[index] : nullptr; }
