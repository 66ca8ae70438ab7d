#include "tools/datlib/picture_src_text.h"

#include <charconv>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace datlib {

std::vector<TextLine> SplitLines(std::string_view text) {
  std::vector<TextLine> lines;
  int number = 1;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back({line, number++});
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

std::string_view TrimText(std::string_view s) {
  const std::size_t first = s.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const std::size_t last = s.find_last_not_of(" \t");
  return s.substr(first, last - first + 1);
}

std::vector<Word> SplitWords(std::string_view s) {
  std::vector<Word> words;
  std::size_t i = 0;
  while (i < s.size()) {
    if (s[i] == ' ' || s[i] == '\t') {
      ++i;
      continue;
    }
    const std::size_t start = i;
    while (i < s.size() && s[i] != ' ' && s[i] != '\t') ++i;
    words.push_back({s.substr(start, i - start), static_cast<int>(start) + 1});
  }
  return words;
}

bool ParseNumber(std::string_view s, int min, int max, const SourcePos& pos, Diagnostics& diag,
                 int& out) {
  int v = 0;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (s.empty() || ec != std::errc() || end != s.data() + s.size()) {
    diag.Error(pos, "\"" + std::string(s) + "\" is not a number");
    return false;
  }
  if (v < min || v > max) {
    diag.Error(pos, std::to_string(v) + " is outside " + std::to_string(min) + " .. " +
                        std::to_string(max));
    return false;
  }
  out = v;
  return true;
}

bool ReadTextFile(const std::string& path, Diagnostics& diag, std::string& out) {
  // A named pipe or device would block or never end.
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) {
    diag.Error({path, 0, 0}, "no such file");
    return false;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    diag.Error({path, 0, 0}, "cannot open file");
    return false;
  }
  std::ostringstream ss;
  ss << in.rdbuf();
  out = ss.str();
  return true;
}

std::string SiblingPath(const std::string& base, const std::string& path) {
  const std::filesystem::path p(path);
  if (p.is_absolute()) return path;
  return (std::filesystem::path(base).parent_path() / p).lexically_normal().string();
}

}  // namespace datlib
