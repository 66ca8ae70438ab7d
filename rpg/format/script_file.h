#pragma once
// The script resource (type 1, id1 = bank, id2 = number), little-endian:
//   0        24 bytes  header; the game does not read it
//   24       code area; every script address is an offset from here:
//     +0     u16       code length L: execution stops when it reaches L
//     +2     u8        number of event handlers N (0 ... 255)
//     +3     N x u16   handler address of events 1 ... N; 0 = no handler
//     +3+2N  ...       the body: the main program, then handler code
// Bytes after the code area (24 + L on) are never executed; they are kept so
// that a resource read back writes out unchanged.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "codec/bytes.h"
#include "codec/result.h"

namespace rpgfmt {

inline constexpr std::size_t kScriptHeaderSize = 24;
inline constexpr std::size_t kScriptCodeLengthOffset = 0;
inline constexpr std::size_t kScriptEventCountOffset = 2;
inline constexpr std::size_t kScriptEventTableOffset = 3;
inline constexpr std::size_t kScriptMaxEvents = 255;
inline constexpr std::size_t kScriptMaxCode = 0xFFFF;

constexpr std::uint16_t ScriptBodyStart(std::size_t eventCount) {
  return static_cast<std::uint16_t>(kScriptEventTableOffset + 2 * eventCount);
}

// A checked view of a script resource; the bytes stay owned by the caller.
struct ScriptView {
  std::span<const std::uint8_t> header;  // 24 bytes
  std::span<const std::uint8_t> code;    // the code area, L bytes
  std::span<const std::uint8_t> tail;    // bytes after the code area
  std::uint8_t eventCount = 0;

  std::uint16_t BodyStart() const { return ScriptBodyStart(eventCount); }
  // Handler address of event n (1 ... eventCount); 0, like an empty entry,
  // for any other n.
  std::uint16_t EventAddress(std::size_t n) const {
    if (n == 0 || n > eventCount) return 0;
    const std::size_t at = kScriptEventTableOffset + 2 * (n - 1);
    return codec::LoadLe<std::uint16_t>(code.data() + at);
  }
};

// Checks that the header, the event table and the code length fit inside the
// resource.
codec::Result<ScriptView> ReadScript(std::span<const std::uint8_t> resource);

struct ScriptParts {
  std::array<std::uint8_t, kScriptHeaderSize> header{};
  std::vector<std::uint16_t> events;  // addresses of events 1 ... N
  std::vector<std::uint8_t> body;
  std::vector<std::uint8_t> tail;
};

// Lays the parts out; fails (with `error`) on more than 255 events or a code
// area longer than a u16 can count.
std::optional<std::vector<std::uint8_t>> WriteScript(const ScriptParts& parts, std::string& error);

}  // namespace rpgfmt
