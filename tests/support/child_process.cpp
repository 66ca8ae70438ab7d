#include "tests/support/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/inotify.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>

extern char** environ;

namespace testsupport {

namespace {

std::vector<std::string> MergedEnvironment(const std::vector<std::string>& extra) {
  std::vector<std::string> env = extra;
  for (char** e = environ; *e; ++e) {
    const std::string entry = *e;
    const std::string name = entry.substr(0, entry.find('=') + 1);
    bool replaced = false;
    for (const std::string& own : extra) replaced = replaced || own.starts_with(name);
    if (!replaced) env.push_back(entry);
  }
  return env;
}

std::vector<char*> Pointers(std::vector<std::string>& strings) {
  std::vector<char*> pointers;
  for (std::string& s : strings) pointers.push_back(s.data());
  pointers.push_back(nullptr);
  return pointers;
}

// Waits until `fd` is readable (or at its end); false after `timeoutMs`.
bool AwaitReadable(int fd, int timeoutMs) {
  pollfd entry{fd, POLLIN, 0};
  int rc;
  while ((rc = poll(&entry, 1, timeoutMs)) < 0 && errno == EINTR) {
  }
  return rc > 0;
}

int64_t NowMs() {
  timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return int64_t(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

}  // namespace

ChildProcess::~ChildProcess() { Kill(); }

bool ChildProcess::Start(const std::vector<std::string>& args, const ProcessOptions& options) {
  std::vector<std::string> extra = options.env;
  int pair[2] = {-1, -1};
  int childEnd = -1;
  if (options.awaitReady) {
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pair) != 0) return false;
    childEnd = dup(pair[1]);  // without close-on-exec: the child keeps it
    close(pair[1]);
    extra.push_back("TOVSIM_READY_FD=" + std::to_string(childEnd));
  }
  std::vector<std::string> env = MergedEnvironment(extra);
  std::vector<std::string> argv = args;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, (output_ / "stdout").c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_addopen(&actions, 2, (output_ / "stderr").c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0600);
  if (!options.workingDir.empty()) {
    posix_spawn_file_actions_addchdir_np(&actions, options.workingDir.c_str());
  }
  const int rc = posix_spawn(&pid_, argv[0].c_str(), &actions, nullptr, Pointers(argv).data(),
                             Pointers(env).data());
  posix_spawn_file_actions_destroy(&actions);
  if (childEnd >= 0) close(childEnd);
  if (rc != 0) {
    pid_ = -1;
    if (pair[0] >= 0) close(pair[0]);
    return false;
  }
  pidFd_ = int(syscall(SYS_pidfd_open, pid_, 0));
  if (!options.awaitReady) return true;
  // The child writes a byte when ready, or its end closes when it ends.
  const bool ready = AwaitReadable(pair[0], kSafetyTimeoutMs);
  close(pair[0]);
  return ready;
}

std::optional<int> ChildProcess::Wait(int timeoutMs) {
  if (pid_ < 0) return std::nullopt;
  if (pidFd_ >= 0 && !AwaitReadable(pidFd_, timeoutMs)) return std::nullopt;
  int status = 0;
  while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
  }
  pid_ = -1;
  if (pidFd_ >= 0) close(pidFd_);
  pidFd_ = -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

void ChildProcess::Kill() {
  if (pid_ < 0) return;
  kill(pid_, SIGKILL);
  Wait();
}

std::string ChildProcess::Stdout() const { return output_.Read("stdout"); }
std::string ChildProcess::Stderr() const { return output_.Read("stderr"); }

bool ChildProcess::AwaitStderr(const std::function<bool(const std::string&)>& done, int timeoutMs) {
  const int watch = inotify_init1(IN_CLOEXEC);
  if (watch < 0) return false;
  // Watched before the first look, so no write falls between look and wait.
  inotify_add_watch(watch, (output_ / "stderr").c_str(), IN_MODIFY | IN_CLOSE_WRITE);
  const int64_t deadline = NowMs() + timeoutMs;
  bool reached = done(Stderr());
  while (!reached) {
    const int64_t left = deadline - NowMs();
    if (left <= 0 || !AwaitReadable(watch, int(left))) break;
    char events[4096];
    if (read(watch, events, sizeof events) < 0 && errno != EINTR) break;
    reached = done(Stderr());
  }
  close(watch);
  return reached;
}

RunResult RunToEnd(const std::vector<std::string>& args, const ProcessOptions& options) {
  ChildProcess child;
  RunResult result;
  if (!child.Start(args, options)) return result;
  result.exitCode = child.Wait().value_or(-1);
  result.out = child.Stdout();
  result.err = child.Stderr();
  return result;
}

}  // namespace testsupport
