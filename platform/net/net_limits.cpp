#include "platform/net/net_limits.h"

namespace plat::net {
namespace {

NetLimits limits;

}  // namespace

std::optional<uint16_t> ParsePort(std::string_view text) {
  if (text.empty() || text.size() > 5) return std::nullopt;
  uint32_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + uint32_t(c - '0');
  }
  if (value == 0 || value > 65535) return std::nullopt;
  return static_cast<uint16_t>(value);
}

const NetLimits& Limits() { return limits; }

void SetLimits(const NetLimits& newLimits) { limits = newLimits; }

}  // namespace plat::net
