#include "tools/simctl/window_list.h"

#include <dirent.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <sstream>
#include <tuple>

#include "platform/sys/instance.h"
#include "platform/win/endpoint_name.h"

namespace simctl {

namespace {

// What a hashed name's ".name" file holds; empty when it cannot be read.
std::string ReadNameFile(const std::string& path) {
  std::ifstream in(path + std::string(plat::kEndpointNameSuffix), std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// A window is live while its socket takes connections.
bool Listening(const std::string& path) {
  sockaddr_un address{};
  if (path.size() >= sizeof address.sun_path) return false;
  address.sun_family = AF_UNIX;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  const int fd = socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  const bool live = connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
  close(fd);
  return live;
}

}  // namespace

std::vector<InstanceWindow> ListWindows() {
  std::vector<InstanceWindow> windows;
  const std::string folder = plat::InstanceDir();
  if (folder.empty()) return windows;
  DIR* dir = opendir(folder.c_str());
  if (!dir) return windows;
  while (dirent* entry = readdir(dir)) {
    const std::string name = entry->d_name;
    const std::string path = folder + "/" + name;
    const bool hashed = name.starts_with('h') && name.find('.') == std::string::npos;
    if (!name.starts_with('w') && !hashed) continue;  // not a socket (a name file, ...)
    const auto decoded = plat::DecodeEndpointName(name, hashed ? ReadNameFile(path) : "");
    if (!decoded && !hashed) continue;
    InstanceWindow window{"", "", name};
    if (decoded) {
      window.className = decoded->className;
      window.title = decoded->title;
    }
    if (Listening(path)) windows.push_back(window);
  }
  closedir(dir);
  std::sort(windows.begin(), windows.end(), [](const InstanceWindow& a, const InstanceWindow& b) {
    return std::tie(a.className, a.title, a.socketName) <
           std::tie(b.className, b.title, b.socketName);
  });
  return windows;
}

}  // namespace simctl
