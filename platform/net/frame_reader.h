#pragma once
// Cuts a TCP stream of network frames (net_wire.h) into frames. It holds at
// most one frame, in a buffer of fixed size: a length of 0 or above the
// limit, or an unknown kind, breaks the stream as soon as its bytes are in,
// before anything is read or kept for it.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "platform/net/net_wire.h"

namespace plat::net {

class FrameReader {
 public:
  enum class Status { kPartial, kFrame, kBroken };
  struct Fed {
    std::size_t used;  // bytes of the input taken
    Status status;
  };

  // Takes bytes from `in` up to the end of the current frame. kFrame: kind()
  // and payload() hold it until the next Feed. kBroken: the stream cannot be
  // read on (error() says why); the reader takes nothing more.
  Fed Feed(std::span<const uint8_t> in);

  FrameKind kind() const { return static_cast<FrameKind>(buffer_[kLengthBytes]); }
  std::span<const uint8_t> payload() const;
  // Some bytes of a frame are held.
  bool Partial() const { return filled_ > 0 && !complete_; }
  const std::string& error() const { return error_; }

 private:
  std::size_t Wanted() const;
  std::size_t NextStep() const;
  bool CheckHeader();

  std::array<uint8_t, kMaxFrameBytes> buffer_{};
  std::size_t filled_ = 0;
  uint32_t length_ = 0;
  bool complete_ = false;
  bool broken_ = false;
  std::string error_;
};

}  // namespace plat::net
