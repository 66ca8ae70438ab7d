#pragma once
// The whole host in this process: stand-in viewer and sound player windows
// that record what they receive, the virtual clock held still, and HostMain
// on a thread of its own running one application entry. Input goes straight
// into the message ring; every step waits until the application is idle.

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "host/types.h"
#include "protocol/records.h"
#include "tests/host/host_env.h"
#include "tests/host/host_thread.h"
#include "tests/support/window_thread.h"

namespace desktop_test {

// A window of a given class and title that records the screen modes and
// sound commands sent to it and counts repaints. `onRepaint`, when set, runs
// on the window's thread inside each repaint with the repaint's number.
class Recorder {
 public:
  Recorder(const char* className, const char* title);

  int Repaints() const;
  std::vector<ScreenModeRecord> Modes() const;
  std::vector<SoundRecord> Sounds() const;

  std::function<void(int)> onRepaint;

 private:
  std::optional<plat::LRESULT> Handle(plat::UINT message, plat::LPARAM lParam);
  void Record(uintptr_t kind, const void* data, uint32_t size);

  mutable std::mutex mu_;
  int repaints_ = 0;
  std::vector<ScreenModeRecord> modes_;
  std::vector<SoundRecord> sounds_;
  // Last, so that the window is gone before what it records.
  testsupport::WindowThread window_;
};

class HostRun {
 public:
  // Starts the host with `entry` on its application thread and waits until
  // the entry is idle.
  explicit HostRun(void (*entry)());
  // Ends a host still running with Escape.
  ~HostRun();
  HostRun(const HostRun&) = delete;
  HostRun& operator=(const HostRun&) = delete;

  void KeyDown(uint32_t key) { Post(MsgKeyDown, key, 0); }
  void KeyUp(uint32_t key) { Post(MsgKeyUp, key, 0); }
  void Click(int x, int y) { Post(MsgMouseDown, 0, Point(x, y)); }
  void DoubleClick(int x, int y) { Post(MsgMouseDouble, 0, Point(x, y)); }
  // Appends Messages at once, then waits until the application is idle.
  void Post(uint32_t type, uint32_t wParam, uint32_t lParam);
  void PostAll(const std::vector<Message>& messages);
  // Lets virtual time run on by `milliseconds`.
  void Advance(int64_t milliseconds);
  // Waits until the host has shut down (after the application returned).
  void Join();

  static uint32_t Point(int x, int y) { return uint32_t(uint16_t(x)) | uint32_t(y) << 16; }

  host_test::HostEnv env;
  std::unique_ptr<Recorder> viewer;
  std::unique_ptr<Recorder> player;

 private:
  std::optional<host_test::HostThread> host_;
};

// The screen's pixels, row by row.
std::vector<uint32_t> Snapshot();

// The smallest rectangle holding every pixel of `color` in the screen area
// (x, y, w, h), as {left, top, right, bottom}; all -1 when there is none.
struct Box {
  int left, top, right, bottom;
  bool operator==(const Box&) const = default;
};
Box FindColor(uint32_t color, int x, int y, int w, int h);

}  // namespace desktop_test
