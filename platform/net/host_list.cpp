#include "platform/net/host_list.h"

#include <poll.h>
#include <sys/socket.h>

#include <algorithm>

#include "platform/net/net_address.h"
#include "platform/net/net_limits.h"
#include "platform/net/net_socket.h"

namespace plat::net {
namespace {

// Larger than any answer, so a longer datagram shows as the wrong size.
constexpr std::size_t kDatagramRoom = 512;
// Datagrams taken between two looks at the time limit, so a flood of them
// cannot hold the search past it.
constexpr int kAnswersPerLook = 64;

void SendSearch(int fd, uint16_t port) {
  const std::vector<uint8_t> datagram = EncodeSearch(kApplicationId);
  for (const sockaddr_in& target : SearchTargets(port)) {
    sendto(fd, datagram.data(), datagram.size(), MSG_NOSIGNAL | MSG_DONTWAIT,
           reinterpret_cast<const sockaddr*>(&target), sizeof target);
  }
}

void TakeAnswers(int fd, HostList* list) {
  uint8_t datagram[kDatagramRoom];
  for (int taken = 0; taken < kAnswersPerLook; ++taken) {
    sockaddr_in from{};
    socklen_t size = sizeof from;
    const ssize_t n = recvfrom(fd, datagram, sizeof datagram, MSG_DONTWAIT,
                               reinterpret_cast<sockaddr*>(&from), &size);
    if (n < 0) return;
    const auto answer = DecodeAnswer({datagram, std::size_t(n)});
    if (answer && size == sizeof from && from.sin_family == AF_INET) list->Add(*answer, from);
  }
}

}  // namespace

bool HostList::Add(const SearchAnswer& answer, const sockaddr_in& from) {
  if (answer.application != kApplicationId) return false;
  auto same = [&](const FoundHost& host) { return host.instance == answer.instance; };
  if (std::any_of(hosts_.begin(), hosts_.end(), same)) return false;
  FoundHost host{answer.instance, from, answer.name};
  host.address.sin_port = htons(answer.port);
  if (hosts_.size() == kMaxHosts) hosts_.pop_back();
  hosts_.insert(hosts_.begin(), std::move(host));
  return true;
}

void SearchHosts(uint16_t port, HostList* list) {
  std::string error;
  Fd socket = OpenDatagramSocket(0, &error);
  if (!socket.valid()) return;
  const NetLimits limits = Limits();
  RealTimer timer;
  for (int round = 1; round <= limits.searchRounds; ++round) {
    SendSearch(socket.get(), port);
    timer.ArmIn(round < limits.searchRounds ? limits.searchIntervalMs : limits.searchTailMs);
    while (WaitBusy(socket.get(), POLLIN, timer)) TakeAnswers(socket.get(), list);
  }
}

}  // namespace plat::net
