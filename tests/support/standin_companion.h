#pragma once
// A companion program (the LCD viewer or the sound player) played by a test:
// a window of the companion's class and title on a thread of its own, which
// answers the host's repaints and copy-data records as the program does and
// logs, in order, what it received. The host's sends are synchronous, so
// the log is complete when a send returns.

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/win/types.h"
#include "protocol/records.h"
#include "tests/support/window_thread.h"

namespace testsupport {

struct Received {
  plat::UINT message = 0;
  plat::WPARAM wParam = 0;
  uintptr_t copyKind = 0;      // WM_COPYDATA: its dwData
  std::vector<uint8_t> bytes;  // WM_COPYDATA: its bytes; a repaint: the shared screen block
  uint64_t order = 0;          // place among what every stand-in received
};

class StandinCompanion {
 public:
  StandinCompanion(const char* className, const char* title);
  // Closes the window if it is still open.
  ~StandinCompanion() = default;

  // The LCD viewer's ("LcdClass", "TovLcd") and the sound player's windows.
  static std::unique_ptr<StandinCompanion> Viewer();
  static std::unique_ptr<StandinCompanion> SoundPlayer();

  plat::HWND hwnd() const { return window_.hwnd(); }
  const std::string& title() const { return window_.title(); }

  std::vector<Received> Log() const;
  std::vector<plat::UINT> Messages() const;
  int Repaints() const;
  // The shared screen block's bytes at the last repaint; empty before one.
  std::vector<uint8_t> LastFrame() const;
  // The copy-data records of `kind` received, in order, each as a `Record`;
  // a record of another size fails the test.
  template <typename Record>
  std::vector<Record> Records(uintptr_t kind) const;

 private:
  std::optional<plat::LRESULT> Handle(plat::UINT message, plat::WPARAM wParam, plat::LPARAM lParam);
  static void ExpectSize(const Received& entry, std::size_t size);

  mutable std::mutex mu_;
  std::vector<Received> log_;
  int repaints_ = 0;
  // Last, so that the window is gone before what it records.
  WindowThread window_;
};

// A sound command as the host sends it: `path` (for op 0) NUL-terminated and
// zero-padded.
SoundRecord SoundCommand(int op, int channel, int loops, const char* path = nullptr);

// Sends `size` bytes at `data` as WM_COPYDATA of `kind`; the receiver's answer.
plat::LRESULT SendCopyData(plat::HWND to, uintptr_t kind, const void* data, std::size_t size);

// The titles of `companions` that received WM_CLOSE, in the order they did.
std::vector<std::string> ClosedInOrder(std::initializer_list<const StandinCompanion*> companions);

template <typename Record>
std::vector<Record> StandinCompanion::Records(uintptr_t kind) const {
  std::vector<Record> records;
  for (const Received& entry : Log()) {
    if (entry.message != plat::WM_COPYDATA || entry.copyKind != kind) continue;
    ExpectSize(entry, sizeof(Record));
    if (entry.bytes.size() != sizeof(Record)) continue;
    records.emplace_back();
    std::memcpy(&records.back(), entry.bytes.data(), sizeof(Record));
  }
  return records;
}

}  // namespace testsupport
