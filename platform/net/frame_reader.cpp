#include "platform/net/frame_reader.h"

#include <algorithm>

#include "codec/bytes.h"

namespace plat::net {
namespace {

bool KnownKind(uint8_t kind) {
  return kind >= static_cast<uint8_t>(FrameKind::kHello) &&
         kind <= static_cast<uint8_t>(FrameKind::kData);
}

}  // namespace

std::span<const uint8_t> FrameReader::payload() const {
  return {buffer_.data() + kLengthBytes + 1, length_ - 1};
}

// Never past the header field being read, so each is checked on arrival:
// the length, then the kind byte alone, then the rest of the frame.
std::size_t FrameReader::NextStep() const {
  if (filled_ == kLengthBytes) return 1;
  return Wanted();
}

std::size_t FrameReader::Wanted() const {
  if (filled_ < kLengthBytes) return kLengthBytes - filled_;
  return kLengthBytes + length_ - filled_;
}

// Looks at the length once its four bytes are in, and at the kind once its
// byte is; false when either breaks the stream.
bool FrameReader::CheckHeader() {
  if (filled_ == kLengthBytes) {
    length_ = codec::LoadLe<uint32_t>(buffer_.data());
    if (length_ == 0 || length_ > kMaxFrameLength) {
      error_ = "frame length " + std::to_string(length_);
      return false;
    }
  }
  if (filled_ == kLengthBytes + 1 && !KnownKind(buffer_[kLengthBytes])) {
    error_ = "unknown frame kind " + std::to_string(buffer_[kLengthBytes]);
    return false;
  }
  return true;
}

FrameReader::Fed FrameReader::Feed(std::span<const uint8_t> in) {
  if (broken_) return {0, Status::kBroken};
  if (complete_) {
    filled_ = 0;
    complete_ = false;
  }
  std::size_t used = 0;
  while (used < in.size()) {
    const std::size_t step = std::min(NextStep(), in.size() - used);
    std::copy_n(in.begin() + used, step, buffer_.begin() + filled_);
    filled_ += step;
    used += step;
    if (!CheckHeader()) {
      broken_ = true;
      return {used, Status::kBroken};
    }
    if (filled_ > kLengthBytes && Wanted() == 0) {
      complete_ = true;
      return {used, Status::kFrame};
    }
  }
  return {used, Status::kPartial};
}

}  // namespace plat::net
