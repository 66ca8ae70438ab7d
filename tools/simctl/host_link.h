#pragma once
// simctl's side of the instance: the host window, the viewer, and a reply
// window of its own where the host posts the answers that come later (when
// the host is idle, when the clock has advanced).

#include <cstdint>
#include <optional>

#include "platform/win/types.h"

namespace simctl {

// The host window of the current instance; null when no host runs.
plat::HWND FindHost();
// The LCD viewer's window; null when none runs.
plat::HWND FindViewer();

class ReplyWindow {
 public:
  // Creates the window "simctl.<pid>"; valid() is false when that failed.
  ReplyWindow();
  ~ReplyWindow();
  ReplyWindow(const ReplyWindow&) = delete;
  ReplyWindow& operator=(const ReplyWindow&) = delete;

  bool valid() const { return window_ != nullptr; }

  // Sends `question` to the host (or another program that answers the same
  // way) with our pid and `lParam`, then waits for the answer it posts.
  // nullopt when it refused, went away or did not answer within `timeoutMs`
  // of real time.
  std::optional<plat::LPARAM> Ask(plat::HWND target, plat::UINT question, plat::LPARAM lParam,
                                  std::int64_t timeoutMs);

 private:
  plat::HWND window_ = nullptr;
};

}  // namespace simctl
