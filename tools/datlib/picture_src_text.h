#pragma once
// Small text helpers shared by the source readers of pictures and tile sets.

#include <string>
#include <string_view>
#include <vector>

#include "tools/datlib/diag.h"

namespace datlib {

struct TextLine {
  std::string_view text;  // without the line break and a trailing '\r'
  int number = 0;         // from 1
};

std::vector<TextLine> SplitLines(std::string_view text);
std::string_view TrimText(std::string_view s);

// Whitespace-separated words of `s`, each with its 1-based column offset
// relative to `s`.
struct Word {
  std::string_view text;
  int col = 1;
};
std::vector<Word> SplitWords(std::string_view s);

// A decimal number in [min, max]; reports at `pos` otherwise.
bool ParseNumber(std::string_view s, int min, int max, const SourcePos& pos, Diagnostics& diag,
                 int& out);

// Reads a whole file; reports at the file when it cannot be read.
bool ReadTextFile(const std::string& path, Diagnostics& diag, std::string& out);

// `path` taken relative to the folder of `base` unless it is absolute.
std::string SiblingPath(const std::string& base, const std::string& path);

}  // namespace datlib
