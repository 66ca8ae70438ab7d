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

std::string saveFolder;

// "../Save" or "../Save/...", "Save" in any case: the length of that prefix,
// else 0.
std::size_t SavePrefix(const std::string& path) {
  constexpr std::string_view kSave = "../save";
  if (path.size() < kSave.size()) return 0;
  for (std::size_t i = 0; i < kSave.size(); ++i) {
    const char c = path[i];
    if ((c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c) != kSave[i]) return 0;
  }
  if (path.size() > kSave.size() && path[kSave.size()] != '/') return 0;
  return kSave.size();
}

}  // namespace

std::string ToPosixPath(std::string_view windowsPath) {
  std::string out(windowsPath);
  std::replace(out.begin(), out.end(), '\\', '/');
  if (!saveFolder.empty()) {
    if (const std::size_t prefix = SavePrefix(out)) out = saveFolder + out.substr(prefix);
  }
  return out;
}

void SetSaveFolder(std::string folder) { saveFolder = std::move(folder); }

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
