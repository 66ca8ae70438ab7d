#include "platform/sys/path.h"

#include <algorithm>

namespace plat {
namespace {

bool EndsWithExe(std::string_view s) {
  if (s.size() < 4) return false;
  std::string_view tail = s.substr(s.size() - 4);
  auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
  return tail[0] == '.' && lower(tail[1]) == 'e' && lower(tail[2]) == 'x' && lower(tail[3]) == 'e';
}

}  // namespace

std::string ToPosixPath(std::string_view windowsPath) {
  std::string out(windowsPath);
  std::replace(out.begin(), out.end(), '\\', '/');
  return out;
}

std::string StripExeSuffix(std::string_view path) {
  std::size_t lastSep = path.find_last_of("/\\");
  std::string_view name = lastSep == std::string_view::npos ? path : path.substr(lastSep + 1);
  // ".exe" alone is a hidden file's name, not a program with a suffix.
  if (name.size() > 4 && EndsWithExe(name)) path.remove_suffix(4);
  return std::string(path);
}

std::string ToPosixProgramPath(std::string_view windowsPath) {
  return StripExeSuffix(ToPosixPath(windowsPath));
}

SplitPathResult SplitLastComponent(std::string_view posixPath) {
  std::size_t lastSep = posixPath.rfind('/');
  if (lastSep == std::string_view::npos) return {".", std::string(posixPath)};
  std::string_view folder = lastSep == 0 ? std::string_view("/") : posixPath.substr(0, lastSep);
  return {std::string(folder), std::string(posixPath.substr(lastSep + 1))};
}

}  // namespace plat
