#include "tests/e2e/thread_activity.h"

#include <time.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace e2e {

namespace fs = std::filesystem;

namespace {

std::string ReadFirstLine(const fs::path& path) {
  std::ifstream in(path);
  std::string line;
  std::getline(in, line);
  return line;
}

uint64_t StatusField(const fs::path& status, const std::string& name) {
  std::ifstream in(status);
  std::string line;
  while (std::getline(in, line)) {
    if (line.starts_with(name + ":")) return std::stoull(line.substr(name.size() + 1));
  }
  return 0;
}

// The fields of a stat line from field 3 on; the name in parentheses
// (field 2) may hold blanks, so they are counted from its closing parenthesis.
std::vector<std::string> StatFields(const std::string& stat) {
  std::vector<std::string> fields;
  const size_t close = stat.rfind(')');
  if (close == std::string::npos) return fields;
  std::istringstream in(stat.substr(close + 1));
  for (std::string field; fields.size() < 13 && in >> field;) fields.push_back(field);
  return fields;
}

char State(const std::string& stat) {
  const std::vector<std::string> fields = StatFields(stat);
  return fields.empty() ? '?' : fields[0][0];
}

// utime + stime: fields 14 and 15.
uint64_t CpuTicks(const std::string& stat) {
  const std::vector<std::string> fields = StatFields(stat);
  return fields.size() < 13 ? 0 : std::stoull(fields[11]) + std::stoull(fields[12]);
}

bool AllAsleep(const ActivitySample& sample) {
  for (const auto& [tid, thread] : sample.threads) {
    if (thread.state != 'S') return false;
  }
  return true;
}

int64_t NowMs() {
  timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return int64_t(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

void SampleProcess(pid_t pid, ActivitySample* sample) {
  const fs::path proc = "/proc/" + std::to_string(pid);
  std::error_code error;
  for (const fs::directory_entry& task : fs::directory_iterator(proc / "task", error)) {
    ThreadSample thread;
    thread.pid = pid;
    thread.name = ReadFirstLine(task.path() / "comm");
    thread.state = State(ReadFirstLine(task.path() / "stat"));
    const fs::path status = task.path() / "status";
    thread.switches =
        StatusField(status, "voluntary_ctxt_switches") +
        StatusField(status, "nonvoluntary_ctxt_switches");
    sample->threads[pid_t(std::stol(task.path().filename()))] = thread;
  }
  if (!error) sample->cpuTicks[pid] = CpuTicks(ReadFirstLine(proc / "stat"));
}

std::string ThreadLabel(pid_t tid, const ThreadSample& thread) {
  const fs::path task = "/proc/" + std::to_string(thread.pid) + "/task/" + std::to_string(tid);
  return "process " + std::to_string(thread.pid) + " thread " + std::to_string(tid) + " (" +
         thread.name + ") wchan " + ReadFirstLine(task / "wchan") + " syscall " +
         ReadFirstLine(task / "syscall");
}

}  // namespace

ActivitySample SampleActivity(const std::vector<pid_t>& pids) {
  ActivitySample sample;
  for (pid_t pid : pids) SampleProcess(pid, &sample);
  return sample;
}

std::optional<ActivitySample> AwaitQuiet(const std::vector<pid_t>& pids, int timeoutMs) {
  const int64_t deadline = NowMs() + timeoutMs;
  ActivitySample last = SampleActivity(pids);
  while (NowMs() < deadline) {
    // The kernel tells no one when another process falls asleep, so look
    // again shortly; it normally takes a few milliseconds at most.
    const timespec pause{0, 1'000'000};
    nanosleep(&pause, nullptr);
    ActivitySample next = SampleActivity(pids);
    if (AllAsleep(last) && AllAsleep(next) && DescribeActivity(last, next).empty()) return next;
    last = std::move(next);
  }
  return std::nullopt;
}

std::vector<std::string> DescribeActivity(const ActivitySample& before,
                                          const ActivitySample& after) {
  std::vector<std::string> lines;
  for (const auto& [tid, thread] : after.threads) {
    auto old = before.threads.find(tid);
    if (old == before.threads.end()) {
      lines.push_back("started: " + ThreadLabel(tid, thread));
    } else if (old->second.switches != thread.switches) {
      lines.push_back(std::to_string(thread.switches - old->second.switches) +
                      " switches: " + ThreadLabel(tid, thread));
    }
  }
  for (const auto& [tid, thread] : before.threads) {
    if (!after.threads.contains(tid)) lines.push_back("ended: " + ThreadLabel(tid, thread));
  }
  for (const auto& [pid, ticks] : after.cpuTicks) {
    auto old = before.cpuTicks.find(pid);
    if (old != before.cpuTicks.end() && old->second != ticks) {
      lines.push_back(std::to_string(ticks - old->second) + " CPU ticks: process " +
                      std::to_string(pid));
    }
  }
  return lines;
}

}  // namespace e2e
