#include "platform/sys/file.h"

#include <cerrno>
#include <cstdio>
#include <string>
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

namespace {

// fsync of a file or folder opened read-only; false with errno on failure.
bool SyncPath(const std::string& path, int flags) {
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | flags);
  if (fd < 0) return false;
  bool synced = fsync(fd) == 0;
  int error = errno;
  close(fd);
  errno = error;
  return synced;
}

std::string FolderOf(const std::string& path) {
  std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

int MoveFileExA(const char* from, const char* to, std::uint32_t flags) {
  if (!(flags & MOVEFILE_REPLACE_EXISTING) && !(flags & MOVEFILE_WRITE_THROUGH)) {
    return MoveFileA(from, to);
  }
  if (!from || !to) {
    errno = EINVAL;
    return 0;
  }
  std::string source = ToPosixPath(from);
  std::string target = ToPosixPath(to);
  bool writeThrough = flags & MOVEFILE_WRITE_THROUGH;
  if (writeThrough && !SyncPath(source, 0)) return 0;
  if (!(flags & MOVEFILE_REPLACE_EXISTING)) {
    if (!MoveFileA(from, to)) return 0;
  } else if (std::rename(source.c_str(), target.c_str()) != 0) {
    return 0;
  }
  return !writeThrough || SyncPath(FolderOf(target), O_DIRECTORY);
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
