#pragma once
// A name kept in a fixed-size field of a record: its bytes up to the first
// zero or the field's end.

#include <cstddef>
#include <cstdint>
#include <string_view>

inline std::string_view FieldText(const void* field, std::size_t size) {
  const auto* p = static_cast<const char*>(field);
  std::size_t n = 0;
  while (n < size && p[n] != 0) ++n;
  return {p, n};
}
