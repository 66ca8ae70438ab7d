#include "tests/platform/win/test_instance.h"

#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "platform/sys/program_env.h"

extern char** environ;

namespace plat::testing {

ScopedEnv::ScopedEnv(const char* name, const std::optional<std::string>& value) : name_(name) {
  if (const char* old = std::getenv(name)) saved_ = old;
  if (value) {
    setenv(name, value->c_str(), 1);
  } else {
    unsetenv(name);
  }
  plat::ApplyInstanceEnv(plat::ReadProgramEnv());
}

ScopedEnv::~ScopedEnv() {
  if (saved_) {
    setenv(name_.c_str(), saved_->c_str(), 1);
  } else {
    unsetenv(name_.c_str());
  }
  plat::ApplyInstanceEnv(plat::ReadProgramEnv());
}

TestInstance::TestInstance() {
  std::string pattern = "/tmp/tovsim-win-XXXXXX";
  if (mkdtemp(pattern.data())) runtimeDir_ = pattern;
  static std::atomic<int> counter{0};
  name_ = "t" + std::to_string(getpid()) + "-" + std::to_string(counter++);
  runtimeEnv_.emplace("XDG_RUNTIME_DIR", runtimeDir_);
  instanceEnv_.emplace("TOVSIM_INSTANCE", name_);
}

TestInstance::~TestInstance() {
  instanceEnv_.reset();
  runtimeEnv_.reset();
  std::error_code ignored;
  if (!runtimeDir_.empty()) std::filesystem::remove_all(runtimeDir_, ignored);
}

PeerProcess::~PeerProcess() {
  if (running()) Kill();
}

bool PeerProcess::Start(const std::vector<std::string>& args,
                        const std::vector<std::string>& extraEnv) {
  int pair[2];
  if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pair) != 0) return false;
  // The child's end must survive exec.
  int childEnd = dup(pair[1]);
  close(pair[1]);

  std::vector<std::string> env{"TOVSIM_READY_FD=" + std::to_string(childEnd)};
  env.insert(env.end(), extraEnv.begin(), extraEnv.end());
  for (char** e = environ; *e; ++e) {
    std::string entry = *e;
    std::string name = entry.substr(0, entry.find('='));
    bool replaced = false;
    for (const std::string& own : env) replaced = replaced || own.starts_with(name + "=");
    if (!replaced) env.push_back(entry);
  }
  std::vector<char*> envp, argv;
  for (auto& e : env) envp.push_back(e.data());
  envp.push_back(nullptr);
  std::vector<std::string> argsCopy = args;
  for (auto& a : argsCopy) argv.push_back(a.data());
  argv.push_back(nullptr);

  int rc = posix_spawn(&pid_, argv[0], nullptr, nullptr, argv.data(), envp.data());
  close(childEnd);
  if (rc != 0) {
    pid_ = -1;
    close(pair[0]);
    return false;
  }
  // The child writes a byte when ready or closes its end when it ends.
  char ready;
  while (read(pair[0], &ready, 1) < 0 && errno == EINTR) {
  }
  close(pair[0]);
  return true;
}

int PeerProcess::Wait() {
  if (!running()) return -1;
  int status = 0;
  while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
  }
  pid_ = -1;
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  return 128 + WTERMSIG(status);
}

void PeerProcess::Kill() {
  if (!running()) return;
  kill(pid_, SIGKILL);
  Wait();
}

}  // namespace plat::testing
