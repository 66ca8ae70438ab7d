#include "tests/support/net_peer.h"

#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>

#include <cerrno>

#include "codec/bytes.h"
#include "platform/net/net_address.h"
#include "tests/support/child_process.h"

namespace testsupport {

using plat::net::Fd;

namespace {

bool AwaitReadable(int fd) {
  pollfd p{fd, POLLIN, 0};
  int n;
  do {
    n = poll(&p, 1, kSafetyTimeoutMs);
  } while (n < 0 && errno == EINTR);
  return n > 0;
}

uint16_t BoundPort(int fd) {
  sockaddr_in address{};
  socklen_t size = sizeof address;
  getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size);
  return ntohs(address.sin_port);
}

bool Bind(int fd, uint32_t hostOrderAddress, uint16_t port) {
  const sockaddr_in address = plat::net::Ipv4Address(hostOrderAddress, port);
  return bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
}

}  // namespace

uint16_t FreePort() {
  for (;;) {
    Fd tcp(socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (!Bind(tcp.get(), INADDR_ANY, 0)) continue;
    const uint16_t port = BoundPort(tcp.get());
    Fd udp(socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0));
    if (Bind(udp.get(), INADDR_ANY, port)) return port;
  }
}

// Each frame leaves at once, as from the platform's own sockets: waiting
// for idleness after a send relies on the bytes being there.
static void NoDelay(int fd) {
  const int on = 1;
  setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
}

bool RawPeer::Connect(uint16_t port, int receiveBuffer) {
  fd_ = Fd(socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
  NoDelay(fd_.get());
  if (receiveBuffer > 0) {
    setsockopt(fd_.get(), SOL_SOCKET, SO_RCVBUF, &receiveBuffer, sizeof receiveBuffer);
  }
  const sockaddr_in address = plat::net::Ipv4Address(INADDR_LOOPBACK, port);
  return connect(fd_.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
}

bool RawPeer::Accept(int listener) {
  if (!AwaitReadable(listener)) return false;
  fd_ = Fd(accept4(listener, nullptr, nullptr, SOCK_CLOEXEC));
  if (fd_.valid()) NoDelay(fd_.get());
  return fd_.valid();
}

bool RawPeer::Send(std::span<const uint8_t> bytes) {
  return send(fd_.get(), bytes.data(), bytes.size(), MSG_NOSIGNAL) == ssize_t(bytes.size());
}

std::optional<plat::net::Welcome> RawPeer::Handshake(const plat::net::NetId& application) {
  if (!Send(plat::net::EncodeHello(application))) return std::nullopt;
  auto frame = ReadFrame();
  if (!frame || frame->kind != plat::net::FrameKind::kWelcome) return std::nullopt;
  auto welcome = plat::net::DecodeWelcome(frame->payload);
  if (!welcome) return std::nullopt;
  return *welcome;
}

bool RawPeer::ReadExactly(uint8_t* out, std::size_t size) {
  std::size_t got = 0;
  while (got < size) {
    if (!AwaitReadable(fd_.get())) return false;
    const ssize_t n = recv(fd_.get(), out + got, size - got, 0);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    got += std::size_t(n);
  }
  return true;
}

std::optional<NetFrame> RawPeer::ReadFrame() {
  uint8_t header[5];
  if (!ReadExactly(header, sizeof header)) return std::nullopt;
  const uint32_t length = codec::LoadLe<uint32_t>(header);
  if (length == 0 || length > plat::net::kMaxFrameLength) return std::nullopt;
  NetFrame frame{plat::net::FrameKind(header[4]), std::vector<uint8_t>(length - 1)};
  if (!ReadExactly(frame.payload.data(), frame.payload.size())) return std::nullopt;
  return frame;
}

bool RawPeer::AwaitClose() {
  uint8_t sink[4096];
  for (;;) {
    if (!AwaitReadable(fd_.get())) return false;
    const ssize_t n = recv(fd_.get(), sink, sizeof sink, 0);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return true;
  }
}

RawListener::RawListener() : fd_(socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0)) {
  Bind(fd_.get(), INADDR_ANY, 0);
  listen(fd_.get(), 16);
  port_ = BoundPort(fd_.get());
}

SearchResponder::SearchResponder(uint16_t port) : fd_(socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0)) {
  Bind(fd_.get(), INADDR_ANY, port);
}

bool SearchResponder::AnswerOne(const std::vector<plat::net::SearchAnswer>& answers) {
  if (!AwaitReadable(fd_.get())) return false;
  uint8_t datagram[512];
  sockaddr_in from{};
  socklen_t size = sizeof from;
  const ssize_t n =
      recvfrom(fd_.get(), datagram, sizeof datagram, 0, reinterpret_cast<sockaddr*>(&from), &size);
  if (n < 0 || !plat::net::DecodeSearch({datagram, std::size_t(n)})) return false;
  for (const plat::net::SearchAnswer& answer : answers) {
    const std::vector<uint8_t> bytes = plat::net::EncodeAnswer(answer);
    sendto(fd_.get(), bytes.data(), bytes.size(), 0, reinterpret_cast<const sockaddr*>(&from), size);
  }
  return true;
}

}  // namespace testsupport
