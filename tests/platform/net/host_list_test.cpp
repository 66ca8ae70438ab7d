// The host list a search fills: newest first, each instance once, other
// applications left out, at most 32.

#include "platform/net/host_list.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>

#include "platform/net/net_address.h"

namespace plat::net {
namespace {

SearchAnswer Answer(uint8_t instance, uint16_t port = 5000, const NetId& app = kApplicationId) {
  NetId id{};
  id[0] = instance;
  return {app, id, port, "host" + std::to_string(instance)};
}

const sockaddr_in kFrom = Ipv4Address(0x0A000005, 33333);  // 10.0.0.5, the answer's own port

TEST(HostListTest, NewestFirstAtTheAnswersPort) {
  HostList list;
  EXPECT_TRUE(list.Add(Answer(1, 6001), kFrom));
  EXPECT_TRUE(list.Add(Answer(2, 6002), kFrom));
  ASSERT_EQ(list.hosts().size(), 2u);
  EXPECT_EQ(list.hosts()[0].name, "host2");
  EXPECT_EQ(AddressText(list.hosts()[0].address), "10.0.0.5:6002");
  EXPECT_EQ(AddressText(list.hosts()[1].address), "10.0.0.5:6001");
}

TEST(HostListTest, AnInstanceListedAndOtherApplicationsAreLeftOut) {
  HostList list;
  NetId other = kApplicationId;
  other[15] ^= 1;
  EXPECT_TRUE(list.Add(Answer(1), kFrom));
  EXPECT_TRUE(list.Add(Answer(2), kFrom));
  EXPECT_FALSE(list.Add(Answer(1, 7000), kFrom));
  EXPECT_FALSE(list.Add(Answer(3, 5000, other), kFrom));
  ASSERT_EQ(list.hosts().size(), 2u);
  EXPECT_EQ(list.hosts()[0].name, "host2");
  EXPECT_EQ(ntohs(list.hosts()[1].address.sin_port), 5000);
}

TEST(HostListTest, AFloodKeepsTheNewestThirtyTwo) {
  HostList list;
  for (int i = 0; i < 100; ++i) list.Add(Answer(uint8_t(i)), kFrom);
  ASSERT_EQ(list.hosts().size(), HostList::kMaxHosts);
  EXPECT_EQ(list.hosts().front().name, "host99");
  EXPECT_EQ(list.hosts().back().name, "host68");
  list.Clear();
  EXPECT_TRUE(list.hosts().empty());
}

}  // namespace
}  // namespace plat::net
