#pragma once
// The joining end of a network game: one connection to a host, its
// handshake awaited in the calling thread (busy, within real-time limits),
// then a network thread that hands the host's data blocks on.

#include <netinet/in.h>

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <thread>

#include "platform/net/net_connection.h"
#include "platform/net/net_server.h"
#include "platform/net/net_socket.h"
#include "platform/net/net_wire.h"

namespace plat::net {

class NetClient {
 public:
  // Connects, says hello and waits for the welcome; then starts the network
  // thread, which hands every data block to `onData` and, when the
  // connection ends, calls `onLost` (if given), both on that thread. Null,
  // with `error` set, when the connect fails (a refused one at once), the
  // host refuses, or no welcome comes within Limits().handshakeMs.
  static std::unique_ptr<NetClient> Join(const sockaddr_in& host, DataHandler onData,
                                         std::string* error, std::function<void()> onLost = {});
  ~NetClient();
  NetClient(const NetClient&) = delete;
  NetClient& operator=(const NetClient&) = delete;

  // One data frame to the host; false when the connection is lost or the
  // host did not take it whole.
  bool Send(std::span<const uint8_t> block);
  bool Lost() const { return connection_->Lost(); }
  const Welcome& welcome() const { return welcome_; }

  // Stops and joins the network thread, then closes the connection.
  void Stop();

 private:
  NetClient(std::shared_ptr<Connection> connection, DataHandler onData,
            std::function<void()> onLost);
  bool AwaitWelcome(std::string* error);
  bool HandleFrame(FrameKind kind, std::span<const uint8_t> payload, std::string* error);
  void Run();

  std::shared_ptr<Connection> connection_;
  DataHandler onData_;
  std::function<void()> onLost_;
  Welcome welcome_;
  StopEvent stop_;
  std::thread thread_;
};

}  // namespace plat::net
