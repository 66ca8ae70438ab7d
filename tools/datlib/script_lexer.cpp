#include "tools/datlib/script_lexer.h"

#include <cctype>
#include <charconv>

#include "codec/hex.h"
#include "codec/utf8.h"
#include "tools/datlib/source_text.h"

namespace datlib {
namespace {

bool IsNameStart(char c) {
  return std::isalpha(static_cast<unsigned char>(c)) || c == '_' || c == '.';
}
bool IsNameChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.';
}

using codec::HexDigitValue;

class LineLexer {
 public:
  LineLexer(const LineRef& line, Diagnostics& diag) : line_(line), s_(line.text), diag_(diag) {}

  bool Run(std::vector<Token>& out) {
    while (true) {
      while (i_ < s_.size() && (s_[i_] == ' ' || s_[i_] == '\t')) ++i_;
      if (i_ >= s_.size() || s_[i_] == ';') return true;
      Token t;
      t.at = i_;
      const char c = s_[i_];
      bool ok = true;
      if (c == ',' || c == ':') {
        t.kind = c == ',' ? TokenKind::kComma : TokenKind::kColon;
        ++i_;
      } else if (c == '"') {
        ok = String(t);
        if (ok && !out.empty() && out.back().kind == TokenKind::kString) {
          out.back().bytes += t.bytes;
          continue;
        }
      } else if (std::isdigit(static_cast<unsigned char>(c))) {
        ok = Number(t);
      } else if (IsNameStart(c)) {
        t.kind = TokenKind::kName;
        while (i_ < s_.size() && IsNameChar(s_[i_])) ++i_;
      } else if (c == '-') {
        return Fail(i_, "negative numbers are not allowed");
      } else {
        return Fail(i_, "unexpected character '" + CharAt(i_) + "'");
      }
      if (!ok) return false;
      t.text = s_.substr(t.at, i_ - t.at);
      out.push_back(std::move(t));
    }
  }

 private:
  bool Fail(std::size_t at, std::string message) {
    diag_.Error(line_.PosAt(at), std::move(message));
    return false;
  }

  std::string CharAt(std::size_t at) const {
    return std::string(s_.substr(at, codec::DecodeUtf8(s_, at).length));
  }

  bool Number(Token& t) {
    t.kind = TokenKind::kNumber;
    int base = 10;
    std::size_t digits = i_;
    if (s_[i_] == '0' && i_ + 1 < s_.size() && (s_[i_ + 1] == 'x' || s_[i_ + 1] == 'X')) {
      base = 16;
      digits = i_ + 2;
    }
    std::size_t end = digits;
    while (end < s_.size() && IsNameChar(s_[end])) ++end;
    const char* first = s_.data() + digits;
    const char* last = s_.data() + end;
    const auto [ptr, ec] = std::from_chars(first, last, t.number, base);
    if (digits == end || ptr != last)
      return Fail(i_, "bad number '" + std::string(s_.substr(i_, end - i_)) + "'");
    if (ec != std::errc() || t.number > 0xFFFFFFFFu) {
      return Fail(i_, "number " + std::string(s_.substr(i_, end - i_)) + " is too large");
    }
    i_ = end;
    return true;
  }

  // A quoted literal: UTF-8 text converted to GB2312; \\, \" and \xHH (one
  // raw byte) are the escapes.
  bool String(Token& t) {
    t.kind = TokenKind::kString;
    ++i_;
    std::size_t run = i_;
    auto flush = [&](std::size_t end) {
      if (end == run) return true;
      auto bytes = Utf8ToGb2312(s_.substr(run, end - run), line_.PosAt(run), diag_);
      if (!bytes) return false;
      t.bytes += *bytes;
      return true;
    };
    while (true) {
      if (i_ >= s_.size()) return Fail(t.at, "string without its closing quote");
      const char c = s_[i_];
      if (c == '"') {
        if (!flush(i_)) return false;
        ++i_;
        return true;
      }
      if (c != '\\') {
        ++i_;
        continue;
      }
      if (!flush(i_)) return false;
      if (!Escape(t.bytes)) return false;
      run = i_;
    }
  }

  bool Escape(std::string& bytes) {
    const std::size_t at = i_;
    const char e = i_ + 1 < s_.size() ? s_[i_ + 1] : '\0';
    if (e == '\\' || e == '"') {
      bytes += e;
      i_ += 2;
      return true;
    }
    if (e == 'x' && i_ + 3 < s_.size() && HexDigitValue(s_[i_ + 2]) >= 0 &&
        HexDigitValue(s_[i_ + 3]) >= 0) {
      bytes += static_cast<char>(HexDigitValue(s_[i_ + 2]) * 16 + HexDigitValue(s_[i_ + 3]));
      i_ += 4;
      return true;
    }
    return Fail(at, "bad escape; use \\\\, \\\" or \\x followed by two hex digits");
  }

  const LineRef& line_;
  std::string_view s_;
  Diagnostics& diag_;
  std::size_t i_ = 0;
};

}  // namespace

SourcePos LineRef::PosAt(std::size_t byteOffset) const {
  const int col = 1 + static_cast<int>(codec::CountUtf8Chars(text, byteOffset));
  return {file ? *file : std::string(), number, col};
}

bool TokenizeLine(const LineRef& line, std::vector<Token>& out, Diagnostics& diag) {
  out.clear();
  return LineLexer(line, diag).Run(out);
}

}  // namespace datlib
