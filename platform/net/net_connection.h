#pragma once
// One TCP connection of the network game, at either end: whole-frame sends
// from the application thread, frames read and checked against the
// connection's rules on its network thread. A violation ends the connection
// and nothing else.

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <span>

#include "platform/net/frame_reader.h"
#include "platform/net/net_socket.h"
#include "platform/net/net_wire.h"

namespace plat::net {

class Connection {
 public:
  using FrameHandler = std::function<bool(FrameKind, std::span<const uint8_t>)>;

  Connection(Fd fd, Reader reader) : fd_(std::move(fd)), reader_(reader) {}
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  int fd() const { return fd_.get(); }

  // Writes one frame whole; false when the connection is lost or the peer
  // did not take the frame in time (the connection is lost then).
  bool Send(std::span<const uint8_t> frame);
  // The same, running `before` first under the send lock, so that no other
  // frame can be written between the two.
  bool Send(std::span<const uint8_t> frame, const std::function<void()>& before);

  // Shuts the socket both ways, so the thread reading it sees its end; the
  // descriptor itself closes with the last owner of the connection.
  void MarkLost();
  bool Lost() const { return lost_.load(); }

  // Reads what has arrived and hands each whole frame the rules allow to
  // `onFrame`. False when the connection is over: end of stream, a socket
  // error, a broken stream, a frame the rules forbid, or `onFrame` saying so.
  bool ReadFrames(const FrameHandler& onFrame);

  // The handshake is over (set by the reading thread).
  bool handshakeDone = false;
  // A host's limit for the hello, on the MonotonicMs scale.
  int64_t helloDeadline = 0;

 private:
  Fd fd_;
  const Reader reader_;
  FrameReader frames_;
  std::mutex sendMutex_;
  std::atomic<bool> lost_{false};
};

}  // namespace plat::net
