#include "platform/sys/file.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/sys/path.h"

namespace plat {

std::FILE* OpenFile(const char* path, const char* mode) {
  if (!path || !mode || (mode[0] != 'r' && mode[0] != 'w' && mode[0] != 'a')) {
    errno = EINVAL;
    return nullptr;
  }
  return std::fopen(ToPosixPath(path).c_str(), mode);
}

int DeleteFileA(const char* path) {
  if (!path) {
    errno = EINVAL;
    return 0;
  }
  return unlink(ToPosixPath(path).c_str()) == 0;
}

int MoveFileA(const char* from, const char* to) {
  if (!from || !to) {
    errno = EINVAL;
    return 0;
  }
  std::string source = ToPosixPath(from);
  std::string target = ToPosixPath(to);
  if (renameat2(AT_FDCWD, source.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) return 1;
  if (errno != EINVAL && errno != ENOSYS) return 0;
  // File systems without the no-replace flag: a check first, with the small
  // window between check and rename that the flag would have closed.
  struct stat st {};
  if (lstat(target.c_str(), &st) == 0) {
    errno = EEXIST;
    return 0;
  }
  return std::rename(source.c_str(), target.c_str()) == 0;
}

int CreateDirectoryA(const char* path) {
  if (!path) {
    errno = EINVAL;
    return 0;
  }
  return mkdir(ToPosixPath(path).c_str(), 0755) == 0;
}

std::uint32_t GetFileAttributesA(const char* path) {
  struct stat st {};
  if (!path || stat(ToPosixPath(path).c_str(), &st) != 0) return INVALID_FILE_ATTRIBUTES;
  std::uint32_t attributes = 0;
  if (S_ISDIR(st.st_mode)) attributes |= FILE_ATTRIBUTE_DIRECTORY;
  if ((st.st_mode & S_IWUSR) == 0) attributes |= FILE_ATTRIBUTE_READONLY;
  return attributes ? attributes : FILE_ATTRIBUTE_NORMAL;
}

}  // namespace plat
