#pragma once
// A copy of the emulated screen as the viewer takes it: the viewer keeps
// its frames in one, simctl's screenshot and the replay read the screen
// through one. The host writes the shared block (kScreenBlockName) and waits
// while the viewer copies it; from then on the host may draw again, and the
// viewer presents its copy at its own pace.
//
// The block holds 32-bit pixels (blue, green, red, unused), rows top to
// bottom, each byteSize / height bytes. Its size comes from the command
// line and from each mode-change record; a new mode takes effect with the
// block of the next repaint.

#include <cstdint>
#include <mutex>
#include <string>

#include "platform/gdi/image.h"
#include "protocol/records.h"

namespace plat {
struct FileMapping;
}

namespace drive {

// Largest width or height accepted from a command line or a mode record.
inline constexpr int kMaxSide = 4096;

class LcdFrame {
 public:
  LcdFrame(int width, int height);
  ~LcdFrame();
  LcdFrame(const LcdFrame&) = delete;
  LcdFrame& operator=(const LcdFrame&) = delete;

  // Copies the shared block into the frame. False, with `error` set and the
  // frame unchanged, when the block is missing or smaller than the mode says.
  bool CopyFromBlock(std::string* error);

  // Takes a new mode; the block is opened afresh at the next copy. False,
  // with `error` set and nothing changed, for sizes that do not fit.
  bool ChangeMode(const ScreenModeRecord& record, std::string* error);

  // A copy of the last frame (0 by 0 before the first), its sequence number
  // (how many frames were copied) and its size. Safe on any thread.
  plat::Image Snapshot(uint64_t* sequence = nullptr) const;
  uint64_t Sequence() const;
  void ShownSize(int* width, int* height) const;

 private:
  bool MapBlock(std::string* error);
  void UnmapBlock();

  mutable std::mutex mutex_;  // guards frame_ and sequence_, read by the display
  // The block's pixels as copied, top bytes and all; they are dropped when
  // a snapshot is taken, after the host has been answered.
  plat::Image frame_;
  uint64_t sequence_ = 0;

  // Owned by the window's thread.
  plat::Image incoming_;  // the next frame's buffer, swapped with frame_
  int width_;
  int height_;
  uint32_t byteSize_;
  plat::FileMapping* mapping_ = nullptr;
  const uint8_t* view_ = nullptr;
};

}  // namespace drive
