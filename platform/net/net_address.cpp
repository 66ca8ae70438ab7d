#include "platform/net/net_address.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netdb.h>
#include <sys/socket.h>

#include <algorithm>

#include "platform/net/net_limits.h"

namespace plat::net {
namespace {

bool SameAddress(const sockaddr_in& a, const sockaddr_in& b) {
  return a.sin_addr.s_addr == b.sin_addr.s_addr && a.sin_port == b.sin_port;
}

void AddOnce(std::vector<sockaddr_in>& targets, const sockaddr_in& target) {
  auto same = [&](const sockaddr_in& t) { return SameAddress(t, target); };
  if (std::none_of(targets.begin(), targets.end(), same)) targets.push_back(target);
}

}  // namespace

sockaddr_in Ipv4Address(uint32_t hostOrderAddress, uint16_t port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(hostOrderAddress);
  address.sin_port = htons(port);
  return address;
}

std::optional<sockaddr_in> ResolveHost(std::string_view text, uint16_t defaultPort,
                                       std::string* error) {
  std::string name(text);
  uint16_t port = defaultPort;
  if (const auto colon = name.rfind(':'); colon != std::string::npos) {
    const auto parsed = ParsePort(std::string_view(name).substr(colon + 1));
    if (!parsed) {
      *error = "bad port in '" + name + "'";
      return std::nullopt;
    }
    port = *parsed;
    name.erase(colon);
  }
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  const int status = name.empty() ? EAI_NONAME : getaddrinfo(name.c_str(), nullptr, &hints, &found);
  if (status != 0 || !found) {
    *error = "no IPv4 address for '" + name + "'";
    return std::nullopt;
  }
  sockaddr_in address = *reinterpret_cast<const sockaddr_in*>(found->ai_addr);
  freeaddrinfo(found);
  address.sin_port = htons(port);
  return address;
}

std::vector<sockaddr_in> SearchTargets(uint16_t port) {
  std::vector<sockaddr_in> targets;
  AddOnce(targets, Ipv4Address(INADDR_BROADCAST, port));
  ifaddrs* interfaces = nullptr;
  if (getifaddrs(&interfaces) == 0) {
    for (const ifaddrs* i = interfaces; i; i = i->ifa_next) {
      if (!i->ifa_addr || i->ifa_addr->sa_family != AF_INET) continue;
      if (!(i->ifa_flags & IFF_BROADCAST) || !(i->ifa_flags & IFF_UP) || !i->ifa_broadaddr) continue;
      sockaddr_in target = *reinterpret_cast<const sockaddr_in*>(i->ifa_broadaddr);
      target.sin_port = htons(port);
      AddOnce(targets, target);
    }
    freeifaddrs(interfaces);
  }
  AddOnce(targets, Ipv4Address(INADDR_LOOPBACK, port));
  return targets;
}

std::string AddressText(const sockaddr_in& address) {
  char text[INET_ADDRSTRLEN] = {};
  inet_ntop(AF_INET, &address.sin_addr, text, sizeof text);
  return std::string(text) + ":" + std::to_string(ntohs(address.sin_port));
}

}  // namespace plat::net
