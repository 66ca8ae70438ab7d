#include "tools/datlib/script_text.h"

#include "codec/hex.h"
#include "tools/datlib/source_text.h"

namespace datlib {
namespace {

void Escape(std::string& out, std::uint8_t b) {
  out += "\\x" + codec::HexNumber(b, 2, codec::HexCase::kUpper);
}

bool IsGbByte(std::uint8_t b) { return b >= 0xA1 && b <= 0xFE; }

}  // namespace

const std::string& ScriptTextWriter::Character(std::uint8_t lead, std::uint8_t trail) {
  const std::uint16_t key = static_cast<std::uint16_t>(lead << 8 | trail);
  const auto found = cache_.find(key);
  if (found != cache_.end()) return found->second;
  const std::string gb{static_cast<char>(lead), static_cast<char>(trail)};
  std::string utf8;
  if (auto converted = Gb2312ToUtf8(gb)) {
    Diagnostics ignored;
    auto back = Utf8ToGb2312(*converted, {}, ignored);
    if (back && *back == gb) utf8 = std::move(*converted);
  }
  return cache_.emplace(key, std::move(utf8)).first->second;
}

std::string ScriptTextWriter::Quote(std::span<const std::uint8_t> bytes) {
  std::string out = "\"";
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const std::uint8_t b = bytes[i];
    if (b == '"' || b == '\\') {
      out += '\\';
      out += static_cast<char>(b);
    } else if (b >= 0x20 && b < 0x7F) {
      out += static_cast<char>(b);
    } else if (i + 1 < bytes.size() && IsGbByte(b) && IsGbByte(bytes[i + 1]) &&
               !Character(b, bytes[i + 1]).empty()) {
      out += Character(b, bytes[i + 1]);
      ++i;
    } else {
      Escape(out, b);
    }
  }
  out += '"';
  return out;
}

}  // namespace datlib
