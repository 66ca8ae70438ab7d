#pragma once
// The windows of the current instance, as their sockets in the instance
// folder name them.

#include <string>
#include <vector>

namespace simctl {

struct InstanceWindow {
  std::string className;  // empty when the name was too long and is hashed
  std::string title;
  std::string socketName;
};

// The live windows of the instance, sorted by class then title. A socket
// left by a process that ended is not listed.
std::vector<InstanceWindow> ListWindows();

// "<hex>.<hex>" back to its two byte strings; false for anything else.
bool DecodeWindowName(const std::string& encoded, std::string* className, std::string* title);

}  // namespace simctl
