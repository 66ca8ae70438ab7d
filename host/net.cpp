// The network game service over the platform's transport: one game at a
// time, hosted (a server) or joined (a client).

#include "host/net.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <string>

#include "host/host_reset.h"
#include "host/net_blocks.h"
#include "platform/net/host_list.h"
#include "platform/net/net_address.h"
#include "platform/net/net_client.h"
#include "platform/net/net_limits.h"
#include "platform/net/net_server.h"

namespace {

namespace net = plat::net;

uint16_t netPort = net::kDefaultPort;
std::unique_ptr<net::NetServer> server;
std::unique_ptr<net::NetClient> client;
net::HostList foundHosts;

bool GameOpen() { return server || client; }

// Why a network call failed, for whoever reads the host's output; the
// application sees 0.
void Report(const std::string& what) {
  std::fprintf(stderr, "tovsim: network: %s\n", what.c_str());
}

void Arrived(std::span<const uint8_t> block) { NetBlocksArrived(block); }

bool ValidBlock(const NetBufferDesc* descriptor) {
  return descriptor && descriptor->data && descriptor->size > 0 && descriptor->size <= kNetMaxBlock;
}

std::span<const uint8_t> Block(const NetBufferDesc* descriptor) {
  return {descriptor->data, descriptor->size};
}

// The newest host a search of the local network finds.
std::optional<sockaddr_in> SearchNewest() {
  foundHosts.Clear();
  net::SearchHosts(netPort, &foundHosts);
  if (foundHosts.hosts().empty()) {
    Report("no host answered the search at port " + std::to_string(netPort));
    return std::nullopt;
  }
  return foundHosts.hosts().front().address;
}

}  // namespace

void SetNetPort(uint16_t port) { netPort = port; }

uint16_t NetPort() { return netPort; }

int NetHost(const char* gameName) {
  if (GameOpen()) return 0;
  NetBlocksReset();
  const std::string name = gameName ? std::string(gameName, strnlen(gameName, net::kMaxNameBytes)) : "";
  std::string error;
  server = net::NetServer::Start(netPort, name, Arrived, &error);
  if (!server) Report("cannot host at port " + std::to_string(netPort) + ": " + error);
  return server ? 1 : 0;
}

int NetJoin(const char* hostName) {
  if (GameOpen()) return 0;
  NetBlocksReset();
  std::string error;
  std::optional<sockaddr_in> host = (!hostName || !*hostName)
                                        ? SearchNewest()
                                        : net::ResolveHost(hostName, netPort, &error);
  if (!host) {
    if (!error.empty()) Report(error);
    return 0;
  }
  client = net::NetClient::Join(*host, Arrived, &error);
  if (!client) Report("cannot join " + net::AddressText(*host) + ": " + error);
  return client ? 1 : 0;
}

int NetSendToClients(const NetBufferDesc* descriptor) {
  if (!ValidBlock(descriptor) || !server) return 0;
  return server->SendToClients(Block(descriptor)) ? 1 : 0;
}

int NetSendToServer(const NetBufferDesc* descriptor) {
  if (!ValidBlock(descriptor) || !client) return 0;
  return client->Send(Block(descriptor)) ? 1 : 0;
}

int NetGetDataSized(uint8_t* buffer, uint32_t capacity, uint32_t* size) {
  return NetBlocksRead(buffer, capacity, size);
}

int NetGetData(uint8_t* buffer) { return NetBlocksRead(buffer, kNetMaxBlock, nullptr); }

void NetClose() {
  // Stop joins the network thread before any socket closes, and no thread
  // is left to take the blocks' lock afterwards.
  if (server) server->Stop();
  if (client) client->Stop();
  server.reset();
  client.reset();
  foundHosts.Clear();
  NetBlocksReset();
}

int NetFoundHostCount() { return int(foundHosts.hosts().size()); }

static const bool resetRegistered = RegisterHostReset(NetClose);
