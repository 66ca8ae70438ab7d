#pragma once
// The hosts a LAN search found, newest first: at most kMaxHosts, each
// instance once, only hosts of our application.

#include <netinet/in.h>

#include <cstddef>
#include <string>
#include <vector>

#include "platform/net/net_wire.h"

namespace plat::net {

struct FoundHost {
  NetId instance{};
  sockaddr_in address{};  // where the answer came from, at the TCP port it named
  std::string name;
};

class HostList {
 public:
  static constexpr std::size_t kMaxHosts = 32;

  // Puts the host that sent `answer` from `from` first. False, and nothing
  // added, for another application's answer or an instance already listed.
  // A full list lets its oldest entry go.
  bool Add(const SearchAnswer& answer, const sockaddr_in& from);

  const std::vector<FoundHost>& hosts() const { return hosts_; }
  void Clear() { hosts_.clear(); }

 private:
  std::vector<FoundHost> hosts_;
};

// Sends the search datagram Limits().searchRounds times,
// Limits().searchIntervalMs apart, to every SearchTargets(port) address
// (those that cannot be reached are skipped), and adds the answers that
// come until Limits().searchTailMs after the last send to `list`. The wait
// is busy: virtual time stands still while answers are awaited.
void SearchHosts(uint16_t port, HostList* list);

}  // namespace plat::net
