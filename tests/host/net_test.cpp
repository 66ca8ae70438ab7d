// The network game calls in this process, the test playing the other end
// byte by byte: hosting and joining, peers that break the rules, the
// numbered queue of received blocks, closing, and the LAN search.
//
// A peer's bytes are known to be handled once the host has dropped that
// peer for a rule it broke on purpose afterwards (Settle): frames are taken
// in order, so every block before has been queued and announced.

#include "host/net.h"

#include <gtest/gtest.h>

#include <cstring>
#include <thread>
#include <vector>

#include "host/msg.h"
#include "host/net_blocks.h"
#include "platform/net/net_limits.h"
#include "platform/net/net_socket.h"
#include "tests/support/host_env.h"
#include "tests/support/host_runner.h"
#include "tests/support/net_peer.h"

namespace {

namespace net = plat::net;
using Bytes = std::vector<uint8_t>;
using testsupport::RawPeer;

Bytes Numbered(uint32_t number, std::size_t size = 4) {
  Bytes block(size, 0xEE);
  std::memcpy(block.data(), &number, sizeof number);
  return block;
}

NetBufferDesc Desc(const Bytes& block) { return {uint32_t(block.size()), block.data()}; }

Bytes Join(const Bytes& a, const Bytes& b) {
  Bytes all = a;
  all.insert(all.end(), b.begin(), b.end());
  return all;
}

class NetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(MsgVctInit(), 1);
    MsgRingOpen();
    SetNetPort(port_);
  }
  void TearDown() override {
    NetClose();
    net::SetLimits(saved_);
  }

  void Host() { ASSERT_EQ(NetHost("room"), 1); }

  void Joined(RawPeer& peer) {
    ASSERT_TRUE(peer.Connect(port_));
    ASSERT_TRUE(peer.Handshake());
  }

  // Sends `blocks` as data frames, then a second hello, and waits until the
  // host drops the peer for it.
  static void SendAndSettle(RawPeer& peer, const std::vector<Bytes>& blocks) {
    Bytes stream;
    for (const Bytes& block : blocks) stream = Join(stream, net::EncodeData(block));
    ASSERT_TRUE(peer.Send(Join(stream, net::EncodeHello(net::kApplicationId))));
    ASSERT_TRUE(peer.AwaitClose());
  }

  static Message Take() {
    Message message{};
    EXPECT_EQ(GetMsg(&message), 1);
    return message;
  }

  // Takes the next Message, which must announce a block, and reads it.
  static Bytes TakeBlock() {
    const Message message = Take();
    EXPECT_EQ(message.type, MsgNetData);
    EXPECT_EQ(message.wParam, 0u);
    uint8_t buffer[kNetMaxBlock];
    uint32_t size = 0;
    if (!NetGetDataSized(buffer, sizeof buffer, &size)) return {};
    return Bytes(buffer, buffer + size);
  }

  // The host still serves `good`: a block sent to the clients reaches it.
  static void StillServed(RawPeer& good) {
    const Bytes block{4, 5, 6};
    const NetBufferDesc desc = Desc(block);
    ASSERT_EQ(NetSendToClients(&desc), 1);
    auto frame = good.ReadFrame();
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->payload, block);
  }

  testsupport::HostEnv env;
  const net::NetLimits saved_ = net::Limits();
  const uint16_t port_ = testsupport::FreePort();
};

TEST_F(NetTest, HostingServesAGoodPeerBothWays) {
  Host();
  RawPeer peer;
  ASSERT_TRUE(peer.Connect(port_));
  auto welcome = peer.Handshake();
  ASSERT_TRUE(welcome);
  EXPECT_EQ(welcome->name, "room");

  ASSERT_TRUE(peer.Send(net::EncodeData(Bytes{1, 2, 3})));
  const Message message = Take();
  EXPECT_EQ(message.type, MsgNetData);
  EXPECT_EQ(message.lParam, 1u);
  uint8_t buffer[kNetMaxBlock];
  ASSERT_EQ(NetGetData(buffer), 1);
  EXPECT_EQ(Bytes(buffer, buffer + 3), (Bytes{1, 2, 3}));
  StillServed(peer);
}

TEST_F(NetTest, JoiningAGoodHostServesBothWays) {
  testsupport::RawListener listener;
  RawPeer host;
  std::thread serve([&] {
    ASSERT_TRUE(host.Accept(listener.fd()));
    auto hello = host.ReadFrame();
    ASSERT_TRUE(hello);
    EXPECT_EQ(hello->kind, net::FrameKind::kHello);
    host.Send(net::EncodeWelcome({net::NetId{}, "far"}));
  });
  const std::string address = "127.0.0.1:" + std::to_string(listener.port());
  EXPECT_EQ(NetJoin(address.c_str()), 1);
  serve.join();

  const Bytes block = Numbered(7, kNetMaxBlock);
  const NetBufferDesc desc = Desc(block);
  EXPECT_EQ(NetSendToClients(&desc), 0);  // the wrong role
  ASSERT_EQ(NetSendToServer(&desc), 1);
  auto frame = host.ReadFrame();
  ASSERT_TRUE(frame);
  EXPECT_EQ(frame->payload, block);
  ASSERT_TRUE(host.Send(net::EncodeData(Bytes{9})));
  EXPECT_EQ(TakeBlock(), Bytes{9});

  // A host that breaks the rules is dropped, and sends fail from then on.
  ASSERT_TRUE(host.Send(net::EncodeWelcome({})));
  EXPECT_TRUE(host.AwaitClose());
  EXPECT_EQ(NetSendToServer(&desc), 0);
}

TEST_F(NetTest, AnotherApplicationIsRefusedWhileAGoodClientIsServed) {
  Host();
  RawPeer good, other;
  Joined(good);
  ASSERT_TRUE(other.Connect(port_));
  net::NetId otherId = net::kApplicationId;
  otherId[0] ^= 0xFF;
  ASSERT_TRUE(other.Send(net::EncodeHello(otherId)));
  auto refuse = other.ReadFrame();
  ASSERT_TRUE(refuse);
  EXPECT_EQ(refuse->kind, net::FrameKind::kRefuse);
  EXPECT_EQ(refuse->payload, Bytes{uint8_t(net::RefuseReason::kOtherApplication)});
  EXPECT_TRUE(other.AwaitClose());
  StillServed(good);
}

TEST_F(NetTest, EachBrokenRuleDropsOnlyThatConnection) {
  Host();
  RawPeer good;
  Joined(good);
  const Bytes hello = net::EncodeHello(net::kApplicationId);
  Bytes tooLong = net::EncodeData(Bytes(kNetMaxBlock, 1));
  tooLong[0] += 1;  // 1025 bytes of data
  tooLong.push_back(1);
  struct Case {
    const char* what;
    bool handshake;
    Bytes bytes;
    bool peerCloses;  // the peer itself goes away after the bytes
  };
  const std::vector<Case> cases = {
      {"length 0xFFFFFFFF", true, {0xFF, 0xFF, 0xFF, 0xFF, 4, 1}, false},
      {"length 0", true, {0, 0, 0, 0, 4}, false},
      {"a 1025-byte block", true, tooLong, false},
      {"data before the hello", false, net::EncodeData(Bytes{1}), false},
      {"a second hello", true, hello, false},
      {"a welcome from a client", true, net::EncodeWelcome({}), false},
      {"a refuse from a client", false, net::EncodeRefuse(net::RefuseReason::kFull), false},
      {"an unknown kind", true, {1, 0, 0, 0, 9}, false},
      {"an empty block", true, {1, 0, 0, 0, 4}, false},
      {"half a frame, then gone", true, {10, 0, 0, 0, 4, 1, 2}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RawPeer bad;
    ASSERT_TRUE(bad.Connect(port_));
    if (c.handshake) {
      ASSERT_TRUE(bad.Handshake());
    }
    ASSERT_TRUE(bad.Send(c.bytes));
    if (c.peerCloses) {
      bad.Close();
      // The host takes the end of that stream before the next send, or the
      // send would still find the peer among its clients.
      ASSERT_TRUE(testsupport::WaitIdle());
    } else {
      EXPECT_TRUE(bad.AwaitClose());
    }
    StillServed(good);
    EXPECT_EQ(MsgPendingCount(), 0);
  }
}

TEST_F(NetTest, ASilentClientIsDroppedAndTheNextAccepted) {
  net::NetLimits limits = saved_;
  limits.helloMs = 50;
  net::SetLimits(limits);
  Host();
  RawPeer silent, next;
  ASSERT_TRUE(silent.Connect(port_));
  EXPECT_TRUE(silent.AwaitClose());
  Joined(next);
  StillServed(next);
}

TEST_F(NetTest, TheNinthClientIsRefusedFull) {
  Host();
  std::vector<RawPeer> clients(8);
  for (RawPeer& client : clients) Joined(client);
  RawPeer ninth;
  ASSERT_TRUE(ninth.Connect(port_));
  ASSERT_TRUE(ninth.Send(net::EncodeHello(net::kApplicationId)));
  auto refuse = ninth.ReadFrame();
  ASSERT_TRUE(refuse);
  EXPECT_EQ(refuse->payload, Bytes{uint8_t(net::RefuseReason::kFull)});
  for (RawPeer& client : clients) StillServed(client);
}

TEST_F(NetTest, AThousandUnreadBlocksKeepTheNewestSixtyFour) {
  Host();
  RawPeer peer;
  Joined(peer);
  std::vector<Bytes> blocks;
  for (uint32_t i = 1; i <= 1000; ++i) blocks.push_back(Numbered(i));
  SendAndSettle(peer, blocks);
  EXPECT_EQ(NetBlocksUnread(), kNetMaxUnread);
  // The ring keeps its newest 99 Messages; the blocks of the first 35 of
  // those are gone.
  std::vector<uint32_t> read;
  while (MsgPendingCount() > 0) {
    const Message message = Take();
    uint8_t buffer[kNetMaxBlock];
    uint32_t size = 0;
    if (NetGetDataSized(buffer, sizeof buffer, &size)) {
      EXPECT_EQ(Bytes(buffer, buffer + size), Numbered(message.lParam));
      read.push_back(message.lParam);
    }
  }
  ASSERT_EQ(read.size(), std::size_t(kNetMaxUnread));
  EXPECT_EQ(read.front(), 1000u - kNetMaxUnread + 1);
  EXPECT_EQ(read.back(), 1000u);
}

TEST_F(NetTest, BlocksThatArriveTogetherAreReadInTurn) {
  Host();
  RawPeer peer;
  Joined(peer);
  SendAndSettle(peer, {Bytes{1, 0, 1}, Bytes{2}});
  EXPECT_EQ(TakeBlock(), (Bytes{1, 0, 1}));
  EXPECT_EQ(TakeBlock(), Bytes{2});
  // The same Message gives the same block again.
  uint8_t buffer[4];
  uint32_t size = 0;
  ASSERT_EQ(NetGetDataSized(buffer, sizeof buffer, &size), 1);
  EXPECT_EQ(size, 1u);
  EXPECT_EQ(buffer[0], 2);
}

TEST_F(NetTest, AMessageClearedFromTheRingLeavesNoBlockBehind) {
  Host();
  RawPeer first, second;
  Joined(first);
  Joined(second);
  SendAndSettle(first, {Bytes{1}});
  EXPECT_EQ(TakeBlock(), Bytes{1});
  SendAndSettle(second, {Bytes{2}, Bytes{3}});
  ClearMsgQueue();
  EXPECT_EQ(NetBlocksUnread(), 0);
  // The Message taken last still names its block; the cleared ones are gone.
  uint8_t buffer[kNetMaxBlock];
  ASSERT_EQ(NetGetData(buffer), 1);
  EXPECT_EQ(buffer[0], 1);
  RawPeer third;
  Joined(third);
  SendAndSettle(third, {Bytes{4}});
  const Message message = Take();
  EXPECT_EQ(message.lParam, 4u);
  ASSERT_EQ(NetGetData(buffer), 1);
  EXPECT_EQ(buffer[0], 4);
}

TEST_F(NetTest, ASmallBufferGetsItsCapacityAndTheWholeSize) {
  Host();
  RawPeer peer;
  Joined(peer);
  SendAndSettle(peer, {Numbered(0x04030201, 100)});
  Take();
  uint8_t buffer[8];
  std::memset(buffer, 0xAA, sizeof buffer);
  uint32_t size = 0;
  ASSERT_EQ(NetGetDataSized(buffer, 4, &size), 1);
  EXPECT_EQ(size, 100u);
  EXPECT_EQ(Bytes(buffer, buffer + 8), (Bytes{1, 2, 3, 4, 0xAA, 0xAA, 0xAA, 0xAA}));
  EXPECT_EQ(NetGetDataSized(nullptr, 4, &size), 0);
  EXPECT_EQ(NetGetData(nullptr), 0);
}

TEST_F(NetTest, NothingIsTakenBeforeAMessageAnnouncesIt) {
  uint8_t buffer[kNetMaxBlock];
  EXPECT_EQ(NetGetData(buffer), 0);
  Host();
  RawPeer peer;
  Joined(peer);
  SendAndSettle(peer, {Bytes{1}});
  EXPECT_EQ(NetGetData(buffer), 0);
}

TEST_F(NetTest, SendsRefuseWhatCannotGo) {
  const Bytes block{1};
  const Bytes largest(kNetMaxBlock, 1);
  const Bytes tooLarge(kNetMaxBlock + 1, 1);
  const NetBufferDesc good = Desc(block);
  EXPECT_EQ(NetSendToClients(&good), 0);  // no game
  EXPECT_EQ(NetSendToServer(&good), 0);
  Host();
  const NetBufferDesc bad[] = {{0, block.data()}, {1, nullptr}, Desc(tooLarge)};
  for (const NetBufferDesc& desc : bad) EXPECT_EQ(NetSendToClients(&desc), 0) << desc.size;
  EXPECT_EQ(NetSendToClients(nullptr), 0);
  EXPECT_EQ(NetSendToServer(&good), 0);  // the wrong role
  EXPECT_EQ(NetSendToClients(&good), 1);  // none connected
  const NetBufferDesc full = Desc(largest);
  EXPECT_EQ(NetSendToClients(&full), 1);
}

TEST_F(NetTest, OneGameAtATimeAndHostingAgainAtOnce) {
  Host();
  EXPECT_EQ(NetHost("again"), 0);
  EXPECT_EQ(NetJoin("127.0.0.1"), 0);
  RawPeer peer;
  Joined(peer);
  NetClose();
  EXPECT_TRUE(peer.AwaitClose());
  NetClose();
  Host();
  RawPeer next;
  Joined(next);
  StillServed(next);
}

TEST_F(NetTest, HostingFailsOnAPortInUse) {
  std::string error;
  const net::Fd taken = net::OpenListener(port_, &error);
  ASSERT_TRUE(taken.valid()) << error;
  EXPECT_EQ(NetHost("room"), 0);
}

TEST_F(NetTest, JoiningAClosedPortFailsAtOnce) {
  const std::string address = "127.0.0.1:" + std::to_string(testsupport::FreePort());
  const int64_t start = net::MonotonicMs();
  EXPECT_EQ(NetJoin(address.c_str()), 0);
  EXPECT_LT(net::MonotonicMs() - start, net::Limits().connectMs);
  // A failed join leaves no game open.
  Host();
}

TEST_F(NetTest, ASearchTakesTheNewestOfAtMostThirtyTwoHostsOfOurs) {
  net::NetLimits limits = saved_;
  limits.searchRounds = 2;
  limits.searchIntervalMs = 50;
  net::SetLimits(limits);
  testsupport::RawListener listener;
  net::NetId otherApplication = net::kApplicationId;
  otherApplication[3] ^= 1;
  std::vector<net::SearchAnswer> answers;
  for (uint8_t i = 0; i < 40; ++i) {
    net::NetId instance{};
    instance[0] = i;
    answers.push_back({net::kApplicationId, instance, uint16_t(listener.port() + 1), "flood"});
    answers.push_back({otherApplication, net::NetId{}, 1, "foreign"});
  }
  net::NetId newest{};
  newest[1] = 1;
  answers.push_back({net::kApplicationId, newest, listener.port(), "newest"});
  answers.push_back({otherApplication, net::NetId{}, 2, "foreign last"});
  testsupport::SearchResponder responder(port_);
  RawPeer host;
  std::thread serve([&] {
    ASSERT_TRUE(responder.AnswerOne(answers));
    ASSERT_TRUE(host.Accept(listener.fd()));
    ASSERT_TRUE(host.ReadFrame());
    host.Send(net::EncodeWelcome({newest, "newest"}));
  });
  EXPECT_EQ(NetJoin(""), 1);
  serve.join();
  EXPECT_EQ(NetFoundHostCount(), 32);
}

TEST_F(NetTest, ASearchWithoutAnswersFails) {
  net::NetLimits limits = saved_;
  limits.searchRounds = 1;
  limits.searchTailMs = 50;
  net::SetLimits(limits);
  EXPECT_EQ(NetJoin(""), 0);
  EXPECT_EQ(NetFoundHostCount(), 0);
}

}  // namespace
