#include "platform/net/net_server.h"

#include <poll.h>
#include <sys/random.h>
#include <sys/socket.h>

#include <algorithm>
#include <random>

#include "platform/net/net_limits.h"
#include "platform/sys/scheduler.h"
#include "platform/sys/thread.h"

namespace plat::net {
namespace {

constexpr std::size_t kDatagramRoom = 512;
// Datagrams and connections taken per wake-up, so that a flood of either
// cannot starve the clients.
constexpr int kPerWake = 64;

NetId RandomInstance() {
  NetId id{};
  if (getrandom(id.data(), id.size(), 0) != ssize_t(id.size())) {
    std::random_device device;
    for (uint8_t& byte : id) byte = uint8_t(device());
  }
  return id;
}

template <class T>
void Erase(std::vector<T>& items, const T& item) {
  items.erase(std::remove(items.begin(), items.end(), item), items.end());
}

}  // namespace

std::unique_ptr<NetServer> NetServer::Start(uint16_t port, std::string name, DataHandler onData,
                                            std::string* error) {
  Fd listener = OpenListener(port, error);
  if (!listener.valid()) return nullptr;
  Fd datagrams = OpenDatagramSocket(port, error);
  if (!datagrams.valid()) return nullptr;
  std::unique_ptr<NetServer> server(
      new NetServer(std::move(listener), std::move(datagrams), port, std::move(name), std::move(onData)));
  server->thread_ = StartThread([s = server.get()] { s->Run(); });
  return server;
}

NetServer::NetServer(Fd listener, Fd datagrams, uint16_t port, std::string name, DataHandler onData)
    : listener_(std::move(listener)),
      datagrams_(std::move(datagrams)),
      port_(port),
      name_(name.substr(0, kMaxNameBytes)),
      instance_(RandomInstance()),
      onData_(std::move(onData)) {}

NetServer::~NetServer() { Stop(); }

void NetServer::Stop() {
  if (thread_.joinable()) {
    stop_.Signal();
    thread_.join();
  }
  // No network thread is left to take the lock or touch a connection.
  pending_.clear();
  {
    std::lock_guard lock(clientsMutex_);
    clients_.clear();
  }
  listener_.Reset();
  datagrams_.Reset();
}

bool NetServer::SendToClients(std::span<const uint8_t> block) {
  std::vector<ConnectionPtr> clients;
  {
    std::lock_guard lock(clientsMutex_);
    clients = clients_;
  }
  const std::vector<uint8_t> frame = EncodeData(block);
  bool all = true;
  // A client that fails is marked lost; its thread sees the end and drops it.
  for (const ConnectionPtr& client : clients) all = client->Send(frame) && all;
  return all;
}

std::size_t NetServer::ClientCount() const {
  std::lock_guard lock(clientsMutex_);
  return clients_.size();
}

void NetServer::Run() {
  std::vector<pollfd> fds;
  std::vector<ConnectionPtr> watched;
  for (;;) {
    fds.assign({{stop_.fd(), POLLIN, 0},
                {listener_.get(), POLLIN, 0},
                {datagrams_.get(), POLLIN, 0},
                {helloTimer_.fd(), POLLIN, 0}});
    watched = pending_;
    watched.insert(watched.end(), clients_.begin(), clients_.end());
    for (const ConnectionPtr& c : watched) fds.push_back({c->fd(), POLLIN, 0});
    Park(ParkRequest{kNoDeadline, fds, false});
    if (fds[0].revents) return;
    if (fds[1].revents) AcceptAll();
    if (fds[2].revents) AnswerSearches();
    if (fds[3].revents) DropLateHellos();
    for (std::size_t i = 0; i < watched.size(); ++i) {
      const ConnectionPtr& c = watched[i];
      if (!fds[4 + i].revents) continue;
      auto onFrame = [&](FrameKind kind, std::span<const uint8_t> payload) {
        return HandleFrame(c, kind, payload);
      };
      if (!c->ReadFrames(onFrame)) Drop(c);
    }
  }
}

void NetServer::AcceptAll() {
  for (int taken = 0; taken < kPerWake; ++taken) {
    Fd fd = AcceptConnection(listener_.get());
    if (!fd.valid()) break;
    if (pending_.size() >= kMaxPending) continue;  // closed with fd
    auto connection = std::make_shared<Connection>(std::move(fd), Reader::kHost);
    connection->helloDeadline = MonotonicMs() + Limits().helloMs;
    pending_.push_back(std::move(connection));
  }
  ArmHelloTimer();
}

void NetServer::AnswerSearches() {
  const std::vector<uint8_t> answer =
      EncodeAnswer(SearchAnswer{kApplicationId, instance_, port_, name_});
  uint8_t datagram[kDatagramRoom];
  for (int taken = 0; taken < kPerWake; ++taken) {
    sockaddr_in from{};
    socklen_t size = sizeof from;
    const ssize_t n = recvfrom(datagrams_.get(), datagram, sizeof datagram, MSG_DONTWAIT,
                               reinterpret_cast<sockaddr*>(&from), &size);
    if (n < 0) return;
    const auto search = DecodeSearch({datagram, std::size_t(n)});
    if (!search || *search != kApplicationId) continue;
    sendto(datagrams_.get(), answer.data(), answer.size(), MSG_NOSIGNAL | MSG_DONTWAIT,
           reinterpret_cast<const sockaddr*>(&from), size);
  }
}

void NetServer::DropLateHellos() {
  helloTimer_.Expired();
  const int64_t now = MonotonicMs();
  std::vector<ConnectionPtr> late;
  for (const ConnectionPtr& c : pending_) {
    if (c->helloDeadline <= now) late.push_back(c);
  }
  for (const ConnectionPtr& c : late) Drop(c);
  ArmHelloTimer();
}

void NetServer::ArmHelloTimer() {
  if (pending_.empty()) {
    helloTimer_.Disarm();
    return;
  }
  auto earlier = [](const ConnectionPtr& a, const ConnectionPtr& b) {
    return a->helloDeadline < b->helloDeadline;
  };
  helloTimer_.ArmAt((*std::min_element(pending_.begin(), pending_.end(), earlier))->helloDeadline);
}

bool NetServer::HandleFrame(const ConnectionPtr& connection, FrameKind kind,
                            std::span<const uint8_t> payload) {
  if (kind == FrameKind::kHello) return Admit(connection, payload);
  onData_(payload);
  return true;
}

// Welcomes a joiner of our application and version while there is room;
// refuses the others. False when the connection is to end.
bool NetServer::Admit(const ConnectionPtr& connection, std::span<const uint8_t> payload) {
  const auto hello = DecodeHello(payload);
  if (!hello) return false;
  if (hello->version != kVersion) {
    Refuse(*connection, RefuseReason::kBadVersion);
    return false;
  }
  if (hello->application != kApplicationId) {
    Refuse(*connection, RefuseReason::kOtherApplication);
    return false;
  }
  if (ClientCount() >= kMaxClients) {
    Refuse(*connection, RefuseReason::kFull);
    return false;
  }
  connection->handshakeDone = true;
  Erase(pending_, connection);
  ArmHelloTimer();
  // Counted before the joiner can see its welcome; no block can overtake it.
  auto count = [&] {
    std::lock_guard lock(clientsMutex_);
    clients_.push_back(connection);
  };
  return connection->Send(EncodeWelcome(Welcome{instance_, name_}), count);
}

void NetServer::Refuse(Connection& connection, RefuseReason reason) {
  connection.Send(EncodeRefuse(reason));
}

// Out of the lists first, so that a peer that sees its connection end finds
// it no longer counted.
void NetServer::Drop(const ConnectionPtr& connection) {
  Erase(pending_, connection);
  ArmHelloTimer();
  {
    std::lock_guard lock(clientsMutex_);
    Erase(clients_, connection);
  }
  connection->MarkLost();
}

}  // namespace plat::net
