#include "tools/datlib/map_src_json.h"

#include <iterator>
#include <vector>

namespace datlib {
namespace {

using Json = nlohmann::json;

// A character iterator that records the last character the parser looked at,
// which is where the value it then reports ends.
class TrackingIter {
 public:
  using iterator_category = std::input_iterator_tag;
  using value_type = char;
  using difference_type = std::ptrdiff_t;
  using pointer = const char*;
  using reference = const char&;

  TrackingIter(const char* p, const char** seen) : p_(p), seen_(seen) {}
  reference operator*() const {
    *seen_ = p_;
    return *p_;
  }
  TrackingIter& operator++() {
    ++p_;
    return *this;
  }
  TrackingIter operator++(int) {
    TrackingIter old = *this;
    ++p_;
    return old;
  }
  bool operator==(const TrackingIter& o) const { return p_ == o.p_; }
  bool operator!=(const TrackingIter& o) const { return p_ != o.p_; }

 private:
  const char* p_;
  const char** seen_;
};

std::string EscapeToken(const std::string& key) {
  std::string out;
  for (char c : key) {
    if (c == '~') out += "~0";
    else if (c == '/') out += "~1";
    else out += c;
  }
  return out;
}

SourcePos PosAt(const std::string& file, std::string_view text, std::size_t offset) {
  SourcePos pos{file, 1, 1};
  for (std::size_t i = 0; i < offset && i < text.size(); ++i) {
    if (text[i] == '\n') {
      ++pos.line;
      pos.col = 1;
    } else {
      ++pos.col;
    }
  }
  return pos;
}

}  // namespace

// Builds the value tree through nlohmann's own DOM builder and records the
// JSON pointer and offset of every value on the way.
class PositionRecorder : public nlohmann::json_sax<Json> {
 public:
  PositionRecorder(PositionedJson& out, const char* begin, const char** seen)
      : out_(out), dom_(out.root_, false), begin_(begin), seen_(seen) {}

  bool null() override { return Scalar(dom_.null()); }
  bool boolean(bool v) override { return Scalar(dom_.boolean(v)); }
  bool number_integer(number_integer_t v) override { return Scalar(dom_.number_integer(v)); }
  bool number_unsigned(number_unsigned_t v) override { return Scalar(dom_.number_unsigned(v)); }
  bool number_float(number_float_t v, const string_t& s) override {
    return Scalar(dom_.number_float(v, s));
  }
  bool string(string_t& v) override { return Scalar(dom_.string(v)); }
  bool binary(binary_t& v) override { return Scalar(dom_.binary(v)); }
  bool start_object(std::size_t n) override {
    Record();
    stack_.push_back({false, 0, {}});
    return dom_.start_object(n);
  }
  bool key(string_t& k) override {
    stack_.back().key = k;
    return dom_.key(k);
  }
  bool end_object() override { return Close(dom_.end_object()); }
  bool start_array(std::size_t n) override {
    Record();
    stack_.push_back({true, 0, {}});
    return dom_.start_array(n);
  }
  bool end_array() override { return Close(dom_.end_array()); }
  bool parse_error(std::size_t position, const std::string& token,
                   const nlohmann::detail::exception& ex) override {
    errorAt_ = position;
    errorText_ = ex.what();
    return dom_.parse_error(position, token, ex);
  }

  std::size_t errorAt_ = 0;
  std::string errorText_;

 private:
  struct Level {
    bool array;
    std::size_t index;
    std::string key;
  };

  void Record() {
    std::string path;
    for (const Level& l : stack_) path += "/" + (l.array ? std::to_string(l.index) : EscapeToken(l.key));
    out_.offsets_[path] = static_cast<std::size_t>(*seen_ - begin_);
  }
  void Advance() {
    if (!stack_.empty() && stack_.back().array) ++stack_.back().index;
  }
  bool Scalar(bool ok) {
    Record();
    Advance();
    return ok;
  }
  bool Close(bool ok) {
    stack_.pop_back();
    Advance();
    return ok;
  }

  PositionedJson& out_;
  nlohmann::detail::json_sax_dom_parser<Json> dom_;
  const char* begin_;
  const char** seen_;
  std::vector<Level> stack_;
};

std::optional<PositionedJson> PositionedJson::Parse(std::string_view text, const std::string& file,
                                                    Diagnostics& diag) {
  PositionedJson out;
  out.file_ = file;
  out.text_ = std::string(text);
  const char* begin = out.text_.data();
  const char* seen = begin;
  PositionRecorder recorder(out, begin, &seen);
  const bool ok = Json::sax_parse(TrackingIter(begin, &seen),
                                  TrackingIter(begin + out.text_.size(), &seen), &recorder);
  if (!ok) {
    const std::size_t at = recorder.errorAt_ > 0 ? recorder.errorAt_ - 1 : 0;
    diag.Error(PosAt(file, out.text_, at), "not valid JSON: " + recorder.errorText_);
    return std::nullopt;
  }
  return out;
}

SourcePos PositionedJson::PosOf(std::string pointer) const {
  for (;;) {
    if (auto it = offsets_.find(pointer); it != offsets_.end()) {
      return PosAt(file_, text_, it->second);
    }
    if (pointer.empty()) return {file_, 0, 0};
    pointer.resize(pointer.rfind('/'));
  }
}

}  // namespace datlib
