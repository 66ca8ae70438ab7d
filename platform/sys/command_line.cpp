// Splitting a Windows command line into words (declared in process.h).

#include "platform/sys/process.h"

#include <string_view>

namespace plat {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The program name: up to the closing quote when it starts with one,
// otherwise up to the first blank; backslashes are plain bytes in it.
std::string TakeProgramName(std::string_view line, std::size_t& i) {
  std::string word;
  if (line[i] == '"') {
    std::size_t end = line.find('"', i + 1);
    if (end == std::string_view::npos) end = line.size();
    word.assign(line.substr(i + 1, end - i - 1));
    i = end < line.size() ? end + 1 : end;
  } else {
    while (i < line.size() && !IsBlank(line[i])) word.push_back(line[i++]);
  }
  return word;
}

// One argument after the program name, with the quote and backslash rules.
std::string TakeArgument(std::string_view line, std::size_t& i) {
  std::string word;
  bool quoted = false;
  while (i < line.size()) {
    char c = line[i];
    if (IsBlank(c) && !quoted) break;
    if (c == '\\') {
      std::size_t run = 0;
      while (i < line.size() && line[i] == '\\') ++run, ++i;
      if (i < line.size() && line[i] == '"') {
        word.append(run / 2, '\\');
        if (run % 2 == 1) {
          word.push_back('"');
          ++i;
        }
      } else {
        word.append(run, '\\');
      }
      continue;
    }
    if (c == '"') {
      // Inside quotes a doubled quote stands for one literal quote.
      if (quoted && i + 1 < line.size() && line[i + 1] == '"') {
        word.push_back('"');
        i += 2;
        continue;
      }
      quoted = !quoted;
      ++i;
      continue;
    }
    word.push_back(c);
    ++i;
  }
  return word;
}

}  // namespace

std::vector<std::string> SplitCommandLine(const char* commandLine) {
  std::vector<std::string> words;
  if (!commandLine) return words;
  std::string_view line(commandLine);
  std::size_t i = 0;
  while (i < line.size() && IsBlank(line[i])) ++i;
  if (i == line.size()) return words;
  words.push_back(TakeProgramName(line, i));
  for (;;) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    if (i == line.size()) break;
    words.push_back(TakeArgument(line, i));
  }
  return words;
}

}  // namespace plat
