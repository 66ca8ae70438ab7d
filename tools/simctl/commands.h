#pragma once
// simctl's commands, each acting on the instance named by TOVSIM_INSTANCE.

#include <cstdint>
#include <string>
#include <vector>

namespace simctl {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

struct Invocation {
  std::string command;
  std::vector<std::string> args;
  std::int64_t timeoutMs = 30000;  // real time allowed for an awaited answer
};

// Runs one command: kExitOk, kExitFailure (no host, no answer in time, a
// file not written) or kExitUsage (bad arguments), saying why on stderr.
int RunCommand(const Invocation& invocation);

}  // namespace simctl
