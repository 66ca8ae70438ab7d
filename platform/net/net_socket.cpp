#include "platform/net/net_socket.h"

#include <fcntl.h>
#include <netinet/tcp.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <sys/timerfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>
#include <system_error>

#include "platform/net/net_limits.h"
#include "platform/sys/scheduler.h"

namespace plat::net {
namespace {

std::string SystemError(const char* what) { return std::string(what) + ": " + std::strerror(errno); }

void SetFlag(int fd, int level, int option) {
  int on = 1;
  setsockopt(fd, level, option, &on, sizeof on);
}

sockaddr_in AnyAddress(uint16_t port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_ANY);
  address.sin_port = htons(port);
  return address;
}

Fd BoundSocket(int type, uint16_t port, std::string* error) {
  Fd fd(socket(AF_INET, type | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
  if (!fd.valid()) {
    *error = SystemError("socket");
    return {};
  }
  if (type == SOCK_STREAM) SetFlag(fd.get(), SOL_SOCKET, SO_REUSEADDR);
  if (type == SOCK_DGRAM) SetFlag(fd.get(), SOL_SOCKET, SO_BROADCAST);
  const sockaddr_in address = AnyAddress(port);
  if (bind(fd.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    *error = SystemError("bind");
    return {};
  }
  return fd;
}

}  // namespace

Fd& Fd::operator=(Fd&& other) noexcept {
  if (this != &other) {
    Reset();
    fd_ = other.Release();
  }
  return *this;
}

int Fd::Release() {
  const int fd = fd_;
  fd_ = -1;
  return fd;
}

void Fd::Reset() {
  if (fd_ >= 0) close(fd_);
  fd_ = -1;
}

int64_t MonotonicMs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return int64_t(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

RealTimer::RealTimer() : fd_(timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC)) {
  if (!fd_.valid()) throw std::system_error(errno, std::generic_category(), "timerfd_create");
}

void RealTimer::ArmIn(int milliseconds) { ArmAt(MonotonicMs() + milliseconds); }

void RealTimer::ArmAt(int64_t monotonicMs) {
  itimerspec expiry{};
  // Zero would disarm; a moment already past fires at once.
  const int64_t at = monotonicMs > 0 ? monotonicMs : 1;
  expiry.it_value.tv_sec = at / 1000;
  expiry.it_value.tv_nsec = (at % 1000) * 1000000;
  timerfd_settime(fd_.get(), TFD_TIMER_ABSTIME, &expiry, nullptr);
}

void RealTimer::Disarm() {
  itimerspec expiry{};
  timerfd_settime(fd_.get(), 0, &expiry, nullptr);
  Expired();
}

bool RealTimer::Expired() {
  uint64_t count = 0;
  return read(fd_.get(), &count, sizeof count) == sizeof count && count > 0;
}

StopEvent::StopEvent() : fd_(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {
  if (!fd_.valid()) throw std::system_error(errno, std::generic_category(), "eventfd");
}

void StopEvent::Signal() {
  const uint64_t one = 1;
  [[maybe_unused]] ssize_t n = write(fd_.get(), &one, sizeof one);
}

bool WaitBusy(int fd, short events, RealTimer& timer) {
  for (;;) {
    pollfd fds[2] = {{fd, events, 0}, {timer.fd(), POLLIN, 0}};
    Park(ParkRequest{kNoDeadline, fds, true});
    // The limit first: a peer that keeps the socket busy cannot outlast it.
    if (fds[1].revents != 0 && timer.Expired()) return false;
    if (fds[0].revents != 0) return true;
  }
}

bool SendWhole(int fd, std::span<const uint8_t> bytes) {
  std::size_t sent = 0;
  // Armed at the first wait: a socket with room takes a frame without one.
  std::optional<RealTimer> timer;
  while (sent < bytes.size()) {
    const ssize_t n = send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL | MSG_DONTWAIT);
    if (n > 0) {
      sent += std::size_t(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) return false;
    if (!timer) {
      timer.emplace();
      timer->ArmIn(Limits().sendMs);
    }
    if (!WaitBusy(fd, POLLOUT, *timer)) return false;
  }
  return true;
}

Fd OpenListener(uint16_t port, std::string* error) {
  Fd fd = BoundSocket(SOCK_STREAM, port, error);
  if (fd.valid() && listen(fd.get(), SOMAXCONN) != 0) {
    *error = SystemError("listen");
    return {};
  }
  return fd;
}

Fd OpenDatagramSocket(uint16_t port, std::string* error) { return BoundSocket(SOCK_DGRAM, port, error); }

Fd AcceptConnection(int listener) {
  Fd fd(accept4(listener, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC));
  if (fd.valid()) SetFlag(fd.get(), IPPROTO_TCP, TCP_NODELAY);
  return fd;
}

Fd ConnectTo(const sockaddr_in& address, std::string* error) {
  Fd fd(socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
  if (!fd.valid()) {
    *error = SystemError("socket");
    return {};
  }
  SetFlag(fd.get(), IPPROTO_TCP, TCP_NODELAY);
  if (connect(fd.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) return fd;
  if (errno != EINPROGRESS) {
    *error = SystemError("connect");
    return {};
  }
  RealTimer timer;
  timer.ArmIn(Limits().connectMs);
  if (!WaitBusy(fd.get(), POLLOUT, timer)) {
    *error = "connect: no answer in time";
    return {};
  }
  int failure = 0;
  socklen_t size = sizeof failure;
  getsockopt(fd.get(), SOL_SOCKET, SO_ERROR, &failure, &size);
  if (failure != 0) {
    *error = std::string("connect: ") + std::strerror(failure);
    return {};
  }
  return fd;
}

}  // namespace plat::net
