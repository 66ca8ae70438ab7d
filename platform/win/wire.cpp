#include "platform/win/wire.h"

#include <sys/socket.h>
#include <sys/uio.h>

#include <cerrno>
#include <cstring>

namespace plat {
namespace {

constexpr uint32_t kCopyDataMessage = 0x004A;

bool KnownKind(uint16_t kind) {
  return kind >= static_cast<uint16_t>(WireKind::kPost) &&
         kind <= static_cast<uint16_t>(WireKind::kReply);
}

}  // namespace

codec::Result<WireFrame> DecodeFrame(std::span<const uint8_t> bytes) {
  if (bytes.size() < sizeof(WireHeader) || bytes.size() > kMaxFrameSize) {
    return codec::ErrorAt(0, "a frame of " + std::to_string(bytes.size()) + " bytes");
  }
  WireFrame frame;
  WireHeader& header = frame.header;
  std::memcpy(&header, bytes.data(), sizeof header);
  if (header.magic != kWireMagic) return codec::ErrorAt(offsetof(WireHeader, magic), "bad magic");
  if (!KnownKind(header.kind)) return codec::ErrorAt(offsetof(WireHeader, kind), "unknown kind");
  if (header.dataSize != bytes.size() - sizeof header) {
    return codec::ErrorAt(offsetof(WireHeader, dataSize), "data size does not match the frame");
  }
  bool carriesData = header.kind == static_cast<uint16_t>(WireKind::kSend) &&
                     header.message == kCopyDataMessage;
  if (header.dataSize > 0 && !carriesData) {
    return codec::ErrorAt(offsetof(WireHeader, dataSize), "data on a message that carries none");
  }
  if (header.kind == static_cast<uint16_t>(WireKind::kPost) &&
      header.message == kCopyDataMessage) {
    return codec::ErrorAt(offsetof(WireHeader, message), "WM_COPYDATA posted");
  }
  frame.data.assign(bytes.begin() + sizeof header, bytes.end());
  return frame;
}

WireStatus SendFrame(int fd, const WireHeader& header, const void* data, bool wait) {
  iovec parts[2] = {{const_cast<WireHeader*>(&header), sizeof header},
                    {const_cast<void*>(data), header.dataSize}};
  msghdr message{};
  message.msg_iov = parts;
  message.msg_iovlen = header.dataSize > 0 ? 2 : 1;
  int flags = MSG_NOSIGNAL | (wait ? 0 : MSG_DONTWAIT);
  for (;;) {
    ssize_t n = sendmsg(fd, &message, flags);
    if (n >= 0) return WireStatus::kOk;
    if (errno == EINTR) continue;
    if (errno == EAGAIN || errno == EWOULDBLOCK) return WireStatus::kWouldBlock;
    return WireStatus::kClosed;
  }
}

WireStatus ReceiveFrame(int fd, WireFrame* out) {
  thread_local std::vector<uint8_t> buffer(kMaxFrameSize + 1);
  iovec part{buffer.data(), buffer.size()};
  msghdr message{};
  message.msg_iov = &part;
  message.msg_iovlen = 1;
  for (;;) {
    ssize_t n = recvmsg(fd, &message, MSG_DONTWAIT);
    if (n > 0) {
      if (message.msg_flags & MSG_TRUNC) return WireStatus::kBad;
      codec::Result<WireFrame> frame = DecodeFrame({buffer.data(), static_cast<size_t>(n)});
      if (!frame) return WireStatus::kBad;
      *out = std::move(*frame);
      return WireStatus::kOk;
    }
    if (n == 0) return WireStatus::kClosed;
    if (errno == EINTR) continue;
    if (errno == EAGAIN || errno == EWOULDBLOCK) return WireStatus::kWouldBlock;
    return WireStatus::kClosed;
  }
}

}  // namespace plat
