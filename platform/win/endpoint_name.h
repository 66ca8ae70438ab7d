#pragma once
// How a window's class and title name its socket in the instance folder, and
// back. Names are GB2312 bytes, so both are hex-encoded: "w<class>.<title>".
// A pair whose name would not fit in a socket path is named "h<hash>" (a
// 64-bit hash of the pair) instead, and its "<class>.<title>" is kept in the
// file "h<hash>.name" beside the socket, so that tools can still show it.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace plat {

inline constexpr std::string_view kEndpointNameSuffix = ".name";

struct WindowName {
  std::string className;
  std::string title;
  bool operator==(const WindowName&) const = default;
};

struct EndpointName {
  std::string file;      // the socket's file name
  std::string longName;  // what "<file>.name" holds for a hashed name; empty otherwise
};

// The socket's name when the file name may take at most `room` bytes.
EndpointName EncodeEndpointName(std::string_view className, std::string_view title,
                                std::size_t room);

// The window a socket's file name stands for. `longName` is what the file's
// ".name" file holds; it is read only for a hashed name and must hash to it.
// Nothing for a file that is no window's socket or a name that does not check.
std::optional<WindowName> DecodeEndpointName(std::string_view file, std::string_view longName = {});

}  // namespace plat
