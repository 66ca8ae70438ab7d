#pragma once
// Moving a save record's named fields between its value and its bytes, by
// its field table (save_layout.h). Used by the builders, the parsers and
// datlib's text dump alike.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <type_traits>
#include <variant>

#include "codec/bytes.h"
#include "rpg/format/save_layout.h"

namespace rpgfmt::save {

// The offset of the field named `name`; the table's end when none is.
template <class Rec>
std::size_t FieldOffset(std::span<const SaveField<Rec>> table, std::string_view name) {
  for (const SaveField<Rec>& f : table) {
    if (f.name == name) return f.offset;
  }
  return table.empty() ? 0 : table.back().offset + FieldSize(table.back());
}

// Writes every field of `value` into `out`, which holds the whole record.
template <class Rec>
void StoreFields(std::span<const SaveField<Rec>> table, const Rec& value, std::uint8_t* out) {
  for (const SaveField<Rec>& f : table) {
    std::visit(
        [&](auto m) {
          const auto& v = value.*m;
          using T = std::decay_t<decltype(v)>;
          if constexpr (std::is_integral_v<T>) {
            if (f.kind == SaveFieldKind::kU16Be) {
              codec::StoreBe(out + f.offset, v);
            } else {
              codec::StoreLe(out + f.offset, v);
            }
          } else {
            std::copy(v.begin(), v.end(), out + f.offset);
          }
        },
        f.member);
  }
}

// Reads every field from `in`, which holds the whole record.
template <class Rec>
Rec LoadFields(std::span<const SaveField<Rec>> table, const std::uint8_t* in) {
  Rec value{};
  for (const SaveField<Rec>& f : table) {
    std::visit(
        [&](auto m) {
          auto& v = value.*m;
          using T = std::decay_t<decltype(v)>;
          if constexpr (std::is_integral_v<T>) {
            v = f.kind == SaveFieldKind::kU16Be ? codec::LoadBe<T>(in + f.offset)
                                                : codec::LoadLe<T>(in + f.offset);
          } else {
            std::copy(in + f.offset, in + f.offset + v.size(), v.begin());
          }
        },
        f.member);
  }
  return value;
}

// A number field's value (0 for the byte fields).
template <class Rec>
std::uint32_t NumberOf(const SaveField<Rec>& f, const Rec& value) {
  return std::visit(
      [&](auto m) -> std::uint32_t {
        const auto& v = value.*m;
        if constexpr (std::is_integral_v<std::decay_t<decltype(v)>>) {
          return v;
        } else {
          return 0;
        }
      },
      f.member);
}

// A byte field's bytes (empty for the number fields).
template <class Rec>
std::span<const std::uint8_t> BytesOf(const SaveField<Rec>& f, const Rec& value) {
  return std::visit(
      [&](auto m) -> std::span<const std::uint8_t> {
        const auto& v = value.*m;
        if constexpr (std::is_integral_v<std::decay_t<decltype(v)>>) {
          return {};
        } else {
          return v;
        }
      },
      f.member);
}

}  // namespace rpgfmt::save
