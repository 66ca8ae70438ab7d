#pragma once
// Test support for the Device API: a private instance with a scratch run tree
// (the current folder is its bin/, so ..\Sim.ini is the tree's root), and
// companion windows standing in for the LCD viewer and the sound player on
// threads of their own, recording what they receive.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/win/types.h"
#include "tests/platform/win/test_instance.h"
#include "tests/support/window_thread.h"

namespace host_test {

// A private instance and run tree for one test. Message boxes are headless
// and their record starts empty.
class HostEnv {
 public:
  HostEnv();
  ~HostEnv();
  HostEnv(const HostEnv&) = delete;
  HostEnv& operator=(const HostEnv&) = delete;

  // Writes ..\Sim.ini.
  void WriteIni(const std::string& text) const;
  // A path inside the run tree's root (the parent of the current folder).
  std::string RootPath(const std::string& name) const { return root_ + "/" + name; }
  // A path inside the current folder.
  std::string BinPath(const std::string& name) const { return root_ + "/bin/" + name; }

 private:
  plat::testing::TestInstance instance_;
  std::string root_;
  std::string oldCwd_;
};

struct CopyData {
  uintptr_t dwData;
  std::vector<uint8_t> bytes;
};

// A window of the given class and title on its own message loop. Sends to it
// are synchronous, so what it recorded is complete when the send returns.
// Its destruction closes the window if it is still open and ends its thread.
class FakeCompanion {
 public:
  FakeCompanion(const char* className, const char* title);

  plat::HWND hwnd() const { return window_.hwnd(); }

  // Messages received, in order (repaints, copy-data, close).
  std::vector<plat::UINT> messages;
  // Repaint messages (1126) received.
  int repaints = 0;
  // The shared screen block's bytes at the last repaint.
  std::vector<uint8_t> lastFrame;
  // The copy-data records received.
  std::vector<CopyData> copies;

 private:
  // Called on the window's thread.
  std::optional<plat::LRESULT> Handle(plat::UINT message, plat::LPARAM lParam);

  // Last, so that the window is gone before what it records.
  testsupport::WindowThread window_;
};

// An LCD viewer stand-in ("LcdClass", "TovLcd") and a sound player stand-in.
std::unique_ptr<FakeCompanion> StartFakeViewer();
std::unique_ptr<FakeCompanion> StartFakeSoundPlayer();

}  // namespace host_test
