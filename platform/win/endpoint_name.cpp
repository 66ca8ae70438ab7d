#include "platform/win/endpoint_name.h"

#include <cstdint>

#include "codec/bytes.h"
#include "codec/hex.h"

namespace plat {
namespace {

std::uint64_t Fnv1a(std::string_view bytes, std::uint64_t hash = 0xcbf29ce484222325ULL) {
  for (unsigned char c : bytes) {
    hash ^= c;
    hash *= 0x100000001b3ULL;
  }
  return hash;
}

// `tag` then `rest`. Built by appending: GCC 12 at -O3 warns (-Werror=restrict)
// on a literal + std::string&& concatenation.
std::string Tagged(char tag, std::string_view rest) {
  std::string text(1, tag);
  text.append(rest);
  return text;
}

std::string PairText(std::string_view className, std::string_view title) {
  return codec::HexEncode(className) + "." + codec::HexEncode(title);
}

std::optional<WindowName> DecodePair(std::string_view text) {
  const std::size_t dot = text.find('.');
  if (dot == std::string_view::npos) return std::nullopt;
  auto className = codec::HexDecode<std::string>(text.substr(0, dot));
  auto title = codec::HexDecode<std::string>(text.substr(dot + 1));
  if (!className || !title) return std::nullopt;
  return WindowName{std::move(*className), std::move(*title)};
}

// The hash as 16 hex digits of its little-endian bytes.
std::string HashedName(std::string_view className, std::string_view title) {
  const std::uint64_t hash = Fnv1a(title, Fnv1a(std::string_view("\0", 1), Fnv1a(className)));
  std::uint8_t bytes[sizeof hash];
  codec::StoreLe(bytes, hash);
  return Tagged('h', codec::HexEncode(bytes));
}

}  // namespace

EndpointName EncodeEndpointName(std::string_view className, std::string_view title,
                                std::size_t room) {
  std::string pair = PairText(className, title);
  if (pair.size() + 1 <= room) return {Tagged('w', pair), {}};
  return {HashedName(className, title), std::move(pair)};
}

std::optional<WindowName> DecodeEndpointName(std::string_view file, std::string_view longName) {
  if (file.starts_with('w')) return DecodePair(file.substr(1));
  if (!file.starts_with('h')) return std::nullopt;
  std::optional<WindowName> name = DecodePair(longName);
  if (!name || HashedName(name->className, name->title) != file) return std::nullopt;
  return name;
}

}  // namespace plat
