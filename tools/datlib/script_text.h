#pragma once
// Writing GB2312 script texts back as source string literals: characters
// that survive the trip to UTF-8 and back are written as themselves, other
// bytes as \xHH escapes, so the assembler rebuilds the exact bytes.

#include <cstdint>
#include <map>
#include <span>
#include <string>

namespace datlib {

class ScriptTextWriter {
 public:
  // `bytes` as a quoted literal.
  std::string Quote(std::span<const std::uint8_t> bytes);

 private:
  // The UTF-8 of a two-byte GB2312 character, or empty when it has none that
  // converts back to the same two bytes.
  const std::string& Character(std::uint8_t lead, std::uint8_t trail);

  std::map<std::uint16_t, std::string> cache_;
};

}  // namespace datlib
