#include "platform/sys/dir.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <strings.h>
#include <dirent.h>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "platform/sys/file.h"
#include "platform/sys/path.h"
#include "platform/sys/wildcard.h"

namespace plat {

struct FindSearch {
  std::vector<WIN32_FIND_DATAA> entries;
  std::size_t next = 0;
};

namespace {

int DotRank(const char* name) {
  if (std::strcmp(name, ".") == 0) return 0;
  if (std::strcmp(name, "..") == 0) return 1;
  return 2;
}

bool EntryBefore(const WIN32_FIND_DATAA& a, const WIN32_FIND_DATAA& b) {
  int rankA = DotRank(a.cFileName), rankB = DotRank(b.cFileName);
  if (rankA != rankB) return rankA < rankB;
  int folded = strcasecmp(a.cFileName, b.cFileName);
  if (folded != 0) return folded < 0;
  return std::strcmp(a.cFileName, b.cFileName) < 0;
}

WIN32_FIND_DATAA DescribeEntry(const std::string& folder, const char* name) {
  WIN32_FIND_DATAA data{};
  std::memcpy(data.cFileName, name, std::strlen(name) + 1);
  std::string full = folder + "/" + name;
  struct stat st {};
  // A dangling symbolic link is still listed, as the link itself.
  if (stat(full.c_str(), &st) != 0 && lstat(full.c_str(), &st) != 0) {
    data.dwFileAttributes = FILE_ATTRIBUTE_NORMAL;
    return data;
  }
  std::uint32_t attributes = 0;
  if (S_ISDIR(st.st_mode)) {
    attributes |= FILE_ATTRIBUTE_DIRECTORY;
  } else {
    auto size = static_cast<std::uint64_t>(st.st_size);
    data.nFileSizeHigh = std::uint32_t(size >> 32);
    data.nFileSizeLow = std::uint32_t(size);
  }
  if ((st.st_mode & S_IWUSR) == 0) attributes |= FILE_ATTRIBUTE_READONLY;
  data.dwFileAttributes = attributes ? attributes : FILE_ATTRIBUTE_NORMAL;
  return data;
}

// Reads the whole folder at once, so a search sees one consistent listing
// even when files are added or removed while it runs.
bool ListMatches(const std::string& folder, const std::string& pattern,
                 std::vector<WIN32_FIND_DATAA>& out) {
  DIR* dir = opendir(folder.c_str());
  if (!dir) return false;
  while (dirent* entry = readdir(dir)) {
    if (std::strlen(entry->d_name) >= kMaxPath) continue;
    if (!MatchFilePattern(pattern, entry->d_name)) continue;
    out.push_back(DescribeEntry(folder, entry->d_name));
  }
  closedir(dir);
  std::sort(out.begin(), out.end(), EntryBefore);
  return true;
}

}  // namespace

FindSearch* FindFirstFileA(const char* pattern, WIN32_FIND_DATAA* data) {
  if (!pattern || !data || !*pattern) {
    errno = EINVAL;
    return nullptr;
  }
  SplitPathResult parts = SplitLastComponent(ToPosixPath(pattern));
  if (parts.name.empty() || parts.folder.find_first_of("*?") != std::string::npos) {
    errno = EINVAL;
    return nullptr;
  }
  auto* search = new FindSearch;
  if (!ListMatches(parts.folder, parts.name, search->entries)) {
    int saved = errno;
    delete search;
    errno = saved;
    return nullptr;
  }
  if (!FindNextFileA(search, data)) {
    delete search;
    errno = ENOENT;
    return nullptr;
  }
  return search;
}

int FindNextFileA(FindSearch* search, WIN32_FIND_DATAA* data) {
  if (!search || !data) {
    errno = EINVAL;
    return 0;
  }
  if (search->next >= search->entries.size()) {
    errno = ENOENT;
    return 0;
  }
  *data = search->entries[search->next++];
  return 1;
}

int FindClose(FindSearch* search) {
  delete search;
  return 1;
}

}  // namespace plat
