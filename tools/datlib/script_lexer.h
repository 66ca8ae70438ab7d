#pragma once
// Tokens of one line of script source. Comments (';' to the end of the line)
// are dropped; string literals are converted to GB2312 here, adjacent
// literals joined into one.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tools/datlib/diag.h"

namespace datlib {

// One line of a source file, for diagnostics.
struct LineRef {
  const std::string* file = nullptr;
  int number = 0;
  std::string_view text;

  // Position of a byte of the line; columns count characters from 1.
  SourcePos PosAt(std::size_t byteOffset) const;
};

enum class TokenKind : std::uint8_t { kName, kNumber, kString, kComma, kColon };

struct Token {
  TokenKind kind = TokenKind::kName;
  std::size_t at = 0;     // byte offset in the line
  std::string_view text;  // as written (a joined string: the first literal)
  std::uint64_t number = 0;
  std::string bytes;  // kString: the GB2312 bytes
};

// Tokenizes `line.text`; false after reporting the first error.
bool TokenizeLine(const LineRef& line, std::vector<Token>& out, Diagnostics& diag);

}  // namespace datlib
