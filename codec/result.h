#pragma once
// What a loader of binary data answers: the value it read, or an Error that
// says what is wrong and at which byte of the input it was found. Shaped like
// std::expected (not in GCC 12's library), so it can give way to it later.

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace codec {

struct Error {
  // Byte offset in the input where the fault lies; none for faults of the
  // input as a whole (a file that cannot be opened).
  std::optional<std::size_t> offset;
  std::string message;
  // The file the input came from, when the loader read it by path.
  std::string file = {};

  // "file: byte N: message", leaving out what is not known.
  std::string Text() const {
    std::string text = file.empty() ? std::string() : file + ": ";
    if (offset) text += "byte " + std::to_string(*offset) + ": ";
    return text + message;
  }
};

inline Error ErrorAt(std::size_t offset, std::string message) {
  return {offset, std::move(message)};
}

template <class T>
class [[nodiscard]] Result {
 public:
  Result(T value) : state_(std::in_place_index<0>, std::move(value)) {}
  Result(Error error) : state_(std::in_place_index<1>, std::move(error)) {}

  bool has_value() const { return state_.index() == 0; }
  explicit operator bool() const { return has_value(); }

  T& value() & { return std::get<0>(state_); }
  const T& value() const& { return std::get<0>(state_); }
  T&& value() && { return std::get<0>(std::move(state_)); }
  T& operator*() & { return value(); }
  const T& operator*() const& { return value(); }
  T* operator->() { return &value(); }
  const T* operator->() const { return &value(); }

  template <class U>
  T value_or(U&& fallback) const& {
    return has_value() ? value() : static_cast<T>(std::forward<U>(fallback));
  }

  const Error& error() const { return std::get<1>(state_); }

 private:
  std::variant<T, Error> state_;
};

}  // namespace codec
