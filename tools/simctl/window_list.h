#pragma once
// The windows of the current instance, as their sockets in the instance
// folder name them.

#include <string>
#include <vector>

namespace simctl {

struct InstanceWindow {
  std::string className;  // empty when a hashed name's class and title cannot be read
  std::string title;
  std::string socketName;
};

// The live windows of the instance, sorted by class then title. A socket
// left by a process that ended is not listed.
std::vector<InstanceWindow> ListWindows();

}  // namespace simctl
