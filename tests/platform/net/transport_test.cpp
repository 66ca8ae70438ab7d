// The server and the client over loopback sockets: blocks both ways, a
// client that stops reading, connections beyond the pending limit, a host
// that goes away, a search that finds the host.

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <vector>

#include "platform/net/host_list.h"
#include "platform/net/net_address.h"
#include "platform/net/net_client.h"
#include "platform/net/net_limits.h"
#include "platform/net/net_server.h"
#include "tests/support/child_process.h"
#include "tests/support/net_peer.h"

namespace plat::net {
namespace {

using Bytes = std::vector<uint8_t>;
using testsupport::RawPeer;

// Blocks a network thread handed on, for the test thread to wait for.
class Inbox {
 public:
  DataHandler Handler() {
    return [this](std::span<const uint8_t> block) {
      std::lock_guard lock(mutex_);
      blocks_.emplace_back(block.begin(), block.end());
      arrived_.notify_all();
    };
  }
  // The first `count` blocks, once they are in.
  std::vector<Bytes> Await(std::size_t count) {
    std::unique_lock lock(mutex_);
    arrived_.wait_for(lock, std::chrono::milliseconds(testsupport::kSafetyTimeoutMs),
                      [&] { return blocks_.size() >= count; });
    return blocks_;
  }

 private:
  std::mutex mutex_;
  std::condition_variable arrived_;
  std::vector<Bytes> blocks_;
};

class TransportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    server_ = NetServer::Start(port_, "room", inbox_.Handler(), &error);
    ASSERT_TRUE(server_) << error;
  }
  void TearDown() override { SetLimits(saved_); }

  // A raw peer past the handshake, counted by the server.
  void JoinRaw(RawPeer& peer) {
    ASSERT_TRUE(peer.Connect(port_));
    ASSERT_TRUE(peer.Handshake());
  }

  const NetLimits saved_ = Limits();
  const uint16_t port_ = testsupport::FreePort();
  Inbox inbox_;
  std::unique_ptr<NetServer> server_;
};

TEST_F(TransportTest, BlocksGoBothWays) {
  Inbox received;
  std::string error;
  std::mutex mutex;
  std::condition_variable lostChanged;
  bool lost = false;
  auto onLost = [&] {
    std::lock_guard lock(mutex);
    lost = true;
    lostChanged.notify_all();
  };
  auto client =
      NetClient::Join(Ipv4Address(INADDR_LOOPBACK, port_), received.Handler(), &error, onLost);
  ASSERT_TRUE(client) << error;
  EXPECT_EQ(client->welcome().name, "room");
  EXPECT_EQ(client->welcome().instance, server_->instance());
  EXPECT_EQ(server_->ClientCount(), 1u);

  ASSERT_TRUE(client->Send(Bytes{1, 2, 3}));
  EXPECT_EQ(inbox_.Await(1), std::vector<Bytes>{Bytes({1, 2, 3})});
  ASSERT_TRUE(server_->SendToClients(Bytes(kMaxBlock, 7)));
  EXPECT_EQ(received.Await(1), std::vector<Bytes>{Bytes(kMaxBlock, 7)});

  server_->Stop();
  std::unique_lock lock(mutex);
  ASSERT_TRUE(lostChanged.wait_for(lock, std::chrono::milliseconds(testsupport::kSafetyTimeoutMs),
                                   [&] { return lost; }));
  EXPECT_TRUE(client->Lost());
  EXPECT_FALSE(client->Send(Bytes{1}));
}

TEST_F(TransportTest, AClientThatStopsReadingIsDroppedAndTheOthersServed) {
  NetLimits limits = saved_;
  limits.sendMs = 100;
  SetLimits(limits);
  RawPeer stuck, reader;
  ASSERT_TRUE(stuck.Connect(port_, 4096));
  ASSERT_TRUE(stuck.Handshake());
  JoinRaw(reader);
  ASSERT_EQ(server_->ClientCount(), 2u);
  // The reader takes each block as it comes; the stuck peer never reads.
  const Bytes block(kMaxBlock, 1);
  bool allTaken = true;
  int sent = 0;
  for (; sent < 100000 && allTaken; ++sent) {
    allTaken = server_->SendToClients(block);
    if (allTaken) {
      ASSERT_TRUE(reader.ReadFrame());
    }
  }
  EXPECT_FALSE(allTaken) << "the stuck client took " << sent << " blocks";
  EXPECT_TRUE(stuck.AwaitClose());
  EXPECT_EQ(server_->ClientCount(), 1u);
  // The reader got the block the stuck peer did not take, then the next.
  ASSERT_TRUE(reader.ReadFrame());
  EXPECT_TRUE(server_->SendToClients(Bytes{9}));
  auto frame = reader.ReadFrame();
  ASSERT_TRUE(frame);
  EXPECT_EQ(frame->payload, Bytes{9});
}

TEST_F(TransportTest, ConnectionsBeyondThePendingLimitAreClosedAtOnce) {
  std::vector<RawPeer> silent(NetServer::kMaxPending);
  for (RawPeer& peer : silent) ASSERT_TRUE(peer.Connect(port_));
  RawPeer extra;
  ASSERT_TRUE(extra.Connect(port_));
  EXPECT_TRUE(extra.AwaitClose());
  // Those waiting may still say hello.
  ASSERT_TRUE(silent[0].Handshake());
  EXPECT_EQ(server_->ClientCount(), 1u);
}

TEST_F(TransportTest, ASearchOverLoopbackFindsTheHost) {
  NetLimits limits = saved_;
  limits.searchRounds = 2;
  SetLimits(limits);
  HostList list;
  SearchHosts(port_, &list);
  ASSERT_EQ(list.hosts().size(), 1u);
  EXPECT_EQ(list.hosts()[0].name, "room");
  EXPECT_EQ(list.hosts()[0].instance, server_->instance());
  EXPECT_EQ(ntohs(list.hosts()[0].address.sin_port), port_);
}

TEST(TransportConnectTest, AClosedPortRefusesAtOnce) {
  std::string error;
  const auto start = MonotonicMs();
  Inbox inbox;
  EXPECT_FALSE(NetClient::Join(Ipv4Address(INADDR_LOOPBACK, testsupport::FreePort()),
                               inbox.Handler(), &error));
  EXPECT_NE(error.find("refused"), std::string::npos) << error;
  EXPECT_LT(MonotonicMs() - start, Limits().connectMs);
}

TEST(TransportConnectTest, AnAddressIsANameOrNumbersWithAnOptionalPort) {
  std::string error;
  auto plain = ResolveHost("127.0.0.1", 41730, &error);
  ASSERT_TRUE(plain);
  EXPECT_EQ(AddressText(*plain), "127.0.0.1:41730");
  auto withPort = ResolveHost("localhost:80", 41730, &error);
  ASSERT_TRUE(withPort);
  EXPECT_EQ(AddressText(*withPort), "127.0.0.1:80");
  for (const char* bad : {"127.0.0.1:0", "127.0.0.1:65536", "127.0.0.1:", "127.0.0.1:8x", ":80",
                          "no-such-host.invalid"}) {
    EXPECT_FALSE(ResolveHost(bad, 41730, &error)) << bad;
  }
}

}  // namespace
}  // namespace plat::net
