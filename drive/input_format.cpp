#include "drive/input_format.h"

#include <cstdio>
#include <sstream>
#include <vector>

#include "drive/key_names.h"
#include "platform/win/types.h"
#include "protocol/messages.h"

namespace drive {

namespace {

// A candidate line is taken only when it parses back to exactly `message`.
bool GivesBack(const std::string& line, const InputMessage& message) {
  std::vector<InputMessage> out;
  std::string error;
  return InputLineMessages(line, &out, &error) && out.size() == 1 &&
         out[0].message == message.message && out[0].wParam == message.wParam &&
         out[0].lParam == message.lParam;
}

std::string Candidate(const InputMessage& message) {
  if (message.message == plat::WM_KEYDOWN || message.message == plat::WM_KEYUP) {
    const std::optional<std::string> name = KeyName(int(message.wParam));
    if (!name) return {};
    return (message.message == plat::WM_KEYDOWN ? "key " : "keyup ") + *name;
  }
  // A printable ASCII character other than a blank (type's text is the rest
  // of its line, so blanks would not survive).
  if (message.message == kHostCharMessage && message.wParam > 0x20 && message.wParam < 0x7F) {
    return std::string("type ") + char(message.wParam);
  }
  return {};
}

}  // namespace

bool InputLineMessages(const std::string& line, std::vector<InputMessage>* out,
                       std::string* error) {
  std::istringstream words(line);
  std::string command;
  words >> command;
  std::vector<std::string> args;
  for (std::string word; words >> word;) args.push_back(word);
  return InputCommandMessages(command, args, out, error);
}

std::string FormatInput(const InputMessage& message) {
  const std::string candidate = Candidate(message);
  if (!candidate.empty() && GivesBack(candidate, message)) return candidate;
  char line[64];
  std::snprintf(line, sizeof line, "post %u %u 0x%08X", message.message, message.wParam,
                message.lParam);
  return line;
}

}  // namespace drive
