#pragma once
// Field tables: a record's layout written down once, as a constexpr table of
// named fields. The game takes its offsets from the table
// (OffsetOf(kFields, "facing")); datlib turns the same table into YAML
// fields and back. A table may embed another one at an offset (the 26-byte
// CharStats inside a character sheet), which then reads as a group in YAML
// ("stats: {maxHp: ...}").

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace rpgfmt {

enum class FieldKind : std::uint8_t {
  kU8,
  kU16,
  kText,      // `size` bytes of GB2312, zero-terminated, zero-padded
  kBytes,     // `size` bytes shown as a list of numbers
  kTailText,  // zero-terminated GB2312 text ending the record (variable size)
};

enum class FieldDefault : std::uint8_t { kZero, kKeyId1, kKeyId2 };

struct Field {
  std::string_view name;
  std::uint16_t offset = 0;
  FieldKind kind = FieldKind::kU8;
  std::uint16_t size = 1;  // bytes; 1 or 2 for numbers
  FieldDefault fallback = FieldDefault::kZero;
  // Bytes nothing reads, and the key's repeat: sources may leave them out
  // and dumps show them only when they differ from their default.
  bool quiet = false;
  // A count the data compiler fills in from a list of the source; not a
  // field of its own there.
  bool counted = false;
  std::string_view group = {};  // set by Nested()
};

constexpr Field U8(std::string_view name, std::uint16_t offset) { return {name, offset}; }
constexpr Field U16(std::string_view name, std::uint16_t offset) {
  return {name, offset, FieldKind::kU16, 2};
}
constexpr Field Text(std::string_view name, std::uint16_t offset, std::uint16_t size) {
  return {name, offset, FieldKind::kText, size};
}
constexpr Field Quiet(Field f) {
  f.quiet = true;
  return f;
}
constexpr Field Counted(std::string_view name, std::uint16_t offset) {
  return {name, offset, FieldKind::kU8, 1, FieldDefault::kZero, false, true};
}
// Bytes 0 and 1 of most records repeat the key's id1 and id2.
constexpr Field KeyId1(std::string_view name) {
  return {name, 0, FieldKind::kU8, 1, FieldDefault::kKeyId1, true};
}
constexpr Field KeyId2(std::string_view name) {
  return {name, 1, FieldKind::kU8, 1, FieldDefault::kKeyId2, true};
}

namespace fields_detail {
// Reached only when a name is missing, which stops the constant evaluation:
// a misspelt field name is a compile error.
inline std::size_t NoSuchField() { return 0; }
}  // namespace fields_detail

template <std::size_t N>
constexpr const Field& FieldNamed(const std::array<Field, N>& table, std::string_view name) {
  for (const Field& f : table) {
    if (f.group.empty() && f.name == name) return f;
  }
  fields_detail::NoSuchField();
  return table[0];
}

template <std::size_t N>
constexpr std::uint16_t OffsetOf(const std::array<Field, N>& table, std::string_view name) {
  for (const Field& f : table) {
    if (f.group.empty() && f.name == name) return f.offset;
  }
  return static_cast<std::uint16_t>(fields_detail::NoSuchField());
}

// The first byte after every fixed-size field.
template <std::size_t N>
constexpr std::uint16_t EndOf(const std::array<Field, N>& table) {
  std::uint16_t end = 0;
  for (const Field& f : table) {
    if (f.kind != FieldKind::kTailText) end = std::max<std::uint16_t>(end, f.offset + f.size);
  }
  return end;
}

// `table` placed at `base`, its fields grouped under `group`.
template <std::size_t N>
constexpr std::array<Field, N> Nested(std::string_view group, std::uint16_t base,
                                      std::array<Field, N> table) {
  for (Field& f : table) {
    f.offset = static_cast<std::uint16_t>(f.offset + base);
    f.group = group;
  }
  return table;
}

template <std::size_t... N>
constexpr std::array<Field, (N + ...)> Join(const std::array<Field, N>&... parts) {
  std::array<Field, (N + ...)> out{};
  std::size_t at = 0;
  ((std::copy(parts.begin(), parts.end(), out.begin() + at), at += N), ...);
  return out;
}

}  // namespace rpgfmt
