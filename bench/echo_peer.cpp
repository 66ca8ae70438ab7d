#include "bench/echo_peer.h"

#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

namespace bench {
namespace {

constexpr std::size_t kMaxPacket = 64;

[[noreturn]] void Echo(int fd) {
  char packet[kMaxPacket];
  for (;;) {
    ssize_t n = recv(fd, packet, sizeof packet, 0);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0 || send(fd, packet, std::size_t(n), MSG_NOSIGNAL) != n) _exit(0);
  }
}

}  // namespace

EchoPeer::~EchoPeer() {
  if (fd_ >= 0) close(fd_);  // the peer ends at end of stream
  if (pid_ > 0) {
    kill(pid_, SIGTERM);
    while (waitpid(pid_, nullptr, 0) < 0 && errno == EINTR) {
    }
  }
}

bool EchoPeer::Start() {
  int pair[2];
  if (socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, pair) != 0) return false;
  pid_ = fork();
  if (pid_ == 0) {
    close(pair[0]);
    Echo(pair[1]);
  }
  close(pair[1]);
  if (pid_ < 0) {
    close(pair[0]);
    return false;
  }
  fd_ = pair[0];
  return true;
}

bool EchoPeer::RoundTrip(std::size_t bytes) {
  char packet[kMaxPacket] = {};
  if (bytes > kMaxPacket) return false;
  return send(fd_, packet, bytes, MSG_NOSIGNAL) == ssize_t(bytes) &&
         recv(fd_, packet, sizeof packet, 0) == ssize_t(bytes);
}

}  // namespace bench
