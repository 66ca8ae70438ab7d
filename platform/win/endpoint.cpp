#include "platform/win/endpoint.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>

#include "platform/sys/instance.h"

namespace plat {
namespace {

std::string Hex(std::string_view bytes) {
  static const char digits[] = "0123456789abcdef";
  std::string out;
  out.reserve(bytes.size() * 2);
  for (unsigned char c : bytes) {
    out.push_back(digits[c >> 4]);
    out.push_back(digits[c & 15]);
  }
  return out;
}

uint64_t Fnv1a(std::string_view bytes, uint64_t hash = 0xcbf29ce484222325ULL) {
  for (unsigned char c : bytes) {
    hash ^= c;
    hash *= 0x100000001b3ULL;
  }
  return hash;
}

bool FillAddress(const std::string& path, sockaddr_un* address) {
  if (path.empty() || path.size() >= sizeof address->sun_path) return false;
  std::memset(address, 0, sizeof *address);
  address->sun_family = AF_UNIX;
  std::memcpy(address->sun_path, path.data(), path.size());
  return true;
}

int NewSocket() { return socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0); }

int Connect(const std::string& path) {
  sockaddr_un address;
  if (!FillAddress(path, &address)) return -1;
  int fd = NewSocket();
  if (fd < 0) return -1;
  while (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    if (errno == EINTR) continue;
    int saved = errno;
    close(fd);
    errno = saved;
    return -1;
  }
  return fd;
}

}  // namespace

std::string EndpointPath(std::string_view className, std::string_view title) {
  std::string dir = InstanceDir();
  if (dir.empty()) return {};
  std::string path = dir + "/w" + Hex(className) + "." + Hex(title);
  if (path.size() < sizeof(sockaddr_un::sun_path)) return path;
  uint64_t hash = Fnv1a(title, Fnv1a(std::string_view("\0", 1), Fnv1a(className)));
  path = dir + "/h" + Hex(std::string_view(reinterpret_cast<const char*>(&hash), sizeof hash));
  return path.size() < sizeof(sockaddr_un::sun_path) ? path : std::string();
}

int ListenEndpoint(const std::string& path) {
  sockaddr_un address;
  if (!FillAddress(path, &address)) {
    errno = ENAMETOOLONG;
    return -1;
  }
  int fd = NewSocket();
  if (fd < 0) return -1;
  for (int attempt = 0; attempt < 2; ++attempt) {
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
      if (listen(fd, SOMAXCONN) == 0 && fcntl(fd, F_SETFL, O_NONBLOCK) == 0) return fd;
      break;
    }
    if (errno != EADDRINUSE) break;
    // Someone's socket is there: keep it if its process lives.
    int probe = Connect(path);
    if (probe >= 0) {
      close(probe);
      errno = EADDRINUSE;
      break;
    }
    if (errno != ECONNREFUSED) break;
    unlink(path.c_str());
  }
  int saved = errno;
  close(fd);
  errno = saved;
  return -1;
}

int ConnectEndpoint(const std::string& path, pid_t* peer) {
  int fd = Connect(path);
  if (fd < 0) {
    if (errno == ECONNREFUSED) unlink(path.c_str());
    return -1;
  }
  ucred credentials{};
  socklen_t size = sizeof credentials;
  if (getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &credentials, &size) != 0 ||
      credentials.uid != geteuid()) {
    close(fd);
    return -1;
  }
  *peer = credentials.pid;
  return fd;
}

void RemoveEndpoint(const std::string& path) {
  // While our socket listens nobody else replaces the file (they would find
  // it alive), so the file is still ours.
  unlink(path.c_str());
}

}  // namespace plat
