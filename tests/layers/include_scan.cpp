#include "tests/layers/include_scan.h"

#include <algorithm>

namespace layers {
namespace {

namespace fs = std::filesystem;

std::string_view SkipBlanks(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  return s;
}

// The include a line holds, if it is an #include line.
std::optional<Include> IncludeOn(std::string_view line) {
  line = SkipBlanks(line);
  if (!line.starts_with('#')) return std::nullopt;
  line = SkipBlanks(line.substr(1));
  if (!line.starts_with("include")) return std::nullopt;
  line = SkipBlanks(line.substr(7));
  if (line.empty() || (line.front() != '"' && line.front() != '<')) return std::nullopt;
  const bool angle = line.front() == '<';
  const std::size_t end = line.find(angle ? '>' : '"', 1);
  if (end == std::string_view::npos) return std::nullopt;
  return Include{std::string(line.substr(1, end - 1)), angle, 0};
}

bool IsBuildTree(const fs::path& folder) { return fs::exists(folder / "CMakeCache.txt"); }

}  // namespace

std::vector<Include> ReadIncludes(std::string_view text) {
  std::vector<Include> includes;
  int number = 0;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    ++number;
    if (std::optional<Include> include = IncludeOn(text.substr(0, end))) {
      include->line = number;
      includes.push_back(std::move(*include));
    }
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  }
  return includes;
}

std::vector<std::string> SourceFiles(const fs::path& root) {
  std::vector<std::string> files;
  for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator();
       ++it) {
    const fs::path& path = it->path();
    if (it->is_directory()) {
      const bool hidden = path.filename().string().starts_with('.');
      if (hidden || IsBuildTree(path)) it.disable_recursion_pending();
      continue;
    }
    const std::string extension = path.extension().string();
    if (extension == ".h" || extension == ".cpp") {
      files.push_back(path.lexically_relative(root).generic_string());
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace layers
