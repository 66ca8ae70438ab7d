#pragma once
// Sockets for the network game: owned descriptors, real-time limits a
// parked thread waits on, whole-frame sends, and the sockets a host and a
// joiner open. Every wait goes through the platform scheduler (Park), so
// network threads count as waiting while they wait for their sockets.

#include <netinet/in.h>

#include <cstdint>
#include <span>
#include <string>

namespace plat::net {

// An owned descriptor, closed with its owner.
class Fd {
 public:
  Fd() = default;
  explicit Fd(int fd) : fd_(fd) {}
  ~Fd() { Reset(); }
  Fd(Fd&& other) noexcept : fd_(other.Release()) {}
  Fd& operator=(Fd&& other) noexcept;
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;

  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  int Release();
  void Reset();

 private:
  int fd_ = -1;
};

// CLOCK_MONOTONIC in milliseconds: the scale of every network limit.
int64_t MonotonicMs();

// A real-time limit as a descriptor (a timerfd), so a thread parked on its
// sockets wakes for it; virtual time has no say in it.
class RealTimer {
 public:
  RealTimer();  // throws std::system_error when the kernel refuses one
  int fd() const { return fd_.get(); }
  void ArmIn(int milliseconds);
  void ArmAt(int64_t monotonicMs);
  void Disarm();
  // Reads the expiry, if any, clearing it.
  bool Expired();

 private:
  Fd fd_;
};

// Tells a network thread parked on its sockets to end: a descriptor that
// becomes readable once Signal is called.
class StopEvent {
 public:
  StopEvent();  // throws std::system_error when the kernel refuses one
  int fd() const { return fd_.get(); }
  void Signal();

 private:
  Fd fd_;
};

// Waits until `fd` has one of `events` (true) or `timer` fires (false). The
// caller waits for a peer's answer, so it counts as busy: virtual time does
// not move meanwhile.
bool WaitBusy(int fd, short events, RealTimer& timer);

// Writes `bytes` with one send where the socket has room, else finishes
// the frame as room appears, for at most Limits().sendMs; false when the
// connection failed or the peer's socket did not take it all in time.
bool SendWhole(int fd, std::span<const uint8_t> bytes);

// A TCP listener on every IPv4 interface (SO_REUSEADDR, so hosting again
// right after a close works); invalid, with `error` set, when it cannot be bound.
Fd OpenListener(uint16_t port, std::string* error);
// A UDP socket on every IPv4 interface at `port` (0: any free port), able
// to send broadcasts.
Fd OpenDatagramSocket(uint16_t port, std::string* error);
// Takes one pending connection (non-blocking, TCP_NODELAY); invalid when none.
Fd AcceptConnection(int listener);
// Connects to `address` within Limits().connectMs; a refused connect fails
// at once. The socket is non-blocking with TCP_NODELAY.
Fd ConnectTo(const sockaddr_in& address, std::string* error);

}  // namespace plat::net
