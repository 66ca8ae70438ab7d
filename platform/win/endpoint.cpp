#include "platform/win/endpoint.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/sys/instance.h"
#include "platform/win/endpoint_name.h"

namespace plat {
namespace {

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

bool IsHashed(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash != std::string::npos && path.compare(slash + 1, 1, "h") == 0;
}

std::string NameFile(const std::string& path) { return path + std::string(kEndpointNameSuffix); }

// Keeps a hashed name's class and title beside its socket, written whole
// through a temporary file so that a reader never sees half a name.
void WriteNameFile(const std::string& path, const std::string& longName) {
  const std::string file = NameFile(path);
  const std::string temporary = file + "." + std::to_string(getpid());
  const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (fd < 0) return;
  const bool written = write(fd, longName.data(), longName.size()) == ssize_t(longName.size());
  close(fd);
  if (!written || rename(temporary.c_str(), file.c_str()) != 0) unlink(temporary.c_str());
}

// Removes a socket file and, for a hashed name, its name file.
void Unlink(const std::string& path) {
  unlink(path.c_str());
  if (IsHashed(path)) unlink(NameFile(path).c_str());
}

}  // namespace

Endpoint EndpointFor(std::string_view className, std::string_view title) {
  const std::string dir = InstanceDir();
  // The path and its terminating zero must fit in sun_path.
  const std::size_t limit = sizeof(sockaddr_un::sun_path) - 1;
  if (dir.empty() || dir.size() + 1 >= limit) return {};
  EndpointName name = EncodeEndpointName(className, title, limit - dir.size() - 1);
  std::string path = dir + "/" + name.file;
  if (path.size() > limit) return {};
  return {std::move(path), std::move(name.longName)};
}

int ListenEndpoint(const Endpoint& endpoint) {
  const std::string& path = endpoint.path;
  sockaddr_un address;
  if (!FillAddress(path, &address)) {
    errno = ENAMETOOLONG;
    return -1;
  }
  int fd = NewSocket();
  if (fd < 0) return -1;
  for (int attempt = 0; attempt < 2; ++attempt) {
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
      if (listen(fd, SOMAXCONN) == 0 && fcntl(fd, F_SETFL, O_NONBLOCK) == 0) {
        if (!endpoint.longName.empty()) WriteNameFile(path, endpoint.longName);
        return fd;
      }
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
    Unlink(path);
  }
  int saved = errno;
  close(fd);
  errno = saved;
  return -1;
}

int ConnectEndpoint(const std::string& path, pid_t* peer) {
  int fd = Connect(path);
  if (fd < 0) {
    if (errno == ECONNREFUSED) Unlink(path);
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
  Unlink(path);
}

}  // namespace plat
