#include "platform/sys/instance.h"

#include <cerrno>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

namespace plat {
namespace {

struct InstanceSettings {
  std::mutex mutex;
  std::string name;
  std::string runtimeDir;
};

// Never destroyed: detached threads may still look the instance up while the
// process exits.
InstanceSettings& Settings() {
  static InstanceSettings* settings = new InstanceSettings;
  return *settings;
}

std::string RuntimeDir() {
  std::lock_guard lock(Settings().mutex);
  return Settings().runtimeDir;
}

// Makes `path` a private folder of ours: created 0700 if missing, refused when
// it is something else or someone else's (another user could then read our
// screen or send our windows messages).
bool EnsurePrivateDir(const std::string& path) {
  if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) return false;
  struct stat st {};
  if (lstat(path.c_str(), &st) != 0) return false;
  if (!S_ISDIR(st.st_mode)) {
    errno = ENOTDIR;
    return false;
  }
  if (st.st_uid != geteuid()) {
    errno = EACCES;
    return false;
  }
  if ((st.st_mode & 0777) != 0700 && chmod(path.c_str(), 0700) != 0) return false;
  return true;
}

// Instance names become one path component: keep them to a safe alphabet.
bool IsSafeName(const std::string& name) {
  if (name.empty() || name == "." || name == "..") return false;
  for (char c : name) {
    bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
              c == '-' || c == '_' || c == '.';
    if (!ok) return false;
  }
  return true;
}

// Without a runtime folder the shared blocks still belong in memory: the
// tmpfs /dev/shm where there is one, rather than /tmp, which may be a disk
// that every screen flush would be written back to.
std::string FallbackBase() {
  struct stat info {};
  const bool memoryFolder = stat("/dev/shm", &info) == 0 && S_ISDIR(info.st_mode);
  return std::string(memoryFolder ? "/dev/shm" : "/tmp") + "/tovsim-" +
         std::to_string(geteuid());
}

}  // namespace

void SetInstanceName(const std::string& name) {
  std::lock_guard lock(Settings().mutex);
  Settings().name = name;
}

void SetRuntimeDir(const std::string& folder) {
  std::lock_guard lock(Settings().mutex);
  Settings().runtimeDir = folder;
}

std::string InstanceName() {
  std::lock_guard lock(Settings().mutex);
  return Settings().name.empty() ? "default" : Settings().name;
}

std::string InstanceDir() {
  std::string name = InstanceName();
  if (!IsSafeName(name)) {
    errno = EINVAL;
    return {};
  }
  const std::string runtime = RuntimeDir();
  const std::string base = runtime.empty() ? FallbackBase() : runtime + "/tovsim";
  if (!EnsurePrivateDir(base)) return {};
  std::string dir = base + "/" + name;
  if (!EnsurePrivateDir(dir)) return {};
  return dir;
}

}  // namespace plat
