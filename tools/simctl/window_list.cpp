#include "tools/simctl/window_list.h"

#include <dirent.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <tuple>

#include "platform/sys/instance.h"

namespace simctl {

namespace {

bool DecodeHex(const std::string& hex, std::string* out) {
  if (hex.size() % 2 != 0) return false;
  out->clear();
  for (std::size_t i = 0; i < hex.size(); i += 2) {
    int value = 0;
    for (int k = 0; k < 2; ++k) {
      const char c = hex[i + k];
      int digit = c >= '0' && c <= '9'   ? c - '0'
                  : c >= 'a' && c <= 'f' ? c - 'a' + 10
                  : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                         : -1;
      if (digit < 0) return false;
      value = value * 16 + digit;
    }
    out->push_back(char(value));
  }
  return true;
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

bool DecodeWindowName(const std::string& encoded, std::string* className, std::string* title) {
  const std::size_t dot = encoded.find('.');
  if (dot == std::string::npos) return false;
  return DecodeHex(encoded.substr(0, dot), className) && DecodeHex(encoded.substr(dot + 1), title);
}

std::vector<InstanceWindow> ListWindows() {
  std::vector<InstanceWindow> windows;
  const std::string folder = plat::InstanceDir();
  if (folder.empty()) return windows;
  DIR* dir = opendir(folder.c_str());
  if (!dir) return windows;
  while (dirent* entry = readdir(dir)) {
    const std::string name = entry->d_name;
    if (name.size() < 2 || (name[0] != 'w' && name[0] != 'h')) continue;
    InstanceWindow window{"", "", name};
    if (name[0] == 'w' && !DecodeWindowName(name.substr(1), &window.className, &window.title)) {
      continue;
    }
    if (Listening(folder + "/" + name)) windows.push_back(window);
  }
  closedir(dir);
  std::sort(windows.begin(), windows.end(), [](const InstanceWindow& a, const InstanceWindow& b) {
    return std::tie(a.className, a.title, a.socketName) <
           std::tie(b.className, b.title, b.socketName);
  });
  return windows;
}

}  // namespace simctl
