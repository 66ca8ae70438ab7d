#include "drive/key_names.h"

#include <cctype>
#include <charconv>
#include <string>

namespace drive {

namespace {

struct NamedKey {
  const char* name;
  VirtualKey key;
};

constexpr NamedKey kNamedKeys[] = {
    {"enter", {0x0D, 0x1C, false}},    {"escape", {0x1B, 0x01, false}},
    {"left", {0x25, 0x4B, true}},      {"up", {0x26, 0x48, true}},
    {"right", {0x27, 0x4D, true}},     {"down", {0x28, 0x50, true}},
    {"pageup", {0x21, 0x49, true}},    {"pagedown", {0x22, 0x51, true}},
    {"f2", {0x71, 0x3C, false}},       {"space", {0x20, 0x39, false}},
    {"backspace", {0x08, 0x0E, false}},
};

// Scan codes of the letters A to Z and of the digits 0 to 9 on a US keyboard.
constexpr uint8_t kLetterScan[26] = {0x1E, 0x30, 0x2E, 0x20, 0x12, 0x21, 0x22, 0x23, 0x17,
                                     0x24, 0x25, 0x26, 0x32, 0x31, 0x18, 0x19, 0x10, 0x13,
                                     0x1F, 0x14, 0x16, 0x2F, 0x11, 0x2D, 0x15, 0x2C};
constexpr uint8_t kDigitScan[10] = {0x0B, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A};

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = char(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

}  // namespace

std::optional<std::string> KeyName(int code) {
  if ((code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9')) {
    return std::string(1, char(std::tolower(code)));
  }
  for (const NamedKey& named : kNamedKeys) {
    if (named.key.code == code) return std::string(named.name);
  }
  return std::nullopt;
}

std::optional<VirtualKey> KeyOfCode(int code) {
  if (code >= 'A' && code <= 'Z') return VirtualKey{code, kLetterScan[code - 'A'], false};
  if (code >= '0' && code <= '9') return VirtualKey{code, kDigitScan[code - '0'], false};
  for (const NamedKey& named : kNamedKeys) {
    if (named.key.code == code) return named.key;
  }
  return std::nullopt;
}

std::optional<VirtualKey> ParseKey(std::string_view text) {
  if (text.empty()) return std::nullopt;
  if (std::isdigit(static_cast<unsigned char>(text[0])) && text.size() > 1) {
    std::optional<uint32_t> number = ParseNumber(text, 254);
    if (!number || *number == 0) return std::nullopt;
    const int code = int(*number);
    if (std::optional<VirtualKey> key = KeyOfCode(code)) return key;
    return VirtualKey{code, 0, false};
  }
  if (text.size() == 1 && std::isalnum(static_cast<unsigned char>(text[0]))) {
    return KeyOfCode(std::toupper(static_cast<unsigned char>(text[0])));
  }
  const std::string lower = Lower(text);
  for (const NamedKey& named : kNamedKeys) {
    if (lower == named.name) return named.key;
  }
  return std::nullopt;
}

std::optional<uint32_t> ParseNumber(std::string_view text, uint32_t high) {
  int base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    text.remove_prefix(2);
    base = 16;
  }
  uint32_t value = 0;
  auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (text.empty() || failure != std::errc() || end != text.data() + text.size()) {
    return std::nullopt;
  }
  if (value > high) return std::nullopt;
  return value;
}

}  // namespace drive
