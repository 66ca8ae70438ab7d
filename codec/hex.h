#pragma once
// Hexadecimal: byte strings as pairs of digits and back, and numbers as a
// fixed count of digits. Encoding writes lower case unless asked; decoding
// takes either case.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace codec {

enum class HexCase { kLower, kUpper };

// 0 to 15 for a hex digit, -1 for any other character.
constexpr int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

constexpr char HexDigit(unsigned value, HexCase letters = HexCase::kLower) {
  const char* digits = letters == HexCase::kUpper ? "0123456789ABCDEF" : "0123456789abcdef";
  return digits[value & 0xF];
}

// The last `digits` hex digits of `value`, most significant first.
inline std::string HexNumber(std::uint64_t value, int digits, HexCase letters = HexCase::kLower) {
  std::string out(static_cast<std::size_t>(digits), '0');
  for (int i = digits - 1; i >= 0; --i, value >>= 4) {
    out[static_cast<std::size_t>(i)] = HexDigit(static_cast<unsigned>(value), letters);
  }
  return out;
}

inline std::string HexEncode(std::span<const std::uint8_t> bytes,
                             HexCase letters = HexCase::kLower) {
  std::string out;
  out.reserve(bytes.size() * 2);
  for (std::uint8_t b : bytes) {
    out.push_back(HexDigit(b >> 4, letters));
    out.push_back(HexDigit(b, letters));
  }
  return out;
}

inline std::string HexEncode(std::string_view bytes, HexCase letters = HexCase::kLower) {
  return HexEncode({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()}, letters);
}

// The bytes of pairs of hex digits, as a byte vector or (Bytes = std::string)
// a byte string; nothing for an odd count or any character that is no digit.
template <class Bytes = std::vector<std::uint8_t>>
std::optional<Bytes> HexDecode(std::string_view hex) {
  if (hex.size() % 2 != 0) return std::nullopt;
  Bytes out;
  out.reserve(hex.size() / 2);
  for (std::size_t i = 0; i < hex.size(); i += 2) {
    const int high = HexDigitValue(hex[i]);
    const int low = HexDigitValue(hex[i + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    out.push_back(static_cast<typename Bytes::value_type>(high << 4 | low));
  }
  return out;
}

}  // namespace codec
