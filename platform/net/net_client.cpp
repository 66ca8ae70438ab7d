#include "platform/net/net_client.h"

#include <poll.h>

#include "platform/net/net_address.h"
#include "platform/net/net_limits.h"
#include "platform/sys/scheduler.h"
#include "platform/sys/thread.h"

namespace plat::net {
namespace {

const char* ReasonText(RefuseReason reason) {
  switch (reason) {
    case RefuseReason::kOtherApplication: return "another application";
    case RefuseReason::kBadVersion: return "another version";
    case RefuseReason::kFull: return "full";
  }
  return "refused";
}

}  // namespace

std::unique_ptr<NetClient> NetClient::Join(const sockaddr_in& host, DataHandler onData,
                                           std::string* error, std::function<void()> onLost) {
  Fd fd = ConnectTo(host, error);
  if (!fd.valid()) return nullptr;
  auto connection = std::make_shared<Connection>(std::move(fd), Reader::kJoiner);
  std::unique_ptr<NetClient> client(new NetClient(std::move(connection), std::move(onData), std::move(onLost)));
  if (!client->connection_->Send(EncodeHello(kApplicationId))) {
    *error = "hello not taken by " + AddressText(host);
    return nullptr;
  }
  if (!client->AwaitWelcome(error)) return nullptr;
  client->thread_ = StartThread([c = client.get()] { c->Run(); });
  return client;
}

NetClient::NetClient(std::shared_ptr<Connection> connection, DataHandler onData,
                     std::function<void()> onLost)
    : connection_(std::move(connection)), onData_(std::move(onData)), onLost_(std::move(onLost)) {}

NetClient::~NetClient() { Stop(); }

void NetClient::Stop() {
  if (thread_.joinable()) {
    stop_.Signal();
    thread_.join();
  }
  connection_->MarkLost();
}

bool NetClient::Send(std::span<const uint8_t> block) { return connection_->Send(EncodeData(block)); }

bool NetClient::AwaitWelcome(std::string* error) {
  RealTimer timer;
  timer.ArmIn(Limits().handshakeMs);
  auto onFrame = [&](FrameKind kind, std::span<const uint8_t> payload) {
    return HandleFrame(kind, payload, error);
  };
  while (!connection_->handshakeDone) {
    if (!WaitBusy(connection_->fd(), POLLIN, timer)) {
      *error = "no welcome in time";
      return false;
    }
    if (!connection_->ReadFrames(onFrame)) {
      if (error->empty()) *error = "connection ended before the welcome";
      return false;
    }
  }
  return true;
}

bool NetClient::HandleFrame(FrameKind kind, std::span<const uint8_t> payload, std::string* error) {
  if (kind == FrameKind::kData) {
    onData_(payload);
    return true;
  }
  if (kind == FrameKind::kRefuse) {
    const auto reason = DecodeRefuse(payload);
    *error = std::string("refused: ") + (reason ? ReasonText(*reason) : "?");
    return false;
  }
  const auto welcome = DecodeWelcome(payload);
  if (!welcome) {
    *error = "bad welcome: " + welcome.error().Text();
    return false;
  }
  welcome_ = *welcome;
  connection_->handshakeDone = true;
  return true;
}

void NetClient::Run() {
  std::string ignored;
  auto onFrame = [&](FrameKind kind, std::span<const uint8_t> payload) {
    return HandleFrame(kind, payload, &ignored);
  };
  for (;;) {
    pollfd fds[2] = {{stop_.fd(), POLLIN, 0}, {connection_->fd(), POLLIN, 0}};
    Park(ParkRequest{kNoDeadline, fds, false});
    if (fds[0].revents) return;
    if (fds[1].revents && !connection_->ReadFrames(onFrame)) {
      // Lost: the next send says so.
      connection_->MarkLost();
      if (onLost_) onLost_();
      return;
    }
  }
}

}  // namespace plat::net
