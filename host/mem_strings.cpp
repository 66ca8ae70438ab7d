// The byte and string calls of the memory module. Strings are NUL-terminated
// byte strings; GB2312 text counts bytes, not characters.

#include <cstring>

#include "host/mem.h"

void* MemCopy(void* dst, const void* src, uint32_t n) {
  auto* to = static_cast<unsigned char*>(dst);
  const auto* from = static_cast<const unsigned char*>(src);
  const auto toAt = reinterpret_cast<uintptr_t>(to);
  const auto fromAt = reinterpret_cast<uintptr_t>(from);
  if (toAt <= fromAt || toAt - fromAt >= n) {
    std::memmove(to, from, n);
  } else {
    // The destination starts inside the source: a forward copy repeats the
    // first bytes, as a copy from the first byte to the last does.
    for (uint32_t i = 0; i < n; ++i) to[i] = from[i];
  }
  return dst;
}

void* MemFill(void* dst, int32_t value, uint32_t n) {
  std::memset(dst, static_cast<unsigned char>(value), n);
  return dst;
}

char* StrCpy(char* dst, const char* src) { return std::strcpy(dst, src); }

char* StrCat(char* dst, const char* src) { return std::strcat(dst, src); }

uint32_t StrLen(const char* s) { return uint32_t(std::strlen(s)); }

int32_t StrCmp(const char* a, const char* b) {
  const int order = std::strcmp(a, b);  // compares as unsigned char
  return order < 0 ? -1 : order > 0 ? 1 : 0;
}

char* IntToStr(int32_t value, char* buffer, int32_t radix) {
  static constexpr char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
  buffer[0] = '\0';
  if (radix < 2 || radix > 36) return buffer;
  char* out = buffer;
  uint32_t magnitude = uint32_t(value);
  if (radix == 10 && value < 0) {
    *out++ = '-';
    magnitude = 0u - magnitude;
  }
  char reversed[33];
  int length = 0;
  do {
    reversed[length++] = kDigits[magnitude % uint32_t(radix)];
    magnitude /= uint32_t(radix);
  } while (magnitude != 0);
  while (length > 0) *out++ = reversed[--length];
  *out = '\0';
  return buffer;
}
