#include "tools/datlib/source_text.h"

#include "codec/hex.h"
#include "codec/utf8.h"
#include "platform/sys/gb2312.h"

namespace datlib {

std::optional<std::string> Utf8ToGb2312(std::string_view text, const SourcePos& pos,
                                        Diagnostics& diag) {
  std::size_t invalid = 0, badAt = 0;
  std::string out = plat::Utf8ToGb2312(text, &invalid, &badAt);
  if (invalid == 0) return out;
  SourcePos at = pos;
  if (at.col > 0) at.col += static_cast<int>(codec::CountUtf8Chars(text, badAt));
  const codec::Utf8Char bad = codec::DecodeUtf8(text, badAt);
  if (!bad.valid) {
    diag.Error(at, "byte 0x" + codec::HexNumber(static_cast<unsigned char>(text[badAt]), 2) +
                       " is not UTF-8");
  } else {
    diag.Error(at, "character \"" + std::string(text.substr(badAt, bad.length)) +
                       "\" cannot be stored in GB2312");
  }
  return std::nullopt;
}

std::optional<std::string> Gb2312ToUtf8(std::string_view bytes) {
  std::size_t invalid = 0;
  std::string out = plat::Gb2312ToUtf8(bytes, &invalid);
  if (invalid != 0) return std::nullopt;
  return out;
}

}  // namespace datlib
