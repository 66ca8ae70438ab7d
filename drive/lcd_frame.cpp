#include "drive/lcd_frame.h"

#include <cstring>

#include "platform/sys/shm.h"
#include "protocol/windows.h"

namespace drive {

namespace {

// A pixel's top byte is not part of its colour.
constexpr uint32_t kColourMask = 0x00FFFFFF;

// Four pixels in one vector register.
using PixelQuad = uint32_t __attribute__((vector_size(16)));

// Copies `count` pixels, dropping each one's top byte in the same pass.
void CopyColours(uint32_t* to, const uint32_t* from, std::size_t count) {
  constexpr PixelQuad mask = {kColourMask, kColourMask, kColourMask, kColourMask};
  std::size_t i = 0;
  for (; i + 4 <= count; i += 4) {
    PixelQuad quad;
    std::memcpy(&quad, from + i, sizeof quad);
    quad &= mask;
    std::memcpy(to + i, &quad, sizeof quad);
  }
  for (; i < count; ++i) to[i] = from[i] & kColourMask;
}

}  // namespace

LcdFrame::LcdFrame(int width, int height)
    : width_(width), height_(height), byteSize_(uint32_t(width) * uint32_t(height) * 4) {}

LcdFrame::~LcdFrame() { UnmapBlock(); }

bool LcdFrame::MapBlock(std::string* error) {
  mapping_ = plat::OpenFileMappingA(kScreenBlockName);
  if (!mapping_) {
    *error = "the shared screen block does not exist";
    return false;
  }
  view_ = static_cast<const uint8_t*>(plat::MapViewOfFile(mapping_));
  if (!view_) {
    *error = "the shared screen block cannot be mapped";
    UnmapBlock();
    return false;
  }
  return true;
}

void LcdFrame::UnmapBlock() {
  if (view_) plat::UnmapViewOfFile(view_);
  plat::CloseFileMapping(mapping_);
  view_ = nullptr;
  mapping_ = nullptr;
}

bool LcdFrame::CopyFromBlock(std::string* error) {
  if (!view_ && !MapBlock(error)) return false;
  if (plat::ViewSize(view_) < byteSize_) {
    *error = "the shared screen block holds " + std::to_string(plat::ViewSize(view_)) +
             " bytes, the screen needs " + std::to_string(byteSize_);
    // Opened afresh next time, when the host may have remade it.
    UnmapBlock();
    return false;
  }
  // The host waits for this copy alone: it is a plain copy of the block's
  // bytes, made without the lock so that a display taking a snapshot never
  // holds it up, and the finished frame is swapped in.
  const std::size_t stride = byteSize_ / uint32_t(height_);
  const std::size_t rowBytes = std::size_t(width_) * 4;
  incoming_.width = width_;
  incoming_.height = height_;
  incoming_.pixels.resize(std::size_t(width_) * height_);
  auto* to = reinterpret_cast<uint8_t*>(incoming_.pixels.data());
  if (stride == rowBytes) {
    std::memcpy(to, view_, rowBytes * height_);
  } else {
    for (int y = 0; y < height_; ++y) std::memcpy(to + rowBytes * y, view_ + stride * y, rowBytes);
  }
  std::lock_guard lock(mutex_);
  std::swap(frame_, incoming_);
  ++sequence_;
  return true;
}

bool LcdFrame::ChangeMode(const ScreenModeRecord& record, std::string* error) {
  const int width = record.width;
  const int height = record.height;
  if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) {
    *error = "screen size " + std::to_string(width) + " by " + std::to_string(height) +
             " is out of range";
    return false;
  }
  // Rows must hold a whole line of 32-bit pixels.
  const uint64_t minimum = uint64_t(width) * 4 * uint64_t(height);
  if (record.byteSize < minimum || record.byteSize % uint32_t(height) != 0) {
    *error = "byte size " + std::to_string(record.byteSize) + " does not fit " +
             std::to_string(width) + " by " + std::to_string(height) + " 32-bit pixels";
    return false;
  }
  width_ = width;
  height_ = height;
  byteSize_ = record.byteSize;
  UnmapBlock();
  return true;
}

plat::Image LcdFrame::Snapshot(uint64_t* sequence) const {
  std::lock_guard lock(mutex_);
  if (sequence) *sequence = sequence_;
  plat::Image image;
  image.width = frame_.width;
  image.height = frame_.height;
  image.pixels.resize(frame_.pixels.size());
  CopyColours(image.pixels.data(), frame_.pixels.data(), frame_.pixels.size());
  return image;
}

uint64_t LcdFrame::Sequence() const {
  std::lock_guard lock(mutex_);
  return sequence_;
}

void LcdFrame::ShownSize(int* width, int* height) const {
  std::lock_guard lock(mutex_);
  *width = frame_.width;
  *height = frame_.height;
}

}  // namespace drive
