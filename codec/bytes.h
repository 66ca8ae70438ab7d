#pragma once
// Fixed-width integers in byte buffers, little- and big-endian.
//
// Load and Store work on a pointer whose bounds the caller has checked; Read
// and Write take a span and an offset and check them, answering nothing (or
// false) when the field does not fit; Append grows a byte vector or string. Signed
// types come back from their two's-complement bytes. `bytes` narrows a field
// below the width of its type (a 24-bit tempo, a byte stored in a word).

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <type_traits>

namespace codec {

template <std::integral T>
constexpr T LoadLe(const std::uint8_t* p, std::size_t bytes = sizeof(T)) {
  using U = std::make_unsigned_t<T>;
  U v = 0;
  for (std::size_t i = bytes; i-- > 0;) {
    v = static_cast<U>(static_cast<std::uint64_t>(v) << 8 | p[i]);
  }
  return static_cast<T>(v);
}

template <std::integral T>
constexpr T LoadBe(const std::uint8_t* p, std::size_t bytes = sizeof(T)) {
  using U = std::make_unsigned_t<T>;
  U v = 0;
  for (std::size_t i = 0; i < bytes; ++i) {
    v = static_cast<U>(static_cast<std::uint64_t>(v) << 8 | p[i]);
  }
  return static_cast<T>(v);
}

template <std::integral T>
constexpr void StoreLe(std::uint8_t* p, T value, std::size_t bytes = sizeof(T)) {
  auto v = static_cast<std::uint64_t>(static_cast<std::make_unsigned_t<T>>(value));
  for (std::size_t i = 0; i < bytes; ++i, v >>= 8) p[i] = static_cast<std::uint8_t>(v);
}

template <std::integral T>
constexpr void StoreBe(std::uint8_t* p, T value, std::size_t bytes = sizeof(T)) {
  auto v = static_cast<std::uint64_t>(static_cast<std::make_unsigned_t<T>>(value));
  for (std::size_t i = bytes; i-- > 0; v >>= 8) p[i] = static_cast<std::uint8_t>(v);
}

// True when `bytes` bytes from `at` lie inside a buffer of `size` bytes.
constexpr bool Fits(std::size_t size, std::size_t at, std::size_t bytes) {
  return at <= size && size - at >= bytes;
}

template <std::integral T>
constexpr std::optional<T> ReadLe(std::span<const std::uint8_t> b, std::size_t at) {
  if (!Fits(b.size(), at, sizeof(T))) return std::nullopt;
  return LoadLe<T>(b.data() + at);
}

template <std::integral T>
constexpr std::optional<T> ReadBe(std::span<const std::uint8_t> b, std::size_t at) {
  if (!Fits(b.size(), at, sizeof(T))) return std::nullopt;
  return LoadBe<T>(b.data() + at);
}

template <std::integral T>
constexpr bool WriteLe(std::span<std::uint8_t> b, std::size_t at, T value) {
  if (!Fits(b.size(), at, sizeof(T))) return false;
  StoreLe(b.data() + at, value);
  return true;
}

// `out` is a byte vector or a byte string.
template <std::integral T, class Bytes>
void AppendLe(Bytes& out, T value, std::size_t bytes = sizeof(T)) {
  static_assert(sizeof(typename Bytes::value_type) == 1);
  out.resize(out.size() + bytes);
  StoreLe(reinterpret_cast<std::uint8_t*>(out.data() + out.size() - bytes), value, bytes);
}

template <std::integral T, class Bytes>
void AppendBe(Bytes& out, T value, std::size_t bytes = sizeof(T)) {
  static_assert(sizeof(typename Bytes::value_type) == 1);
  out.resize(out.size() + bytes);
  StoreBe(reinterpret_cast<std::uint8_t*>(out.data() + out.size() - bytes), value, bytes);
}

}  // namespace codec
