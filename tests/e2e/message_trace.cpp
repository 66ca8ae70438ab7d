#include "tests/e2e/message_trace.h"

#include <cinttypes>
#include <cstdio>
#include <sstream>

namespace e2e {

std::ostream& operator<<(std::ostream& out, const TracedMessage& message) {
  char text[48];
  std::snprintf(text, sizeof text, "(%" PRIu32 ", %" PRIu32 ", 0x%08" PRIX32 ")", message.type,
                message.wParam, message.lParam);
  return out << text;
}

std::vector<TracedMessage> ParseTrace(const std::string& text) {
  std::vector<TracedMessage> trace;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    TracedMessage m;
    int used = 0;
    const int fields = std::sscanf(line.c_str(), "msg %" SCNu32 " %" SCNu32 " 0x%" SCNx32 "%n",
                                   &m.type, &m.wParam, &m.lParam, &used);
    if (fields == 3 && size_t(used) == line.size()) trace.push_back(m);
  }
  return trace;
}

std::string RunLengths(const std::vector<TracedMessage>& trace) {
  std::ostringstream text;
  for (size_t i = 0; i < trace.size();) {
    size_t end = i + 1;
    while (end < trace.size() && trace[end] == trace[i]) ++end;
    text << trace[i] << " x" << end - i << "; ";
    i = end;
  }
  return text.str();
}

std::vector<size_t> FindAll(const std::vector<TracedMessage>& trace, uint32_t type,
                            uint32_t wParam) {
  std::vector<size_t> positions;
  for (size_t i = 0; i < trace.size(); ++i) {
    if (trace[i].type == type && trace[i].wParam == wParam) positions.push_back(i);
  }
  return positions;
}

}  // namespace e2e
