#pragma once
// What a parser of text reports: errors and warnings, each naming the source
// file, line and column ("file:line:col: error: message") so editors can jump
// to it. Line and column count from 1; 0 means "the whole file" / "the line".
// Columns count characters, not bytes (see CountUtf8Chars).

#include <cctype>
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "codec/utf8.h"

namespace codec {

struct SourcePos {
  std::string file;
  int line = 0;
  int col = 0;
};

enum class Severity { kError, kWarning };

struct Diagnostic {
  Severity severity;
  SourcePos pos;
  std::string message;
};

class Diagnostics {
 public:
  void Error(const SourcePos& pos, std::string message) {
    items_.push_back({Severity::kError, pos, std::move(message)});
    ++errors_;
  }
  void Warning(const SourcePos& pos, std::string message) {
    items_.push_back({Severity::kWarning, pos, std::move(message)});
  }
  bool HasErrors() const { return errors_ > 0; }
  std::size_t ErrorCount() const { return errors_; }
  const std::vector<Diagnostic>& Items() const { return items_; }

  // "file:line:col: error: message", leaving out a zero line or column.
  static std::string Format(const Diagnostic& d) {
    std::string out = d.pos.file;
    if (d.pos.line > 0) {
      out += ":" + std::to_string(d.pos.line);
      if (d.pos.col > 0) out += ":" + std::to_string(d.pos.col);
    }
    out += d.severity == Severity::kError ? ": error: " : ": warning: ";
    out += d.message;
    return out;
  }

  // Every item formatted, one line each.
  std::string Text() const {
    std::string out;
    for (const Diagnostic& d : items_) out += Format(d) + "\n";
    return out;
  }

 private:
  std::vector<Diagnostic> items_;
  std::size_t errors_ = 0;
};

// A word of a line and the column it starts at, for parsers that point at
// the word they complain about.
struct Word {
  std::string text;
  int col = 0;
};

// The words of `line`, split at blanks (space, tab, carriage return, ...).
inline std::vector<Word> SplitWords(std::string_view line) {
  const auto blank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
  std::vector<Word> words;
  for (std::size_t at = 0; at < line.size();) {
    if (blank(line[at])) {
      ++at;
      continue;
    }
    std::size_t end = at;
    while (end < line.size() && !blank(line[end])) ++end;
    const int col = 1 + static_cast<int>(CountUtf8Chars(line, at));
    words.push_back({std::string(line.substr(at, end - at)), col});
    at = end;
  }
  return words;
}

}  // namespace codec
