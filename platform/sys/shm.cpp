#include "platform/sys/shm.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "codec/hex.h"
#include "platform/sys/instance.h"

namespace plat {

struct FileMapping {
  int fd = -1;
  std::string dir;   // the instance folder the block lives in
  std::string path;  // empty for an unnamed block
};

namespace {

// Keeps the file name within one path component of 255 bytes.
constexpr std::size_t kMaxNameBytes = 120;

struct View {
  std::size_t size = 0;
  int holdFd = -1;  // keeps the block alive while mapped; -1 for unnamed blocks
  std::string dir;
  std::string path;
};

std::mutex viewsMutex;
std::map<const void*, View> views;

int Fail(int error) {
  errno = error;
  return -1;
}

std::string BlockPath(const std::string& dir, const char* name) {
  return dir + "/shm-" + codec::HexEncode(std::string_view(name));
}

int FlockRetrying(int fd, int operation) {
  int rc;
  do rc = flock(fd, operation);
  while (rc != 0 && errno == EINTR);
  return rc;
}

// Serialises every decision about a block's life within the instance: who
// creates, who finds a leftover, who is the last to let go. Inside it a
// block's holders are exactly the open descriptions holding a shared lock.
class InstanceLock {
 public:
  explicit InstanceLock(const std::string& dir) {
    if (dir.empty()) return;
    fd_ = open((dir + "/shm.lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd_ >= 0 && FlockRetrying(fd_, LOCK_EX) != 0) {
      close(fd_);
      fd_ = -1;
    }
  }
  ~InstanceLock() {
    if (fd_ >= 0) close(fd_);
  }
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;
  bool Held() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
};

// With the instance lock held: true when no other description holds `fd`'s
// block, which leaves `fd` holding it exclusively.
bool NoOtherHolder(int fd) { return FlockRetrying(fd, LOCK_EX | LOCK_NB) == 0; }

bool Hold(int fd) { return FlockRetrying(fd, LOCK_SH) == 0; }

// With the instance lock held: lets go of a block, removing its name when
// this was the last holder.
void Release(int fd, const std::string& path) {
  if (fd < 0) return;
  if (!path.empty() && NoOtherHolder(fd)) unlink(path.c_str());
  close(fd);
}

bool ValidName(const char* name) {
  if (!name || !*name || std::strlen(name) > kMaxNameBytes) {
    errno = EINVAL;
    return false;
  }
  return true;
}

int CreateUnnamed(std::uint64_t size) {
  int fd = memfd_create("tovsim-block", MFD_CLOEXEC);
  if (fd < 0) return -1;
  if (ftruncate(fd, off_t(size)) != 0) {
    int saved = errno;
    close(fd);
    return Fail(saved);
  }
  return fd;
}

int CreateNamed(const std::string& path, std::uint64_t size, bool* existed) {
  int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) return -1;
  bool fresh = NoOtherHolder(fd);
  struct stat st {};
  bool ok = fstat(fd, &st) == 0;
  // A fresh block (new, or left behind by a crash) starts zero-filled.
  if (ok && fresh) ok = ftruncate(fd, 0) == 0 && ftruncate(fd, off_t(size)) == 0;
  if (ok && !fresh && std::uint64_t(st.st_size) < size) ok = ftruncate(fd, off_t(size)) == 0;
  if (ok) ok = Hold(fd);
  if (!ok) {
    int saved = errno;
    if (fresh) unlink(path.c_str());
    close(fd);
    return Fail(saved);
  }
  if (existed) *existed = !fresh;
  return fd;
}

int OpenNamed(const std::string& path) {
  int fd = open(path.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) return -1;
  if (NoOtherHolder(fd)) {
    // Left behind by a process that ended without closing: not a block.
    unlink(path.c_str());
    close(fd);
    return Fail(ENOENT);
  }
  if (!Hold(fd)) {
    int saved = errno;
    close(fd);
    return Fail(saved);
  }
  return fd;
}

// A second description of the block for a view, so that the block outlives
// its handles while the view is mapped.
int HoldForView(const FileMapping& mapping) {
  if (mapping.path.empty()) return -1;
  int fd = open(mapping.path.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) return -1;
  struct stat mine {}, theirs {};
  bool same = fstat(mapping.fd, &mine) == 0 && fstat(fd, &theirs) == 0 &&
              mine.st_dev == theirs.st_dev && mine.st_ino == theirs.st_ino;
  if (!same || !Hold(fd)) {
    close(fd);
    return Fail(EIO);
  }
  return fd;
}

}  // namespace

FileMapping* CreateFileMappingA(const char* name, std::uint64_t size, bool* alreadyExisted) {
  if (alreadyExisted) *alreadyExisted = false;
  if (size == 0 || size > std::uint64_t(INT64_MAX) || (name && !ValidName(name))) {
    errno = EINVAL;
    return nullptr;
  }
  auto mapping = std::make_unique<FileMapping>();
  if (!name) {
    mapping->fd = CreateUnnamed(size);
  } else {
    mapping->dir = InstanceDir();
    InstanceLock lock(mapping->dir);
    if (!lock.Held()) return nullptr;
    mapping->path = BlockPath(mapping->dir, name);
    mapping->fd = CreateNamed(mapping->path, size, alreadyExisted);
  }
  return mapping->fd < 0 ? nullptr : mapping.release();
}

FileMapping* OpenFileMappingA(const char* name) {
  if (!ValidName(name)) return nullptr;
  auto mapping = std::make_unique<FileMapping>();
  mapping->dir = InstanceDir();
  InstanceLock lock(mapping->dir);
  if (!lock.Held()) return nullptr;
  mapping->path = BlockPath(mapping->dir, name);
  mapping->fd = OpenNamed(mapping->path);
  return mapping->fd < 0 ? nullptr : mapping.release();
}

std::uint64_t MappingSize(FileMapping* mapping) {
  struct stat st {};
  if (!mapping || fstat(mapping->fd, &st) != 0 || st.st_size < 0) return 0;
  return std::uint64_t(st.st_size);
}

void* MapViewOfFile(FileMapping* mapping) {
  if (!mapping) {
    errno = EINVAL;
    return nullptr;
  }
  std::uint64_t size = MappingSize(mapping);
  if (size == 0 || size > SIZE_MAX) {
    errno = EINVAL;
    return nullptr;
  }
  int holdFd = -1;
  if (!mapping->path.empty()) {
    InstanceLock lock(mapping->dir);
    if (!lock.Held() || (holdFd = HoldForView(*mapping)) < 0) return nullptr;
  }
  void* view = mmap(nullptr, std::size_t(size), PROT_READ | PROT_WRITE, MAP_SHARED, mapping->fd, 0);
  if (view == MAP_FAILED) {
    int saved = errno;
    InstanceLock lock(mapping->dir);
    Release(holdFd, mapping->path);
    errno = saved;
    return nullptr;
  }
  std::lock_guard<std::mutex> guard(viewsMutex);
  views[view] = View{std::size_t(size), holdFd, mapping->dir, mapping->path};
  return view;
}

std::size_t ViewSize(const void* view) {
  std::lock_guard<std::mutex> guard(viewsMutex);
  auto it = views.find(view);
  return it == views.end() ? 0 : it->second.size;
}

int UnmapViewOfFile(const void* view) {
  View entry;
  {
    std::lock_guard<std::mutex> guard(viewsMutex);
    auto it = views.find(view);
    if (it == views.end()) {
      errno = EINVAL;
      return 0;
    }
    entry = it->second;
    views.erase(it);
  }
  munmap(const_cast<void*>(view), entry.size);
  if (entry.holdFd >= 0) {
    InstanceLock lock(entry.dir);
    Release(entry.holdFd, entry.path);
  }
  return 1;
}

int CloseFileMapping(FileMapping* mapping) {
  if (!mapping) return 1;
  {
    InstanceLock lock(mapping->dir);
    if (mapping->path.empty()) {
      close(mapping->fd);
    } else {
      Release(mapping->fd, mapping->path);
    }
  }
  delete mapping;
  return 1;
}

}  // namespace plat
