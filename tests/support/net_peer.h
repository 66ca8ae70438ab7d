#pragma once
// The other end of a network game, played by a test byte by byte: a free
// port for a test's host, a raw TCP peer that writes frames (or anything
// else) and reads what comes back, and a UDP socket that answers searches.
// Every wait is for an event, bounded by the safety time-out.

#include <netinet/in.h>

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/net/net_socket.h"
#include "platform/net/net_wire.h"

namespace testsupport {

// A port that neither a TCP nor a UDP socket of this machine holds now.
uint16_t FreePort();

struct NetFrame {
  plat::net::FrameKind kind;
  std::vector<uint8_t> payload;
};

class RawPeer {
 public:
  // Connects to 127.0.0.1:`port`, with a receive buffer of that many bytes
  // when given (a peer slow to take what it is sent); false when refused.
  bool Connect(uint16_t port, int receiveBuffer = 0);
  // Takes a connection from `listener` (a test playing the host).
  bool Accept(int listener);
  bool Send(std::span<const uint8_t> bytes);
  // Says hello with our application id (or `application`) and reads the
  // answer; the welcome, or nothing.
  std::optional<plat::net::Welcome> Handshake(const plat::net::NetId& application =
                                                  plat::net::kApplicationId);
  // The next frame; nothing when the connection ended first.
  std::optional<NetFrame> ReadFrame();
  // Waits until the other end closes the connection (true), reading and
  // dropping whatever comes before.
  bool AwaitClose();
  void Close() { fd_.Reset(); }
  int fd() const { return fd_.get(); }

 private:
  bool ReadExactly(uint8_t* out, std::size_t size);
  plat::net::Fd fd_;
};

// A TCP listener on every interface at a free port (a search answered from
// this machine names whichever of its addresses the search came to).
class RawListener {
 public:
  RawListener();
  uint16_t port() const { return port_; }
  int fd() const { return fd_.get(); }

 private:
  plat::net::Fd fd_;
  uint16_t port_ = 0;
};

// A UDP socket bound to `port` on every interface that answers each search
// it receives with `answers` (as given, in order), as a host would.
class SearchResponder {
 public:
  explicit SearchResponder(uint16_t port);
  // Waits for one search datagram and answers it; false when none came.
  bool AnswerOne(const std::vector<plat::net::SearchAnswer>& answers);

 private:
  plat::net::Fd fd_;
};

}  // namespace testsupport
