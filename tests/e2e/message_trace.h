#pragma once
// The host's message trace (TOVSIM_TRACE_MSG=1): one stderr line per Message
// the application took, "msg TYPE WPARAM 0xLPARAM".

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace e2e {

struct TracedMessage {
  uint32_t type = 0;
  uint32_t wParam = 0;
  uint32_t lParam = 0;
  bool operator==(const TracedMessage&) const = default;
};

std::ostream& operator<<(std::ostream& out, const TracedMessage& message);

// The traced Messages in `text`, in order; other lines (message boxes, the
// companions' notes) are skipped, and so is a malformed "msg" line.
std::vector<TracedMessage> ParseTrace(const std::string& text);

// The trace with repeats folded, "(256, 113, 0x003C0001) x40; ...", for
// failure messages.
std::string RunLengths(const std::vector<TracedMessage>& trace);

// Positions in `trace` of the Messages of `type` with `wParam`, in order.
std::vector<size_t> FindAll(const std::vector<TracedMessage>& trace, uint32_t type,
                            uint32_t wParam);

}  // namespace e2e
