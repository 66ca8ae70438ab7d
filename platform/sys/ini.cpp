#include "platform/sys/ini.h"

#include <fstream>
#include <ini.h>
#include <iterator>
#include <sstream>
#include <strings.h>

#include "platform/sys/path.h"

namespace plat {
namespace {

// The parser's line limit; longer lines cannot hold a setting of ours.
constexpr std::size_t kMaxLine = 199;

struct Lookup {
  const char* section;
  const char* key;
  std::optional<std::string> value;
};

int OnEntry(void* user, const char* section, const char* name, const char* value) {
  auto* lookup = static_cast<Lookup*>(user);
  if (!lookup->value && strcasecmp(section, lookup->section) == 0 &&
      strcasecmp(name, lookup->key) == 0) {
    lookup->value = value;
  }
  return 1;
}

// The platform reads every line on its own, whatever its indentation; the
// parser would take an indented line for the continuation of the previous
// value. Remove indentation, and drop lines the parser would split.
std::string NormaliseLines(std::istream& in) {
  std::string out, line;
  while (std::getline(in, line)) {
    std::size_t start = line.find_first_not_of(" \t\r");
    if (start == std::string::npos) continue;
    if (line.size() - start > kMaxLine) continue;
    out.append(line, start, std::string::npos);
    out.push_back('\n');
  }
  return out;
}

// Values may be written in quotes; the quotes are not part of the value.
std::string Unquote(std::string value) {
  if (value.size() >= 2) {
    char first = value.front();
    if ((first == '"' || first == '\'') && value.back() == first) return value.substr(1, value.size() - 2);
  }
  return value;
}

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 99;
}

}  // namespace

std::optional<std::string> FindProfileValue(std::string_view iniText, const char* section,
                                            const char* key) {
  if (!section || !key) return std::nullopt;
  std::istringstream in{std::string(iniText)};
  std::string text = NormaliseLines(in);
  Lookup lookup{section, key, std::nullopt};
  ini_parse_string(text.c_str(), OnEntry, &lookup);
  if (lookup.value) lookup.value = Unquote(*lookup.value);
  return lookup.value;
}

std::optional<std::string> ReadProfileString(const char* section, const char* key,
                                             const char* iniPath) {
  if (!iniPath) return std::nullopt;
  std::ifstream file(ToPosixPath(iniPath), std::ios::binary);
  if (!file) return std::nullopt;
  std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  return FindProfileValue(text, section, key);
}

unsigned ParseProfileInt(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size() && IsSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  unsigned base = 10;
  if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  // Unsigned arithmetic wraps like the platform's 32-bit result.
  unsigned value = 0;
  for (; i < text.size(); ++i) {
    int digit = DigitValue(text[i]);
    if (digit >= int(base)) break;
    value = value * base + unsigned(digit);
  }
  return negative ? 0u - value : value;
}

unsigned GetPrivateProfileIntA(const char* section, const char* key, int defaultValue,
                               const char* iniPath) {
  std::optional<std::string> text = ReadProfileString(section, key, iniPath);
  if (!text || text->empty()) return unsigned(defaultValue);
  return ParseProfileInt(*text);
}

}  // namespace plat
