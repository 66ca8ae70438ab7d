#include "platform/net/net_connection.h"

#include <sys/socket.h>

#include <cerrno>

namespace plat::net {
namespace {

// Enough for a couple of frames per read; what follows a frame that ends the
// connection is never looked at.
constexpr std::size_t kReadChunk = 2 * kMaxFrameBytes;

}  // namespace

bool Connection::Send(std::span<const uint8_t> frame) { return Send(frame, [] {}); }

bool Connection::Send(std::span<const uint8_t> frame, const std::function<void()>& before) {
  std::lock_guard lock(sendMutex_);
  if (Lost()) return false;
  before();
  if (SendWhole(fd(), frame)) return true;
  MarkLost();
  return false;
}

void Connection::MarkLost() {
  if (!lost_.exchange(true)) shutdown(fd(), SHUT_RDWR);
}

bool Connection::ReadFrames(const FrameHandler& onFrame) {
  uint8_t chunk[kReadChunk];
  ssize_t n;
  do {
    n = recv(fd(), chunk, sizeof chunk, MSG_DONTWAIT);
  } while (n < 0 && errno == EINTR);
  if (n < 0) return errno == EAGAIN || errno == EWOULDBLOCK;
  if (n == 0) return false;
  std::span<const uint8_t> rest(chunk, std::size_t(n));
  while (!rest.empty()) {
    const FrameReader::Fed fed = frames_.Feed(rest);
    rest = rest.subspan(fed.used);
    if (fed.status == FrameReader::Status::kBroken) return false;
    if (fed.status == FrameReader::Status::kPartial) break;
    const FrameKind kind = frames_.kind();
    const std::span<const uint8_t> payload = frames_.payload();
    if (FrameViolation(reader_, handshakeDone, kind, payload.size())) return false;
    if (!onFrame(kind, payload)) return false;
  }
  return true;
}

}  // namespace plat::net
