#include "viewer/key_names.h"

#include <cctype>
#include <charconv>
#include <string>

namespace lcd {

namespace {

struct NamedKey {
  const char* name;
  SDL_Keycode key;
};

constexpr NamedKey kNamedKeys[] = {
    {"enter", SDLK_RETURN},    {"escape", SDLK_ESCAPE},    {"left", SDLK_LEFT},
    {"up", SDLK_UP},           {"right", SDLK_RIGHT},      {"down", SDLK_DOWN},
    {"pageup", SDLK_PAGEUP},   {"pagedown", SDLK_PAGEDOWN}, {"f2", SDLK_F2},
    {"space", SDLK_SPACE},     {"backspace", SDLK_BACKSPACE},
};

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = char(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

// The viewer's key for a virtual-key code, so a number gets the same scan
// code as the named key.
std::optional<VirtualKey> KeyOfCode(int code) {
  if (code >= 'A' && code <= 'Z') return MapKey(SDLK_a + (code - 'A'));
  if (code >= '0' && code <= '9') return MapKey(SDLK_0 + (code - '0'));
  for (const NamedKey& named : kNamedKeys) {
    std::optional<VirtualKey> key = MapKey(named.key);
    if (key && key->code == code) return key;
  }
  return std::nullopt;
}

}  // namespace

std::optional<VirtualKey> ParseKey(std::string_view text) {
  if (text.empty()) return std::nullopt;
  if (std::isdigit(static_cast<unsigned char>(text[0])) && text.size() > 1) {
    std::optional<uint32_t> number = ParseNumber(text, 254);
    if (!number || *number == 0) return std::nullopt;
    const int code = int(*number);
    if (std::optional<VirtualKey> key = KeyOfCode(code)) return key;
    return VirtualKey{code, 0, false};
  }
  if (text.size() == 1 && std::isalnum(static_cast<unsigned char>(text[0]))) {
    return KeyOfCode(std::toupper(static_cast<unsigned char>(text[0])));
  }
  const std::string lower = Lower(text);
  for (const NamedKey& named : kNamedKeys) {
    if (lower == named.name) return MapKey(named.key);
  }
  return std::nullopt;
}

std::optional<uint32_t> ParseNumber(std::string_view text, uint32_t high) {
  int base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    text.remove_prefix(2);
    base = 16;
  }
  uint32_t value = 0;
  auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (text.empty() || failure != std::errc() || end != text.data() + text.size()) {
    return std::nullopt;
  }
  if (value > high) return std::nullopt;
  return value;
}

}  // namespace lcd
