#pragma once
// Companion windows for start-up and shutdown tests: a window of a given
// class and title on its own message loop that logs, in one log shared by
// all of them, which messages reached it. Unlike FakeCompanion the shared
// log keeps the order across windows.

#include <string>
#include <vector>

#include "platform/win/types.h"
#include "tests/support/window_thread.h"

namespace host_test {

class StandinLog {
 public:
  static void Clear();
  static void Add(const std::string& title, plat::UINT message);
  // Titles of the windows that received WM_CLOSE, in order.
  static std::vector<std::string> Closes();
};

// Its destruction closes the window if it is still open and ends its thread.
class StandinCompanion {
 public:
  StandinCompanion(const char* className, const char* title);

 private:
  testsupport::WindowThread window_;
};

}  // namespace host_test
