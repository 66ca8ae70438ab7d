#include "drive/input_commands.h"

#include <optional>

#include "drive/input_map.h"
#include "drive/key_names.h"
#include "protocol/messages.h"

namespace drive {

namespace {

constexpr uint32_t kKeyDown = 0x0100;
constexpr uint32_t kKeyUp = 0x0101;
constexpr uint32_t kButtonDown = 0x0201;
constexpr uint32_t kButtonUp = 0x0202;
constexpr uint32_t kButtonDouble = 0x0203;
constexpr uint32_t kLeftButton = 1;  // MK_LBUTTON

using Messages = std::vector<InputMessage>;

bool Fail(std::string* error, std::string why) {
  *error = std::move(why);
  return false;
}

bool KeyMessages(const std::vector<std::string>& args, bool up, Messages* out,
                 std::string* error) {
  if (args.size() != 1) return Fail(error, "takes one key");
  std::optional<VirtualKey> key = ParseKey(args[0]);
  if (!key) return Fail(error, "unknown key '" + args[0] + "'");
  out->push_back({up ? kKeyUp : kKeyDown, uint32_t(key->code), KeyData(*key, up, false)});
  return true;
}

bool TypeMessages(const std::vector<std::string>& args, Messages* out, std::string* error) {
  if (args.size() != 1) return Fail(error, "takes one text");
  for (const ForwardedChar& c : TextToChars(args[0], 1)) {
    out->push_back({kHostCharMessage, c.wParam, c.lParam});
  }
  return true;
}

bool ClickMessages(const std::vector<std::string>& args, bool twice, Messages* out,
                   std::string* error) {
  if (args.size() != 2) return Fail(error, "takes X and Y");
  std::optional<uint32_t> x = ParseNumber(args[0], 0xFFFF);
  std::optional<uint32_t> y = ParseNumber(args[1], 0xFFFF);
  if (!x || !y) return Fail(error, "X and Y are numbers from 0 to 65535");
  const uint32_t point = PointerData(int(*x), int(*y));
  out->push_back({kButtonDown, kLeftButton, point});
  out->push_back({kButtonUp, 0, point});
  if (twice) {
    out->push_back({kButtonDouble, kLeftButton, point});
    out->push_back({kButtonUp, 0, point});
  }
  return true;
}

bool PostMessages(const std::vector<std::string>& args, Messages* out, std::string* error) {
  if (args.size() != 3) return Fail(error, "takes MSG, WPARAM and LPARAM");
  std::optional<uint32_t> message = ParseNumber(args[0], 0xFFFF);
  std::optional<uint32_t> wParam = ParseNumber(args[1], 0xFFFFFFFF);
  std::optional<uint32_t> lParam = ParseNumber(args[2], 0xFFFFFFFF);
  if (!message) return Fail(error, "MSG is a number from 0 to 65535");
  if (!wParam || !lParam) return Fail(error, "WPARAM and LPARAM are 32-bit numbers");
  out->push_back({*message, *wParam, *lParam});
  return true;
}

}  // namespace

bool IsInputCommand(std::string_view command) {
  return command == "key" || command == "keyup" || command == "type" || command == "click" ||
         command == "dblclick" || command == "post";
}

bool InputCommandMessages(std::string_view command, const std::vector<std::string>& args,
                          std::vector<InputMessage>* out, std::string* error) {
  Messages messages;
  bool ok = false;
  if (command == "key" || command == "keyup") {
    ok = KeyMessages(args, command == "keyup", &messages, error);
  } else if (command == "type") {
    ok = TypeMessages(args, &messages, error);
  } else if (command == "click" || command == "dblclick") {
    ok = ClickMessages(args, command == "dblclick", &messages, error);
  } else if (command == "post") {
    ok = PostMessages(args, &messages, error);
  } else {
    return Fail(error, "unknown command '" + std::string(command) + "'");
  }
  if (!ok) {
    *error = std::string(command) + " " + *error;
    return false;
  }
  out->insert(out->end(), messages.begin(), messages.end());
  return true;
}

}  // namespace drive
