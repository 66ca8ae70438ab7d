#include "host/host_reset.h"

#include <cstdlib>

namespace {

// Constant-initialised, so it is ready before any static registration runs.
// A module registers once; the host has fewer modules than this.
constexpr int kMaxResets = 32;
HostResetFunction resets[kMaxResets];
int resetCount = 0;

}  // namespace

bool RegisterHostReset(HostResetFunction reset) {
  // More modules than places is a build mistake, not a run-time condition.
  if (resetCount == kMaxResets) std::abort();
  resets[resetCount++] = reset;
  return true;
}

void ResetHost() {
  for (int i = 0; i < resetCount; ++i) resets[i]();
}
