#pragma once
// The hosting end of a network game: a TCP listener for joiners and a UDP
// socket that answers their searches, both at one port on every IPv4
// interface, served by one network thread. At most kMaxClients joiners; a
// connection that breaks the rules, or says no hello within
// Limits().helloMs, is dropped alone.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <thread>
#include <vector>

#include "platform/net/net_connection.h"
#include "platform/net/net_socket.h"
#include "platform/net/net_wire.h"

namespace plat::net {

using DataHandler = std::function<void(std::span<const uint8_t>)>;

class NetServer {
 public:
  static constexpr std::size_t kMaxClients = 8;
  // Connections still without a hello; more are closed as they come.
  static constexpr std::size_t kMaxPending = 8;

  // Binds `port` and starts the network thread, which hands every data
  // block a client sends to `onData` (on that thread). Null, with `error`
  // set, when the port cannot be bound.
  static std::unique_ptr<NetServer> Start(uint16_t port, std::string name, DataHandler onData,
                                          std::string* error);
  ~NetServer();
  NetServer(const NetServer&) = delete;
  NetServer& operator=(const NetServer&) = delete;

  // One data frame to every joined client (true also with none); false
  // when one of them did not take it, which drops that client.
  bool SendToClients(std::span<const uint8_t> block);
  std::size_t ClientCount() const;
  const NetId& instance() const { return instance_; }

  // Stops and joins the network thread, then closes every socket. Harmless twice.
  void Stop();

 private:
  using ConnectionPtr = std::shared_ptr<Connection>;

  NetServer(Fd listener, Fd datagrams, uint16_t port, std::string name, DataHandler onData);
  void Run();
  void AcceptAll();
  void AnswerSearches();
  void DropLateHellos();
  void ArmHelloTimer();
  bool HandleFrame(const ConnectionPtr& connection, FrameKind kind, std::span<const uint8_t> payload);
  bool Admit(const ConnectionPtr& connection, std::span<const uint8_t> hello);
  void Refuse(Connection& connection, RefuseReason reason);
  void Drop(const ConnectionPtr& connection);

  Fd listener_;
  Fd datagrams_;
  const uint16_t port_;
  const std::string name_;
  NetId instance_{};
  DataHandler onData_;
  StopEvent stop_;
  RealTimer helloTimer_;
  // Owned by the network thread.
  std::vector<ConnectionPtr> pending_;
  // Written by the network thread under the mutex, read by senders.
  mutable std::mutex clientsMutex_;
  std::vector<ConnectionPtr> clients_;
  std::thread thread_;
};

}  // namespace plat::net
