#pragma once
// The network's port and time limits. Every limit is real time: a peer's
// answer comes in real time whatever the clock of this program does, so a
// virtual deadline could pass before the answer had any chance.

#include <cstdint>
#include <optional>
#include <string_view>

namespace plat::net {

// The TCP listener and the UDP search socket (TOVSIM_NET_PORT).
inline constexpr uint16_t kDefaultPort = 41730;

// "1" to "65535"; nothing for anything else.
std::optional<uint16_t> ParsePort(std::string_view text);

struct NetLimits {
  int helloMs = 5000;          // a client's hello after its connect, at the host
  int sendMs = 2000;           // a frame taken whole by the peer's socket
  int connectMs = 5000;        // a joiner's connect
  int handshakeMs = 5000;      // the host's welcome or refuse after the hello
  int searchRounds = 4;        // search datagrams sent ...
  int searchIntervalMs = 250;  // ... this far apart,
  int searchTailMs = 1000;     // answers taken this long after the last
};

// The limits in force; tests shorten them. Set them while no network thread runs.
const NetLimits& Limits();
void SetLimits(const NetLimits& limits);

}  // namespace plat::net
