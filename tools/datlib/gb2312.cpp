#include "tools/datlib/gb2312.h"

#include <iconv.h>

#include <cerrno>

namespace datlib {
namespace {

class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts all of `in`; on failure returns the input offset of the bad byte.
  bool Run(std::string_view in, std::string& out, std::size_t& badAt) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) {
      badAt = 0;
      return false;
    }
    out.clear();
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    char buf[256];
    while (srcLeft > 0) {
      char* dst = buf;
      std::size_t dstLeft = sizeof buf;
      const std::size_t r = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
      out.append(buf, static_cast<std::size_t>(dst - buf));
      if (r == static_cast<std::size_t>(-1) && errno != E2BIG) {
        badAt = in.size() - srcLeft;
        return false;
      }
    }
    return true;
  }

 private:
  iconv_t cd_;
};

// Column (counted in UTF-8 characters from 1) of byte offset `at`.
int ColumnOf(std::string_view text, std::size_t at) {
  int col = 1;
  for (std::size_t i = 0; i < at && i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) ++col;
  }
  return col;
}

}  // namespace

std::optional<std::string> Utf8ToGb2312(std::string_view text, const SourcePos& pos,
                                        Diagnostics& diag) {
  Converter conv("GB2312", "UTF-8");
  std::string out;
  std::size_t badAt = 0;
  if (conv.Run(text, out, badAt)) return out;
  SourcePos at = pos;
  if (at.col > 0) at.col += ColumnOf(text, badAt) - 1;
  std::size_t len = 1;
  while (badAt + len < text.size() && (static_cast<unsigned char>(text[badAt + len]) & 0xC0) == 0x80) {
    ++len;
  }
  diag.Error(at, "character \"" + std::string(text.substr(badAt, len)) +
                     "\" cannot be stored in GB2312");
  return std::nullopt;
}

std::optional<std::string> Gb2312ToUtf8(std::string_view bytes) {
  Converter conv("UTF-8", "GB2312");
  std::string out;
  std::size_t badAt = 0;
  if (!conv.Run(bytes, out, badAt)) return std::nullopt;
  return out;
}

}  // namespace datlib
