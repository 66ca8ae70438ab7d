#include "platform/sys/process.h"

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <system_error>
#include <thread>
#include <time.h>
#include <unistd.h>

#include "platform/sys/path.h"

extern char** environ;

namespace plat {
namespace {

constexpr char kShowModeVar[] = "TOVSIM_SHOWMODE";
constexpr char kReadyFdVar[] = "TOVSIM_READY_FD";
constexpr int kReadyTimeoutMs = 30000;

// The channel to our starter, taken over before main runs: marked
// close-on-exec and removed from the environment, so programs we start
// ourselves neither hold it open nor mistake it for theirs.
std::atomic<int> readyFd{-1};

int AdoptReadyChannel() {
  const char* value = std::getenv(kReadyFdVar);
  if (!value) return -1;
  char* end = nullptr;
  long fd = std::strtol(value, &end, 10);
  bool wellFormed = end != value && *end == '\0' && fd >= 3 && fd <= 65535;
  unsetenv(kReadyFdVar);
  struct stat st {};
  if (!wellFormed) return -1;
  if (fstat(int(fd), &st) != 0 || !S_ISSOCK(st.st_mode)) return -1;
  fcntl(int(fd), F_SETFD, FD_CLOEXEC);
  return int(fd);
}

[[maybe_unused]] const bool adoptedAtStart = (readyFd.store(AdoptReadyChannel()), true);

std::string EnvEntry(const char* name, const std::string& value) {
  return std::string(name) + "=" + value;
}

bool HasName(const char* entry, const char* name) {
  std::size_t length = std::strlen(name);
  return std::strncmp(entry, name, length) == 0 && entry[length] == '=';
}

// Our environment, with the starter's variables of the new program.
std::vector<std::string> ChildEnvironment(unsigned showMode, int childEnd) {
  std::vector<std::string> env;
  for (char** p = environ; p && *p; ++p) {
    if (!HasName(*p, kShowModeVar) && !HasName(*p, kReadyFdVar)) env.emplace_back(*p);
  }
  env.push_back(EnvEntry(kShowModeVar, std::to_string(showMode)));
  env.push_back(EnvEntry(kReadyFdVar, std::to_string(childEnd)));
  return env;
}

std::vector<char*> PointersTo(std::vector<std::string>& strings) {
  std::vector<char*> pointers;
  for (std::string& s : strings) pointers.push_back(s.data());
  pointers.push_back(nullptr);
  return pointers;
}

bool FolderExists(const std::string& program) {
  std::size_t slash = program.rfind('/');
  if (slash == std::string::npos) return true;
  struct stat st {};
  std::string folder = slash == 0 ? "/" : program.substr(0, slash);
  return stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// Checks what the platform checks before starting anything; 0 when the
// program can be started.
unsigned CheckProgram(const std::string& program) {
  struct stat st {};
  if (stat(program.c_str(), &st) != 0) {
    if (errno == ENOENT) return FolderExists(program) ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
    return errno == ENOTDIR ? ERROR_PATH_NOT_FOUND : ERROR_ACCESS_DENIED;
  }
  if (S_ISDIR(st.st_mode) || access(program.c_str(), X_OK) != 0) return ERROR_ACCESS_DENIED;
  return 0;
}

unsigned SpawnErrorCode(int error) {
  switch (error) {
    case ENOENT: return ERROR_FILE_NOT_FOUND;
    case ENOTDIR: return ERROR_PATH_NOT_FOUND;
    case ENOEXEC: return ERROR_BAD_FORMAT;
    case EACCES: case EPERM: return ERROR_ACCESS_DENIED;
    default: return WINEXEC_OUT_OF_RESOURCES;
  }
}

// Started programs are not waited for by anyone else; a small thread per
// program collects its exit so none lingers as a zombie.
void ReapWhenDone(pid_t pid) {
  try {
    std::thread([pid] {
      while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
      }
    }).detach();
  } catch (const std::system_error&) {
    // Out of threads: the program still runs; only its exit status lingers.
  }
}

long RemainingMs(const timespec& deadline) {
  timespec now {};
  clock_gettime(CLOCK_MONOTONIC, &now);
  long ms = (deadline.tv_sec - now.tv_sec) * 1000 + (deadline.tv_nsec - now.tv_nsec) / 1000000;
  return ms < 0 ? 0 : ms;
}

// Blocks until the program reports ready (a byte) or drops the channel, or
// until it exits (its pid descriptor becomes readable: a program it started
// in turn might still hold the channel), or until the time-out.
void WaitUntilReady(int parentEnd, int pidFd) {
  timespec deadline {};
  clock_gettime(CLOCK_MONOTONIC, &deadline);
  deadline.tv_sec += kReadyTimeoutMs / 1000;
  pollfd fds[2] = {{parentEnd, POLLIN, 0}, {pidFd, POLLIN, 0}};
  nfds_t count = pidFd >= 0 ? 2 : 1;
  for (;;) {
    int rc = poll(fds, count, int(RemainingMs(deadline)));
    if (rc > 0 || (rc < 0 && errno != EINTR) || RemainingMs(deadline) == 0) return;
  }
}

int OpenPidFd(pid_t pid) {
#ifdef SYS_pidfd_open
  return int(syscall(SYS_pidfd_open, pid, 0));
#else
  (void)pid;
  return -1;
#endif
}

struct SpawnSetup {
  posix_spawn_file_actions_t actions;
  posix_spawnattr_t attributes;
  explicit SpawnSetup(int childEnd) {
    posix_spawn_file_actions_init(&actions);
    // Duplicating a descriptor onto itself clears its close-on-exec flag in
    // the new program only.
    posix_spawn_file_actions_adddup2(&actions, childEnd, childEnd);
    posix_spawnattr_init(&attributes);
    sigset_t none, defaults;
    sigemptyset(&none);
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    sigaddset(&defaults, SIGCHLD);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
  }
  ~SpawnSetup() {
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
  }
  SpawnSetup(const SpawnSetup&) = delete;
  SpawnSetup& operator=(const SpawnSetup&) = delete;
};

}  // namespace

unsigned WinExec(const char* commandLine, unsigned showMode) {
  std::vector<std::string> args = SplitCommandLine(commandLine);
  if (args.empty() || args[0].empty()) return ERROR_FILE_NOT_FOUND;
  args[0] = ToPosixProgramPath(args[0]);
  // A bare name is looked up in the current folder, not on the search path.
  if (args[0].find('/') == std::string::npos) args[0] = "./" + args[0];
  if (unsigned error = CheckProgram(args[0])) return error;

  int ends[2];
  if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) return WINEXEC_OUT_OF_RESOURCES;
  int parentEnd = ends[0], childEnd = ends[1];
  std::vector<std::string> env = ChildEnvironment(showMode, childEnd);
  std::vector<char*> argv = PointersTo(args);
  std::vector<char*> envp = PointersTo(env);

  pid_t pid = 0;
  int rc;
  {
    SpawnSetup setup(childEnd);
    rc = posix_spawn(&pid, argv[0], &setup.actions, &setup.attributes, argv.data(), envp.data());
  }
  close(childEnd);
  if (rc != 0) {
    close(parentEnd);
    return SpawnErrorCode(rc);
  }
  int pidFd = OpenPidFd(pid);
  ReapWhenDone(pid);
  WaitUntilReady(parentEnd, pidFd);
  if (pidFd >= 0) close(pidFd);
  close(parentEnd);
  return WINEXEC_STARTED;
}

void NotifyParentReady() {
  int fd = readyFd.exchange(-1);
  if (fd < 0) return;
  char ready = 'R';
  // MSG_NOSIGNAL: a starter that stopped waiting must not kill us.
  while (send(fd, &ready, 1, MSG_NOSIGNAL | MSG_DONTWAIT) < 0 && errno == EINTR) {
  }
  close(fd);
}

int StartShowMode() {
  const char* value = std::getenv(kShowModeVar);
  if (!value || !*value) return SW_SHOWNORMAL;
  char* end = nullptr;
  long mode = std::strtol(value, &end, 10);
  if (*end || mode < 0 || mode > 11) return SW_SHOWNORMAL;
  return int(mode);
}

unsigned GetModuleFileNameA(void* /*module*/, char* buffer, unsigned size) {
  if (!buffer || size == 0) {
    errno = EINVAL;
    return 0;
  }
  std::vector<char> path(4096);
  ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
  if (length <= 0 || std::size_t(length) >= path.size()) return 0;
  if (std::size_t(length) >= size) {
    std::memcpy(buffer, path.data(), size - 1);
    buffer[size - 1] = '\0';
    errno = ERANGE;
    return size;
  }
  std::memcpy(buffer, path.data(), std::size_t(length));
  buffer[length] = '\0';
  return unsigned(length);
}

}  // namespace plat
