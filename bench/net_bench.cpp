// The network game's round trip beside its floor, in one run:
//   TcpPingPong   60 bytes there and back over loopback TCP (TCP_NODELAY)
//                 between this process and a forked echo process
//   NetRoundTrip  60 bytes sent with NetSendToServer to a forked process
//                 hosting a game that sends every block back, taken with
//                 GetMsg (MsgNetData) and NetGetDataSized
// Both children are forked before any thread of this process exists.

#include <benchmark/benchmark.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "bench/targets.h"
#include "host/msg.h"
#include "host/net.h"
#include "platform/net/net_server.h"

namespace {

constexpr std::size_t kBlock = 60;

bool WriteAll(int fd, const uint8_t* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = send(fd, data, size, MSG_NOSIGNAL);
    if (n <= 0) return false;
    data += n;
    size -= std::size_t(n);
  }
  return true;
}

bool ReadAll(int fd, uint8_t* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = recv(fd, data, size, 0);
    if (n <= 0) return false;
    data += n;
    size -= std::size_t(n);
  }
  return true;
}

void NoDelay(int fd) {
  const int on = 1;
  setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
}

// A listener on 127.0.0.1 at a port the system picks; -1 on failure.
int Listen(uint16_t* port) {
  const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  if (fd < 0 || bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      listen(fd, 1) != 0 || getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    return -1;
  }
  *port = ntohs(address.sin_port);
  return fd;
}

// A forked child, killed at the end.
struct Child {
  pid_t pid = -1;
  ~Child() {
    if (pid > 0) {
      kill(pid, SIGKILL);
      waitpid(pid, nullptr, 0);
    }
  }
};

Child tcpEcho;
int tcpFd = -1;
Child netEcho;
bool joined = false;

// The raw peer: accepts one connection and echoes 60-byte messages.
bool StartTcpEcho() {
  uint16_t port = 0;
  const int listener = Listen(&port);
  if (listener < 0) return false;
  tcpEcho.pid = fork();
  if (tcpEcho.pid == 0) {
    const int fd = accept(listener, nullptr, nullptr);
    NoDelay(fd);
    uint8_t block[kBlock];
    while (ReadAll(fd, block, kBlock) && WriteAll(fd, block, kBlock)) {
    }
    _exit(0);
  }
  tcpFd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  NoDelay(tcpFd);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(port);
  const bool ok = connect(tcpFd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
  close(listener);
  return ok;
}

// The hosting process: every block a client sends goes back to the clients.
// It says on the pipe when it is listening.
[[noreturn]] void HostEcho(uint16_t port, int ready) {
  std::unique_ptr<plat::net::NetServer> server;
  std::string error;
  server = plat::net::NetServer::Start(
      port, "echo", [&server](std::span<const uint8_t> block) { server->SendToClients(block); },
      &error);
  const char answer = server ? 1 : 0;
  [[maybe_unused]] ssize_t n = write(ready, &answer, 1);
  for (;;) pause();
}

bool StartNetEcho() {
  // A port free now: the child binds it for TCP and UDP.
  uint16_t port = 0;
  const int probe = Listen(&port);
  if (probe < 0) return false;
  close(probe);
  int pipeFds[2];
  if (pipe(pipeFds) != 0) return false;
  netEcho.pid = fork();
  if (netEcho.pid == 0) HostEcho(port, pipeFds[1]);
  char answer = 0;
  const bool started = read(pipeFds[0], &answer, 1) == 1 && answer == 1;
  close(pipeFds[0]);
  close(pipeFds[1]);
  if (!started) return false;
  MsgRingOpen();
  MsgVctInit();
  const std::string address = "127.0.0.1:" + std::to_string(port);
  return NetJoin(address.c_str()) == 1;
}

void TcpPingPong(benchmark::State& state) {
  uint8_t block[kBlock] = {1, 2, 3};
  for (auto _ : state) {
    if (!WriteAll(tcpFd, block, kBlock) || !ReadAll(tcpFd, block, kBlock)) {
      state.SkipWithError("echo process gone");
      break;
    }
  }
}
BENCHMARK(TcpPingPong)->UseRealTime();

void NetRoundTrip(benchmark::State& state) {
  if (!joined) {
    state.SkipWithError("could not join the echoing host");
    return;
  }
  uint8_t block[kBlock] = {1, 2, 3};
  uint8_t back[kBlock];
  const NetBufferDesc desc{kBlock, block};
  for (auto _ : state) {
    Message message{};
    uint32_t size = 0;
    if (!NetSendToServer(&desc) || !GetMsg(&message) || message.type != MsgNetData ||
        !NetGetDataSized(back, sizeof back, &size) || size != kBlock) {
      state.SkipWithError("the block did not come back");
      break;
    }
    ++block[0];
  }
}
BENCHMARK(NetRoundTrip)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  if (!StartTcpEcho()) return 1;
  joined = StartNetEcho();
  bench::RunWithTargets({{"NetRoundTrip", {"TcpPingPong"}, 3.0, 0}});
  NetClose();
  benchmark::Shutdown();
  return 0;
}
