#pragma once
// IPv4 addresses of the network game: a host named by the user, and where a
// LAN search is sent.

#include <netinet/in.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plat::net {

// "192.168.1.20", "name" or either with ":port"; `defaultPort` without one.
// Names are looked up for IPv4 only. Nothing, with `error` set, when the
// port is not a number from 1 to 65535 or the name has no IPv4 address.
std::optional<sockaddr_in> ResolveHost(std::string_view text, uint16_t defaultPort,
                                       std::string* error);

// Where a search datagram goes: 255.255.255.255, the broadcast address of
// every broadcast-capable IPv4 interface, and 127.0.0.1 (so simulators on
// one machine find each other), each once, at `port`.
std::vector<sockaddr_in> SearchTargets(uint16_t port);

sockaddr_in Ipv4Address(uint32_t hostOrderAddress, uint16_t port);

// "a.b.c.d:port", for messages.
std::string AddressText(const sockaddr_in& address);

}  // namespace plat::net
